#include "Command.h"

#include "CommandRegistry.h"
#include "SettingTable.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

void CommandContext::message(const QString &sentence) const
{
    note(QStringLiteral("kvxconfig: ") + sentence);
}

void CommandContext::note(const QString &line) const
{
    // Flushed at once, so messages keep their order with the data on the
    // other stream and with a server that shares the terminal.
    out.flush();
    err << line << '\n';
    err.flush();
}

Command::Command(const CommandEntry &entry)
    : m_entry(entry)
{
}

int Command::usageError(const QString &sentence, const CommandContext &context) const
{
    context.message(QStringLiteral("%1: %2").arg(m_entry.name, sentence));
    context.note(usageLine(m_entry) + QStringLiteral("; see kvxconfig --help."));
    return ExitRefused;
}

int Command::run(const QStringList &arguments, const CommandContext &context)
{
    QCommandLineParser parser;
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(folderOption);
    parser.addOption(helpOption);
    parser.addOptions(options());
    // parse(), not process(): a usage error is reported here, with this
    // tool's own exit status, instead of ending the process.
    if (!parser.parse(QStringList{QStringLiteral("kvxconfig")} + arguments))
        return usageError(shownValue(parser.errorText()), context);
    if (parser.isSet(helpOption)) {
        context.out << commandUsage(m_entry);
        context.out.flush();
        return ExitDone;
    }
    if (!takesValues() && !parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument \"%1\"").arg(shownValue(parser.positionalArguments().constFirst())),
                          context);
    if (parser.values(folderOption).size() > 1)
        return usageError(QStringLiteral("--folder is given more than once"), context);

    QString folder;
    if (parser.isSet(folderOption)) {
        folder = parser.value(folderOption);
        if (folder.isEmpty())
            return usageError(QStringLiteral("--folder needs a folder"), context);
        const QFileInfo info(folder);
        if (!info.isDir()) {
            context.message(QStringLiteral("%1 is not a folder%2.")
                              .arg(QDir::toNativeSeparators(folder),
                                   info.exists() ? QString() : QStringLiteral(": it does not exist")));
            return ExitFileError;
        }
        folder = info.absoluteFilePath();
    } else {
        if (!context.toolFolder) {
            context.message(context.toolFolder.error() + QStringLiteral(" Give the server folder with --folder DIR."));
            return ExitFileError;
        }
        folder = context.toolFolder.value();
    }
    return execute(parser, folder, context);
}
