#pragma once

#include "files/FileHistory.h"

#include <QDir>
#include <QString>

#include <memory>

// What main hands to the windows: the folder the tool's executable lies in
// (where every file is read and written) and whether the run is in listen
// mode, which main decided once from the arguments (app/StartChoice.h).
// Tests hand a temporary folder. Copies share one history of the files the
// run has seen.
struct ToolContext {
    QString folder;
    bool listenMode = false;
    std::shared_ptr<FileHistory> files = std::make_shared<FileHistory>();

    QString path(const QString &fileName) const { return QDir(folder).filePath(fileName); }
    // The same path as the operator's platform writes it (a backslash on Windows).
    QString displayPath(const QString &fileName) const { return QDir::toNativeSeparators(path(fileName)); }
};
