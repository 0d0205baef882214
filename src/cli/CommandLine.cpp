#include "CommandLine.h"

#include "Command.h"
#include "CommandRegistry.h"
#include "SettingTable.h"

#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

const QStringList helpOptions = {QStringLiteral("--help"), QStringLiteral("-h"), QStringLiteral("help")};
const QStringList versionOptions = {QStringLiteral("--version"), QStringLiteral("-V"), QStringLiteral("version")};
const QString folderOption = QStringLiteral("--folder");

// One line per command: its synopsis, then its description from column 36.
QString commandLines()
{
    QStringList lines;
    for (const CommandEntry &entry : commandRegistry())
        lines << QStringLiteral("  kvxconfig %1 %2").arg(entry.synopsis.leftJustified(23), entry.description);
    return lines.join(u'\n');
}

// A list of words cut into indented lines of at most 100 characters.
QString wrapped(const QString &text, int indent)
{
    QStringList lines{QString(indent, u' ')};
    for (const QString &word : text.split(u' ')) {
        if (lines.last().size() > indent && lines.last().size() + 1 + word.size() > 100)
            lines << QString(indent, u' ');
        if (lines.last().size() > indent)
            lines.last() += u' ';
        lines.last() += word;
    }
    return lines.join(u'\n');
}

// Keys and what set accepts for them, in two columns; keys too long for
// theirs stand on a line of their own.
QString acceptedBy(const QString &keys, const QString &accepted)
{
    constexpr qsizetype keyColumn = 23;
    const QString column = keys.size() < keyColumn ? keys.leftJustified(keyColumn)
                                                   : keys + u'\n' + QString(keyColumn + 2, u' ');
    return QStringLiteral("  ") + column + accepted + u'\n';
}

QString numberedMaps()
{
    QStringList lines;
    for (qsizetype i = 0; i < classicMapNames().size(); ++i)
        lines << QStringLiteral("                         %1 %2").arg(i + 1).arg(classicMapNames().at(i));
    return lines.join(u'\n');
}

} // namespace

bool isCommandLine(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return false;
    const QString &first = arguments.constFirst();
    return findCommand(first) || helpOptions.contains(first) || versionOptions.contains(first)
        || first == folderOption || first.startsWith(folderOption + u'=');
}

QStringList commandWords()
{
    QStringList words;
    for (const CommandEntry &entry : commandRegistry())
        words << entry.name;
    return words + QStringList{QStringLiteral("help"), QStringLiteral("version")};
}

QString commandLineUsage()
{
    const QString commands = QStringLiteral("Usage:\n"
                                            "  kvxconfig --help | -h | help      this text on standard output\n"
                                            "  kvxconfig --version | -V | version\n"
                                            "                                    \"kvxconfig \" and the version\n")
        + commandLines();
    return commands + QStringLiteral(
               "\n"
               "\n"
               "Every command takes --folder DIR, the server folder (default: the folder kvxconfig lies in), also\n"
               "before the command: kvxconfig --folder DIR show. COMMAND --help prints that command's usage.\n"
               "Without one of these commands or options first, kvxconfig opens its windows; \"-listen\" alone\n"
               "opens the classic editor in listen mode.\n"
               "\n"
               "Keys, in the file's order (letter case does not matter):\n"
               "%1\n"
               "set accepts:\n"
               "  ServerPort             1 to 5 digits\n"
               "  AdminPort              1 to 5 digits, or empty\n"
               "  MaxPlayers             2 to 26 on a Vice City map, 2 to 32 on a GTA III map\n"
               "  GameMap                1 to 5, or a map name (\"GTA III - ...\" for \"GTA3 - ...\" too):\n"
               "%2\n"
               "%3"
               "%4"
               "%5"
               "A refused value writes nothing. An empty ServerPassword turns the password off.\n"
               "A port of 0 or above 65535, a ServerName under 3 characters, or an AdminPort equal to\n"
               "ServerPort while AdminServer is 1 cannot work: set warns and writes them, check reports them.\n"
               "When kvxserver.conf holds changes made by hand, set keeps the old file in kvxserver.conf.bak.\n"
               "\n"
               "Exit status: 0 done; 1 a file could not be read or written (check: something to report);\n"
               "2 a usage error or a refused value; launch --foreground: the server's exit status.\n"
               "Data goes to standard output, messages to standard error.\n")
        .arg(wrapped(settingKeyList(), 2), numberedMaps(),
             acceptedBy(settingKeyList({SettingKind::Hour, SettingKind::Minute}),
                        QStringLiteral("one or two digits, 0 to 23 and 0 to 59")),
             acceptedBy(settingKeyList({SettingKind::Switch}), QStringLiteral("0 or 1")),
             acceptedBy(settingKeyList({SettingKind::Text}),
                        QStringLiteral("text without control characters, in the Windows-1252 code page")));
}

int runCommandLine(const QStringList &arguments, const Result<QString> &toolFolder)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const CommandContext context{toolFolder, out, err};
    QStringList given = arguments;
    // "--folder DIR COMMAND ...": the folder goes to the command, as if
    // given after it.
    if (given.value(0) == folderOption || given.value(0).startsWith(folderOption + u'=')) {
        const qsizetype taken = given.value(0) == folderOption ? 2 : 1;
        if (given.size() <= taken || !findCommand(given.at(taken))) {
            context.message(given.size() <= taken
                                ? QStringLiteral("--folder DIR needs a command after it; see kvxconfig --help.")
                                : QStringLiteral("\"%1\" is not a command; see kvxconfig --help.")
                                      .arg(shownValue(given.at(taken))));
            return ExitRefused;
        }
        given = given.mid(taken, 1) + given.mid(0, taken) + given.mid(taken + 1);
    }
    const QString first = given.value(0);
    if (helpOptions.contains(first)) {
        out << commandLineUsage();
        return ExitDone;
    }
    if (versionOptions.contains(first)) {
        out << "kvxconfig " << KVX_VERSION << '\n';
        return ExitDone;
    }
    if (const CommandEntry *entry = findCommand(first))
        return entry->create(*entry)->run(given.mid(1), context);
    context.message(QStringLiteral("\"%1\" is not a command; see kvxconfig --help.").arg(shownValue(first)));
    return ExitRefused;
}
