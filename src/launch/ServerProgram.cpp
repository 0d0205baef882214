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

StartResult startServer(const QString &folder, const QString &workingFolder)
{
    const QString program = serverFilePath(folder);
    if (QFileInfo(program).isDir())
        return {false, 0, QStringLiteral("it is a folder, not a program")};
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(workingFolder);
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
