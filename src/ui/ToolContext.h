#pragma once

#include "files/FileHistory.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <memory>

// What main hands to the windows: the folder the tool's executable lies in
// (where every file is read and written) and the command-line arguments
// without the program name, exactly as the operator gave them. Tests hand a
// temporary folder. Copies share one history of the files the run has seen.
struct ToolContext {
    QString folder;
    QStringList arguments;
    std::shared_ptr<FileHistory> files = std::make_shared<FileHistory>();

    // Listen mode: the argument text is exactly "-listen", letter case
    // included, and nothing else.
    bool listenMode() const { return arguments == QStringList{QStringLiteral("-listen")}; }

    QString path(const QString &fileName) const { return QDir(folder).filePath(fileName); }
    // The same path as the operator's platform writes it (a backslash on Windows).
    QString displayPath(const QString &fileName) const { return QDir::toNativeSeparators(path(fileName)); }
};
