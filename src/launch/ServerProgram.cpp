#include "ServerProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

QString serverFileName()
{
    return QStringLiteral("KVXServer.exe");
}

QString serverFilePath(const QString &folder)
{
    return QDir(folder).filePath(serverFileName());
}

bool serverPresent(const QString &folder)
{
    return QFileInfo::exists(serverFilePath(folder));
}

SaveResult copyServer(const QString &chosen, const QString &folder)
{
    if (QFileInfo(chosen).isDir())
        return {false, QStringLiteral("%1 is a folder, not a program").arg(QDir::toNativeSeparators(chosen))};
    // The operator chose the file, links and all; a FIFO or a device would
    // hang or fill the tool instead.
    constexpr qint64 programLimit = qint64(512) * 1024 * 1024;
    SnapshotResult source = readRegularFile(chosen, programLimit, LinkRule::Any);
    if (!source.ok)
        return {false, source.error};
    if (!source.file.exists)
        return {false, qt_error_string(ENOENT)};
    // The copy is the user's, executable as the chosen file is; a link at
    // the server's path is replaced, never written through.
    FileAttributes attributes = source.file.attributes;
    attributes.ownerKnown = false;
    QString error;
    if (!writeFileAtomically(serverFilePath(folder), source.file.bytes, attributes, &error))
        return {false, error};
    return {true, QString()};
}

QString serverPathProblem(const QString &folder)
{
    const QFileInfo info(serverFilePath(folder));
    if (info.isDir())
        return QStringLiteral("it is a folder, not a program");
    if (!info.exists())
        return info.isSymLink() ? QStringLiteral("it is a link to a file that does not exist")
                                : QStringLiteral("there is no such file");
    return QString();
}

StartResult startServer(const QString &folder, const QString &workingFolder, ServerChannels channels)
{
    if (const QString problem = serverPathProblem(folder); !problem.isEmpty())
        return {false, 0, problem};
    QProcess process;
    process.setProgram(serverFilePath(folder));
    process.setWorkingDirectory(workingFolder);
    if (channels == ServerChannels::Discarded) {
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
    }
#ifdef Q_OS_WIN
    // Minimised, and the new window takes the focus.
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
    });
#endif
    qint64 pid = 0;
    if (process.startDetached(&pid))
        return {true, pid, QString()};
    return {false, 0, process.errorString()};
}
