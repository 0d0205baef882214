#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

// What main hands to the windows: the folder the tool's executable lies in
// (where every file is read and written) and the command-line arguments
// without the program name. Tests hand a temporary folder.
struct ToolContext {
    QString folder;
    QStringList arguments;

    // Listen mode: the argument text is exactly "-listen", letter case
    // included, and nothing else.
    bool listenMode() const { return arguments == QStringList{QStringLiteral("-listen")}; }

    QString path(const QString &fileName) const { return QDir(folder).filePath(fileName); }
    // The same path as the operator's platform writes it (a backslash on Windows).
    QString displayPath(const QString &fileName) const { return QDir::toNativeSeparators(path(fileName)); }
};
