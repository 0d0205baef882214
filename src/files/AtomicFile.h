#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QFileDevice;

struct SaveResult {
    bool ok = false;
    QString error; // a sentence for the operator when !ok
};

// Writes `bytes` atomically: into a temporary file in the same folder that is
// written, flushed and synced to disk, each step checked, and only then
// renamed over `path`. The new file takes the owner, group and permission
// bits of the file it replaces, as far as the platform and the user's rights
// allow. On any failure the old file is untouched, no temporary file is left
// and `error` holds the platform's reason.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error);

// The same for a file that takes the permission bits of `modeFrom` instead
// (a copied program stays executable); its owner is the user.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error, const QString &modeFrom);

// Tests replace the sync to disk, which no real device can be made to fail on
// demand; an empty function restores the real one.
using DiskSync = std::function<bool(QFileDevice &file, QString *error)>;
void setDiskSyncForTesting(DiskSync sync);
