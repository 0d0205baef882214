#include "StartChoice.h"

#include "cli/CommandLine.h"

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

// Whether two words differ by one letter added, dropped or changed, or by
// two neighbours swapped (optimal string alignment distance 1), or by letter
// case alone.
bool oneEditApart(const QString &a, const QString &b)
{
    const QString x = a.toLower();
    const QString y = b.toLower();
    if (x == y)
        return true;
    const qsizetype m = x.size(), n = y.size();
    if (qAbs(m - n) > 1)
        return false;
    qsizetype start = 0;
    while (start < m && start < n && x.at(start) == y.at(start))
        ++start;
    if (m == n) {
        if (x.mid(start + 1) == y.mid(start + 1))
            return true; // one letter changed
        return start + 1 < m && x.at(start) == y.at(start + 1) && x.at(start + 1) == y.at(start)
            && x.mid(start + 2) == y.mid(start + 2); // two neighbours swapped
    }
    // One letter more in the longer word, at the first difference.
    return m > n ? x.mid(start + 1) == y.mid(start) : x.mid(start) == y.mid(start + 1);
}

bool lettersOnly(const QString &word)
{
    if (word.isEmpty())
        return false;
    for (QChar c : word) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    }
    return true;
}

} // namespace

QString nearMissOfCommand(const QStringList &arguments)
{
    const QStringList commands = commandWords();
    for (const QString &argument : arguments) {
        if (!lettersOnly(argument) || commands.contains(argument))
            continue;
        for (const QString &command : commands) {
            if (oneEditApart(argument, command))
                return argument;
        }
    }
    return QString();
}

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
