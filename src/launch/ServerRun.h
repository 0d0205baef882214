#pragma once

#include "ServerProgram.h"

#include <QString>

// KVXServer.exe started from a terminal, a script or a service manager: in
// the server folder, either left running on its own or kept attached until
// it ends.

// Why the server's path cannot be started, before trying: it is missing, or
// a folder. Empty when it looks like a file.
QString serverPathProblem(const QString &folder);

// Starts the server without waiting for it, its working folder the server
// folder. Its standard input, output and error are the null device, so that a
// caller reading the tool's output (`pid=$(kvxconfig launch)`) is not kept
// waiting for the server to end. On Windows minimised, as the windows start it.
StartResult startServerInBackground(const QString &folder);

struct ServerExit {
    bool started = false;
    int status = 0; // the exit status; 128 + the signal's number when a signal ended it
    QString error;  // the platform's reason when !started
};

// Runs the server in the server folder with the tool's own standard input,
// output and error, and waits for it to end. Meanwhile a SIGTERM or SIGINT
// sent to the tool is passed on to the server (POSIX only; a terminal's
// Ctrl+C already reaches both).
ServerExit runServerAttached(const QString &folder);
