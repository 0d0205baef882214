#pragma once

#include "ServerProgram.h"

#include <QString>

// KVXServer.exe kept attached to a terminal, a script or a service manager
// until it ends (started on its own, it is startServer()'s).

// Runs the server in the server folder with the tool's own standard input,
// output and error, and waits for it to end. Gives its exit status, 128 +
// the signal's number when a signal ended it. Meanwhile a SIGTERM or SIGINT
// sent to the tool is passed on to the server (POSIX only; a terminal's
// Ctrl+C already reaches both).
Result<int> runServerAttached(const QString &folder);
