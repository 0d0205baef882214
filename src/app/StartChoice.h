#pragma once

#include <QStringList>

// What a run of kvxconfig is, decided on the arguments exactly as main
// received them (without the program's name), before Qt takes its own
// options out of them: "kvxconfig -reverse -listen" is not listen mode.
enum class StartChoice {
    CommandLine,   // the first argument is a command or --help, -h, --version
    ListenWindows, // exactly the one argument "-listen"
    Windows,       // anything else; the arguments are ignored
};

StartChoice chooseStart(const QStringList &arguments);

// The arguments as the operator typed them: on Windows from the wide command
// line, elsewhere each of argv[1..] in the system's encoding.
QStringList rawArguments(int argc, char *argv[]);
