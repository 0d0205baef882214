#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A read as the platform's own code does it, before it becomes a Result.
struct RawRead {
    bool ok = false;
    FileSnapshot file;
    QString error; // the reason alone
};

QString tooLarge(qint64 limit)
{
    return QStringLiteral("it is larger than %1, far more than the file ever holds, so the tool does not read it")
        .arg(describeSize(limit));
}

#ifdef Q_OS_UNIX

QString notRegular(mode_t mode)
{
    const char *what = S_ISDIR(mode)  ? "a folder"
                       : S_ISFIFO(mode) ? "a FIFO"
                       : S_ISSOCK(mode) ? "a socket"
                       : (S_ISCHR(mode) || S_ISBLK(mode)) ? "a device"
                                                         : "something else";
    return QStringLiteral("it is %1, not a regular file").arg(QLatin1String(what));
}

QString userName(uid_t uid)
{
    struct passwd entry {};
    struct passwd *found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found)
        return QStringLiteral("%1 (uid %2)").arg(QString::fromLocal8Bit(found->pw_name)).arg(uid);
    return QStringLiteral("uid %1").arg(uid);
}

struct Link {
    QString path;
    uid_t owner;
};

// The links at a path, followed by reading them, never by opening: where the
// chain ends, and whether something is there.
struct Chain {
    QList<Link> links;
    QString end;
    bool endExists = false;
    struct stat endStatus {};
    QString error;
};

Chain followLinks(const QString &path)
{
    Chain chain;
    QString current = QFileInfo(path).absoluteFilePath();
    for (;;) {
        struct stat status {};
        if (::lstat(QFile::encodeName(current).constData(), &status) != 0) {
            if (errno != ENOENT)
                chain.error = qt_error_string(errno);
            chain.end = current;
            return chain;
        }
        if (!S_ISLNK(status.st_mode)) {
            chain.end = current;
            chain.endExists = true;
            chain.endStatus = status;
            return chain;
        }
        if (chain.links.size() == 40) {
            chain.error = QStringLiteral("it leads through more than 40 links");
            return chain;
        }
        chain.links.append({current, status.st_uid});
        char target[PATH_MAX];
        const ssize_t length = ::readlink(QFile::encodeName(current).constData(), target, sizeof target);
        if (length < 0) {
            chain.error = qt_error_string(errno);
            return chain;
        }
        QString next = QFile::decodeName(QByteArray(target, length));
        if (QDir::isRelativePath(next))
            next = QFileInfo(current).absolutePath() + QLatin1Char('/') + next;
        current = QDir::cleanPath(next);
    }
}

// Empty when every link belongs to the user running the tool or to the
// owner of the file at the end (none, when nothing is there).
QString untrustedLink(const Chain &chain, std::optional<uid_t> endOwner)
{
    const uid_t user = ::geteuid();
    for (const Link &link : chain.links) {
        if (link.owner == user || (endOwner && link.owner == *endOwner))
            continue;
        return QStringLiteral("the link %1 belongs to %2, neither the user running the tool nor the owner of the "
                              "file it leads to, so the tool does not follow it")
            .arg(QDir::toNativeSeparators(link.path), userName(link.owner));
    }
    return QString();
}

RawRead readPosix(const QString &path, qint64 limit, LinkRule links)
{
    RawRead result;
    const Chain chain = followLinks(path);
    if (!chain.error.isEmpty()) {
        result.error = chain.error;
        return result;
    }
    result.file.target = chain.end;
    if (!chain.endExists) {
        // A link to nothing is only followed where a save would create the
        // file the user's own links name.
        if (links == LinkRule::Trusted)
            result.error = untrustedLink(chain, std::nullopt);
        result.ok = result.error.isEmpty();
        return result;
    }
    // Judged before opening too: opening a device can have effects of its own.
    if (!S_ISREG(chain.endStatus.st_mode)) {
        result.error = notRegular(chain.endStatus.st_mode);
        return result;
    }
    const int fd = ::open(QFile::encodeName(chain.end).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.error = errno == ELOOP ? QStringLiteral("it was replaced by a link while the tool read it")
                                      : qt_error_string(errno);
        return result;
    }
    struct stat status {};
    const auto fail = [&](const QString &reason) {
        ::close(fd);
        result.error = reason;
        return result;
    };
    if (::fstat(fd, &status) != 0)
        return fail(qt_error_string(errno));
    if (!S_ISREG(status.st_mode))
        return fail(notRegular(status.st_mode));
    if (links == LinkRule::Trusted) {
        if (const QString untrusted = untrustedLink(chain, status.st_uid); !untrusted.isEmpty())
            return fail(untrusted);
    }
    if (status.st_size > limit)
        return fail(tooLarge(limit));
    QByteArray bytes;
    bytes.reserve(qsizetype(status.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t read = ::read(fd, buffer, sizeof buffer);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return fail(qt_error_string(errno));
        if (read == 0)
            break;
        bytes.append(buffer, read);
        if (bytes.size() > limit) // it grew while being read
            return fail(tooLarge(limit));
    }
    ::close(fd);
    result.ok = true;
    result.file.exists = true;
    result.file.bytes = std::move(bytes);
    result.file.attributes = {true, uint(status.st_uid), uint(status.st_gid), true, uint(status.st_mode & 07777)};
    return result;
}

#else

RawRead readPortable(const QString &path, qint64 limit)
{
    RawRead result;
    result.file.target = path;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        result.ok = true;
        return result;
    }
    if (info.isDir()) {
        result.error = QStringLiteral("it is a folder, not a regular file");
        return result;
    }
    if (!info.isFile()) {
        result.error = QStringLiteral("it is not a regular file");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    if (file.size() > limit) {
        result.error = tooLarge(limit);
        return result;
    }
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    if (bytes.size() > limit) {
        result.error = tooLarge(limit);
        return result;
    }
    result.ok = true;
    result.file.exists = true;
    result.file.bytes = std::move(bytes);
    return result;
}

#endif

} // namespace

Result<FileSnapshot> readRegularFile(const QString &path, qint64 limit, [[maybe_unused]] LinkRule links)
{
#ifdef Q_OS_UNIX
    RawRead read = readPosix(path, limit, links);
#else
    RawRead read = readPortable(path, limit);
#endif
    if (!read.ok)
        return readFailure(path, read.error);
    return std::move(read.file);
}

Failure readFailure(const QString &path, const QString &reason)
{
    return Failure(QStringLiteral("%1 could not be read: %2").arg(QDir::toNativeSeparators(path), reason), reason);
}

Failure writeFailure(const QString &path, const QString &reason)
{
    return Failure(QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), reason), reason);
}

QString specialFileAt(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode)
        && !S_ISLNK(status.st_mode))
        return notRegular(status.st_mode);
    return QString();
#else
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return QStringLiteral("it is a folder, not a regular file");
    return QString();
#endif
}

QString describeSize(qint64 bytes)
{
    if (bytes % (1024 * 1024) == 0)
        return QStringLiteral("%1 MiB").arg(bytes / (1024 * 1024));
    return QStringLiteral("%1 bytes").arg(bytes);
}
