#include "ServerProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

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
    const QString target = serverFilePath(folder);
    // A copy written through a link that leads nowhere would land wherever
    // the link points.
    const QFileInfo existing(target);
    if (existing.isSymLink() && !existing.exists()) {
        return {false, QStringLiteral("%1 is a link to %2, which does not exist")
                           .arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(existing.symLinkTarget()))};
    }
    QFile source(chosen);
    if (!source.open(QIODevice::ReadOnly))
        return {false, source.errorString()};
    const QByteArray program = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return {false, source.errorString()};
    QString error;
    if (!writeFileAtomically(target, program, &error, chosen))
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
