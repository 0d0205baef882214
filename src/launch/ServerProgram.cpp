#include "ServerProgram.h"

#include "WindowsProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

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

Result<void> copyServer(const QString &chosen, const QString &folder)
{
    const auto notCopied = [&](const QString &reason) {
        return Failure(QStringLiteral("The server executable %1 could not be copied to %2: %3")
                           .arg(QDir::toNativeSeparators(chosen), QDir::toNativeSeparators(serverFilePath(folder)),
                                reason),
                       reason);
    };
    if (QFileInfo(chosen).isDir())
        return notCopied(QStringLiteral("%1 is a folder, not a program").arg(QDir::toNativeSeparators(chosen)));
    // The operator chose the file, links and all; a FIFO or a device would
    // hang or fill the tool instead.
    constexpr qint64 programLimit = qint64(512) * 1024 * 1024;
    const Result<FileSnapshot> source = readRegularFile(chosen, programLimit, LinkRule::Any);
    if (!source)
        return notCopied(source.reason());
    if (!source->exists)
        return notCopied(qt_error_string(ENOENT));
    // The copy is the user's, executable as the chosen file is; a link at
    // the server's path is replaced, never written through.
    FileAttributes attributes = source->attributes;
    attributes.ownerKnown = false;
    const Result<void> written = writeFileAtomically(serverFilePath(folder), source->bytes, attributes);
    if (!written)
        return notCopied(written.reason());
    return {};
}

Failure serverNotStarted(const QString &folder, const QString &reason)
{
    return Failure(QStringLiteral("%1 could not be started: %2").arg(QDir::toNativeSeparators(serverFilePath(folder)), reason),
                   reason);
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

bool wineRuns32Bit(const QString &wine)
{
    const QFileInfo given(wine);
    const QFileInfo resolved(given.canonicalFilePath());
    for (const QFileInfo &info : {given, resolved}) {
        // Debian's and Ubuntu's wine32 package: the 32-bit loader their wine
        // script looks for, beside the bin folder.
        if (QFileInfo(info.dir().filePath(QStringLiteral("../lib/wine/wine"))).isFile())
            return true;
    }
    // WineHQ's packages: wine itself is the 32-bit loader, a 32-bit ELF
    // file, once their i386 part is installed.
    QFile file(resolved.filePath());
    if (!resolved.isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(5);
    return start.size() == 5 && start.startsWith("\x7f" "ELF") && start.at(4) == 1;
}

Result<ServerCommand> serverCommand(const QString &folder)
{
    const QString path = serverFilePath(folder);
#ifdef Q_OS_UNIX
    const ProgramHeader header = programHeaderOfFile(path);
    if (header.kind == ProgramKind::Native)
        return ServerCommand{path, {}, QString()};
    const QString i386Install = QStringLiteral("sudo dpkg --add-architecture i386 && sudo apt update && sudo apt "
                                               "install wine wine32:i386");
    if (header.kind == ProgramKind::WindowsOther) {
        return serverNotStarted(folder, QStringLiteral("it is a Windows program for another processor (PE machine 0x%1), "
                                                 "which Wine cannot run here")
                                      .arg(header.machine, 4, 16, QLatin1Char('0')));
    }
    const bool is32 = header.kind == ProgramKind::Windows32;
    const QString kind = is32 ? QStringLiteral("a 32-bit Windows program (i386)")
                              : QStringLiteral("a 64-bit Windows program (x86-64)");
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine.isEmpty()) {
        return serverNotStarted(folder, QStringLiteral("it is %1, and there is no wine on the PATH to run it with; install "
                                                 "Wine (on Debian: %2)")
                                      .arg(kind, is32 ? i386Install : QStringLiteral("sudo apt install wine wine64")));
    }
    if (is32 && !wineRuns32Bit(wine)) {
        return serverNotStarted(folder, QStringLiteral("it is %1, and the Wine here runs 64-bit programs alone; install "
                                                 "its 32-bit part (on Debian: %2)")
                                      .arg(kind, i386Install));
    }
    // From the server folder, as a double-click in a file manager starts it:
    // Wine gives the program that folder as its current one.
    return ServerCommand{wine, {path}, folder};
#else
    return ServerCommand{path, {}, QString()};
#endif
}

Result<qint64> startServer(const QString &folder, const QString &workingFolder, ServerChannels channels)
{
    if (const QString problem = serverPathProblem(folder); !problem.isEmpty())
        return serverNotStarted(folder, problem);
    const Result<ServerCommand> command = serverCommand(folder);
    if (!command)
        return command.failure();
    QProcess process;
    process.setProgram(command->program);
    process.setArguments(command->arguments);
    process.setWorkingDirectory(command->workingFolder.isEmpty() ? workingFolder : command->workingFolder);
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
        return pid;
    return serverNotStarted(folder, process.errorString());
}
