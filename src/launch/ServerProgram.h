#pragma once

#include "files/AtomicFile.h"

#include <QString>
#include <QStringList>

// KVXServer.exe in the tool folder: looked for, copied there from a file the
// operator chooses, and started. Plain steps that report what happened; the
// front ends decide what to ask and say around them.

QString serverFileName();
QString serverFilePath(const QString &folder);

bool serverPresent(const QString &folder);

// Copies `chosen` to the server's path in `folder`, atomically, keeping its
// permission bits; when it fails, no file (whole or partial) is left at the
// server's path. A link there is replaced.
Result<void> copyServer(const QString &chosen, const QString &folder);

// Why the server's path cannot be started, found before trying: it is a
// folder, missing, or a link to nothing. Empty when it looks like a file.
QString serverPathProblem(const QString &folder);

// How the server is started: the program with its arguments and working
// folder, or why it cannot be. On Linux and other POSIX systems a Windows
// KVXServer.exe runs as `wine KVXServer.exe` from the server folder, when a
// wine on the PATH can run it; elsewhere the program is the server itself.
struct ServerCommand {
    QString program;
    QStringList arguments;
    QString workingFolder; // empty: the caller's choice
};
Result<ServerCommand> serverCommand(const QString &folder);

// "<server path> could not be started: <reason>".
Failure serverNotStarted(const QString &folder, const QString &reason);

// Whether the wine at `wine` (a path) can run 32-bit Windows programs.
bool wineRuns32Bit(const QString &wine);

// Where the started server's standard input, output and error go: the
// tool's own, or the null device, so that a caller reading the tool's output
// (`pid=$(kvxconfig launch)`) is not kept waiting for the server to end.
enum class ServerChannels { Inherited, Discarded };

// Starts the server without arguments and without waiting for it; on
// Windows as a minimised window that takes the focus. An empty
// `workingFolder` leaves the tool's own. Gives the server's process id.
Result<qint64> startServer(const QString &folder, const QString &workingFolder = QString(),
                        ServerChannels channels = ServerChannels::Inherited);
