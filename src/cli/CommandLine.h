#pragma once

#include "files/Result.h"

#include <QString>
#include <QStringList>

// The tool's command line, for servers without a display: show, set, check,
// motd and launch over the same core as the windows. It runs with a
// QCoreApplication alone and never touches QtGui or QtWidgets.

// Whether an argument list (without the program's name) is the command
// line's: its first argument is one of the commands, --help, -h, help,
// --version, -V, version or --folder. Every other list is the windows'.
bool isCommandLine(const QStringList &arguments);

// The words that name the command line's commands: the registry's, help
// and version.
QStringList commandWords();

// Runs the command line and returns the exit status. `toolFolder` is the
// folder the tool lies in, or why it is not known; only a command without
// --folder needs it.
int runCommandLine(const QStringList &arguments, const Result<QString> &toolFolder);

// The text of --help.
QString commandLineUsage();
