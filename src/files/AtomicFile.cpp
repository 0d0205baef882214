#include "AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

namespace {

DiskSync s_syncForTesting;

bool syncToDisk(QFileDevice &file, QString *error)
{
    if (s_syncForTesting)
        return s_syncForTesting(file, error);
#if defined(Q_OS_UNIX)
    if (::fsync(file.handle()) == 0)
        return true;
#elif defined(Q_OS_WIN)
    if (FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))))
        return true;
#else
    return true;
#endif
    *error = qt_error_string();
    return false;
}

// Gives the new file what the old one had: its owner and group when `owner`
// is set (root saving a user's file must not take it away from the user),
// and its permission bits. Each step is as far as the user's rights go.
void takeOwnerAndMode([[maybe_unused]] QFileDevice &file, [[maybe_unused]] const QString &from,
                      [[maybe_unused]] bool owner)
{
#ifdef Q_OS_UNIX
    struct stat old;
    if (::stat(QFile::encodeName(from).constData(), &old) != 0)
        return; // no old file: the platform's defaults stand
    const int fd = file.handle();
    // The owner first: a change of owner clears set-id bits that the mode restores.
    if (owner && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Without the right to give the file away, it keeps at least its group.
        if (::fchown(fd, uid_t(-1), old.st_gid) != 0) {
            // the user's own group stays
        }
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        // the platform's default mode stays
    }
#endif
}

// Why a temporary file could not be made beside `path`. A folder that takes
// no new files is named as the cause; when the file itself is writable, the
// operator learns why the tool still does not write into it.
QString openFailure(const QString &path, const QString &reason)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || folder.isWritable())
        return reason;
    const QString cause = QStringLiteral("the folder %1 does not allow new files (%2)")
                              .arg(QDir::toNativeSeparators(folder.absoluteFilePath()), reason);
    if (file.isFile() && file.isWritable())
        return cause + QLatin1String(", so the file cannot be replaced safely; it was left as it was");
    return cause;
}

bool write(const QString &path, const QByteArray &bytes, QString *error, const std::optional<QString> &modeFrom)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = openFailure(path, file.errorString());
        return false;
    }
    takeOwnerAndMode(file, modeFrom.value_or(path), !modeFrom);
    // Each step is checked before the rename: QSaveFile's commit() renames
    // even when the flush inside it fails, and ignores the sync. Leaving
    // without commit() discards the temporary file.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        // A failed flush leaves Qt's error text unset; the system's is the reason.
        *error = errno ? qt_error_string(errno) : file.errorString();
        return false;
    }
    if (!syncToDisk(file, error))
        return false;
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    return write(path, bytes, error, std::nullopt);
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error, const QString &modeFrom)
{
    return write(path, bytes, error, modeFrom);
}

void setDiskSyncForTesting(DiskSync sync)
{
    s_syncForTesting = std::move(sync);
}
