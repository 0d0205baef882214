#include "ToolFolderLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#if defined(Q_OS_LINUX)
#include <climits>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <string>
#include <windows.h>
#endif

Result<QString> toolFolderOf(const std::optional<QString> &executablePath)
{
    const QString noFolder = QStringLiteral("The folder this tool lies in could not be determined");
    if (!executablePath || executablePath->isEmpty()) {
        return Failure(noFolder + QStringLiteral(" (its name is not valid in the system's encoding), so "
                                                 "nothing was read or written."));
    }
    const QFileInfo executable(*executablePath);
    const QString folder = executable.absolutePath();
    if (!executable.isAbsolute() || !QFileInfo(folder).isDir()) {
        return Failure(noFolder + QStringLiteral(": %1 is not an existing folder, so nothing was read or written.")
                                      .arg(QDir::toNativeSeparators(folder)));
    }
    return QDir::cleanPath(folder);
}

std::optional<QString> runningExecutablePath()
{
#if defined(Q_OS_LINUX)
    // The link's bytes, checked to decode and encode back unchanged: a name
    // that is not valid in the system's encoding would otherwise become
    // another path, and Qt's own answer then the current folder.
    QByteArray bytes(PATH_MAX, Qt::Uninitialized);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", bytes.data(), size_t(bytes.size()));
        if (length < 0)
            return std::nullopt;
        if (length < bytes.size()) {
            bytes.truncate(length);
            break;
        }
        bytes.resize(bytes.size() * 2);
    }
    const QString path = QFile::decodeName(bytes);
    if (QFile::encodeName(path) != bytes)
        return std::nullopt;
    return path;
#elif defined(Q_OS_WIN)
    // Wide characters hold every name the file system can.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (length == 0)
            return std::nullopt;
        if (length < buffer.size())
            return QDir::fromNativeSeparators(QString::fromWCharArray(buffer.data(), int(length)));
        buffer.resize(buffer.size() * 2);
    }
#else
    const QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty())
        return std::nullopt;
    return path;
#endif
}
