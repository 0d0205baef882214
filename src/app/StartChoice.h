#pragma once

#include <QStringList>

// What a run of kvxconfig is, decided on the arguments exactly as main
// received them (without the program's name), before Qt takes its own
// options out of them: "kvxconfig -reverse -listen" is not listen mode.
enum class StartChoice {
    CommandLine,   // the first argument is a command, --help, -h, help, --version, -V, version or --folder
    ListenWindows, // exactly the one argument "-listen"
    Windows,       // anything else; the arguments are ignored
};

StartChoice chooseStart(const QStringList &arguments);

// The first argument of a windows' list that looks like a mistyped command
// ("shwo", "Show", "lanuch"): letters only, and one letter added, dropped,
// changed or swapped with its neighbour away from a command word, letter case
// aside. Empty when there is none. The windows still open; main says first
// that it is no command.
QString nearMissOfCommand(const QStringList &arguments);

// The arguments as the operator typed them: on Windows from the wide command
// line, elsewhere each of argv[1..] in the system's encoding.
QStringList rawArguments(int argc, char *argv[]);
