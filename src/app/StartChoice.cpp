#include "StartChoice.h"

#include "cli/CommandLine.h"

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

StartChoice chooseStart(const QStringList &arguments)
{
    if (isCommandLine(arguments))
        return StartChoice::CommandLine;
    if (arguments == QStringList{QStringLiteral("-listen")})
        return StartChoice::ListenWindows;
    return StartChoice::Windows;
}

QStringList rawArguments(int argc, char *argv[])
{
    QStringList arguments;
#ifdef Q_OS_WIN
    // argv holds the arguments in the ANSI code page, which loses every
    // character outside it; the wide command line has them all.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    int count = 0;
    if (LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            arguments << QString::fromWCharArray(wide[i]);
        LocalFree(wide);
    }
#else
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
#endif
    return arguments;
}
