#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// A finished run of a program: its exit status (-1: a crash or a signal)
// and both streams.
struct ProgramRun {
    int status = 0;
    QByteArray out;
    QByteArray err;
};

// Runs a program with no display named (so a run that reached for a window
// would end with the toolkit's abort) or with one variable that names one
// (`display`: "NAME=value"), `input` on its standard input, and `inChild` run
// in the child before the program starts (POSIX). The program gets a process
// group of its own, so a run that hangs goes with everything it started.
// On Windows, CR LF in the streams is read as LF.
ProgramRun runProgram(const QString &program, const QStringList &arguments, const QByteArray &input = {},
                      const QString &display = {}, const std::function<void()> &inChild = {});
