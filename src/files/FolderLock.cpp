#include "FolderLock.h"

#include "RegularFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

int s_waitForTesting = 0;

int realWait(int waitMs)
{
    return s_waitForTesting > 0 ? s_waitForTesting : waitMs;
}

QString heldBy(qint64 pid, const QString &program)
{
    if (pid <= 0)
        return QStringLiteral("another program");
    if (program.isEmpty())
        return QStringLiteral("another program (process %1)").arg(pid);
    return QStringLiteral("another program (process %1, %2)").arg(pid).arg(program);
}

QString stillHeld(const QString &folder, const QString &holder, int waitMs)
{
    return QStringLiteral("the files in %1 are being changed by %2, which still held the lock after %3 seconds; "
                          "nothing was written. Try again when it has finished.")
        .arg(QDir::toNativeSeparators(folder), holder)
        .arg(waitMs / 1000);
}

#ifdef Q_OS_UNIX

// The holder writes its process id into the lock file; its name comes from
// the system where it tells it.
QString holderOf(int fd)
{
    char text[32] = {};
    const ssize_t read = ::pread(fd, text, sizeof text - 1, 0);
    const qint64 pid = read > 0 ? QByteArray(text, read).trimmed().toLongLong() : 0;
    QString program;
#ifdef Q_OS_LINUX
    if (pid > 0) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        if (comm.open(QIODevice::ReadOnly))
            program = QString::fromLocal8Bit(comm.read(64).trimmed());
    }
#endif
    return heldBy(pid, program);
}

#endif

} // namespace

void setLockWaitForTesting(int waitMs)
{
    s_waitForTesting = waitMs;
}

QString FolderLock::fileName()
{
    return QStringLiteral("kvxconfig.lock");
}

FolderLock::FolderLock(QString folder)
    : m_folder(std::move(folder))
    , m_path(QDir(m_folder).filePath(fileName()))
{
}

FolderLock::~FolderLock()
{
    release();
}

#ifdef Q_OS_UNIX

bool FolderLock::acquire(int waitMs)
{
    release();
    m_error.clear();
    const QByteArray path = QFile::encodeName(m_path);
    const QDeadlineTimer deadline(realWait(waitMs));
    for (;;) {
        // Never through a link, never blocking on a FIFO; another user's lock
        // file can still be locked through a handle that only reads.
        int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd < 0 && errno == EACCES) {
            fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0 && errno == ENOENT)
                errno = EACCES; // no lock file, and the folder takes no new one
        }
        if (fd < 0) {
            if (errno == EACCES || errno == EPERM || errno == EROFS)
                return true; // no new file can be made here: the save reports the folder
            m_error = errno == ELOOP
                ? QStringLiteral("the lock file %1 is a link, which the tool does not follow; nothing was written.")
                      .arg(QDir::toNativeSeparators(m_path))
                : QStringLiteral("the lock file %1 could not be opened: %2; nothing was written.")
                      .arg(QDir::toNativeSeparators(m_path), qt_error_string(errno));
            return false;
        }
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            m_error = QStringLiteral("the lock file %1 could not be used: %2; nothing was written.")
                          .arg(QDir::toNativeSeparators(m_path), specialFileAt(m_path));
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The holder before may have removed the file as it let go: a
            // lock on a file no longer at the path holds nobody off.
            struct stat now {};
            if (::lstat(path.constData(), &now) == 0 && now.st_dev == opened.st_dev && now.st_ino == opened.st_ino) {
                const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
                if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.constData(), size_t(pid.size()), 0) < 0) {
                    // a lock file another user owns keeps its text; the lock holds all the same
                }
                m_fd = fd;
                return true;
            }
            ::close(fd);
            continue;
        }
        const int reason = errno;
        if (reason != EWOULDBLOCK && reason != EINTR) {
            ::close(fd);
            m_error = QStringLiteral("the lock file %1 could not be locked: %2; nothing was written.")
                          .arg(QDir::toNativeSeparators(m_path), qt_error_string(reason));
            return false;
        }
        const QString holder = holderOf(fd);
        ::close(fd);
        if (deadline.hasExpired()) {
            m_error = stillHeld(m_folder, holder, waitMs);
            return false;
        }
        QThread::msleep(20);
    }
}

void FolderLock::release()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so that no one locks the old file after us.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}

#else

bool FolderLock::acquire(int waitMs)
{
    release();
    m_error.clear();
    m_lockFile = std::make_unique<QLockFile>(m_path);
    m_lockFile->setStaleLockTime(0); // stale only when its process has ended
    if (m_lockFile->tryLock(realWait(waitMs)))
        return true;
    if (m_lockFile->error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, program;
        m_lockFile->getLockInfo(&pid, &host, &program);
        m_error = stillHeld(m_folder, heldBy(pid, program), waitMs);
    } else if (m_lockFile->error() == QLockFile::PermissionError) {
        m_lockFile.reset();
        return true; // no new file can be made here: the save reports the folder
    } else {
        m_error = QStringLiteral("the lock file %1 could not be made; nothing was written.")
                      .arg(QDir::toNativeSeparators(m_path));
    }
    m_lockFile.reset();
    return false;
}

void FolderLock::release()
{
    m_lockFile.reset();
}

#endif
