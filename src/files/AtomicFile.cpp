#include "AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
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

// Writes and flushes through `file`, then syncs it; each step checked.
bool writeAndSync(QFileDevice &file, const QByteArray &bytes, QString *error)
{
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        // A failed flush leaves Qt's error text unset; the system's is the reason.
        *error = errno ? qt_error_string(errno) : file.errorString();
        return false;
    }
    return syncToDisk(file, error);
}

#ifdef Q_OS_UNIX

// Gives the new file what the old one had: its owner and group first (root
// saving a user's file must not take it away from the user; a change of
// owner clears set-id bits that the mode restores), then its permission
// bits. Each step is as far as the user's rights go.
void applyAttributes(int fd, const FileAttributes &attributes)
{
    if (attributes.ownerKnown && ::fchown(fd, attributes.owner, attributes.group) != 0) {
        // Without the right to give the file away, it keeps at least its group.
        if (::fchown(fd, uid_t(-1), attributes.group) != 0) {
            // the user's own group stays
        }
    }
    mode_t mode = attributes.mode;
    if (!attributes.modeKnown) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) {
        // the private mode the file was made with stays
    }
}

// The temporary file is the tool's own: made anew (never an existing file or
// a link another account planted) and private until it has its attributes.
bool writePosix(const QString &path, const QByteArray &bytes, const FileAttributes &attributes, QString *error)
{
    const QFileInfo info(path);
    if (const QString special = specialFileAt(info.absoluteFilePath()); !special.isEmpty()) {
        *error = special;
        return false;
    }
    const QString stem = info.absolutePath() + QLatin1String("/.") + info.fileName() + QLatin1Char('.');
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = QFile::encodeName(stem + QString::number(QRandomGenerator::global()->generate64(), 36));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        *error = openFailure(path, qt_error_string(errno));
        return false;
    }
    applyAttributes(fd, attributes);
    QFile file;
    bool written = file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle) && writeAndSync(file, bytes, error);
    file.close();
    if (::close(fd) != 0 && written) {
        *error = qt_error_string(errno);
        written = false;
    }
    // rename() replaces a link at the path itself, never the file it leads to.
    if (written && ::rename(temporary.constData(), QFile::encodeName(info.absoluteFilePath()).constData()) != 0) {
        *error = qt_error_string(errno);
        written = false;
    }
    if (!written) {
        ::unlink(temporary.constData());
        return false;
    }
    // The new name lasts a crash only once the folder is on disk too.
    if (const int folder = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

#else

bool writeWithSaveFile(const QString &path, const QByteArray &bytes, QString *error)
{
    if (const QString special = specialFileAt(path); !special.isEmpty()) {
        *error = special;
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = openFailure(path, file.errorString());
        return false;
    }
    // Each step is checked before the rename: QSaveFile's commit() renames
    // even when the flush inside it fails, and ignores the sync. Leaving
    // without commit() discards the temporary file.
    if (!writeAndSync(file, bytes, error))
        return false;
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

#endif

} // namespace

Result<void> writeFileAtomically(const QString &path, const QByteArray &bytes,
                                 [[maybe_unused]] const FileAttributes &attributes)
{
    QString reason;
#ifdef Q_OS_UNIX
    const bool written = writePosix(path, bytes, attributes, &reason);
#else
    const bool written = writeWithSaveFile(path, bytes, &reason);
#endif
    if (!written)
        return writeFailure(path, reason);
    return {};
}

void setDiskSyncForTesting(DiskSync sync)
{
    s_syncForTesting = std::move(sync);
}
