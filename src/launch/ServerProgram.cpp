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
    QFile source(chosen);
    if (!source.copy(serverFilePath(folder)))
        return {false, source.errorString()};
    return {true, QString()};
}

StartResult startServer(const QString &folder, const QString &workingFolder)
{
    QProcess process;
    process.setProgram(serverFilePath(folder));
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
