#pragma once

#include "RegularFile.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QFileDevice;

// Writes `bytes` atomically to `path`: into a temporary file of the tool's
// own in the same folder that is written, flushed and synced to disk, each
// step checked, and only then renamed over `path`. A link at `path` is
// replaced, never written through; a folder, FIFO, device or socket there is
// refused. The new file takes `attributes` (owner, group and permission
// bits, as far as the platform and the user's rights allow; a new file gets
// the usual mode). On any failure the old file is untouched, no temporary
// file is left; the failure's reason is the platform's.
Result<void> writeFileAtomically(const QString &path, const QByteArray &bytes, const FileAttributes &attributes);

// Tests replace the sync to disk, which no real device can be made to fail on
// demand; an empty function restores the real one.
using DiskSync = std::function<bool(QFileDevice &file, QString *error)>;
void setDiskSyncForTesting(DiskSync sync);
