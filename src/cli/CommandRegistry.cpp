#include "CommandRegistry.h"

#include "CheckCommand.h"
#include "LaunchCommand.h"
#include "MotdCommand.h"
#include "SetCommand.h"
#include "ShowCommand.h"

namespace {

template<typename T>
std::unique_ptr<Command> create(const CommandEntry &entry)
{
    return std::make_unique<T>(entry);
}

} // namespace

const QList<CommandEntry> &commandRegistry()
{
    static const QList<CommandEntry> entries = {
        {QStringLiteral("show"), QStringLiteral("show [--json]"),
         QStringLiteral("the settings kvxserver.conf holds, read as the classic editor reads them"), create<ShowCommand>},
        {QStringLiteral("set"), QStringLiteral("set [KEY=VALUE...]"),
         QStringLiteral("change settings and save kvxserver.conf"), create<SetCommand>},
        {QStringLiteral("check"), QStringLiteral("check"),
         QStringLiteral("report what the windows' rules and a save would flag"), create<CheckCommand>},
        {QStringLiteral("motd"), QStringLiteral("motd [--set FILE|-]"),
         QStringLiteral("print the message of the day; with --set, replace motd.txt's text from a UTF-8 file, or "
                        "standard input for \"-\""),
         create<MotdCommand>},
        {QStringLiteral("launch"), QStringLiteral("launch [--foreground]"),
         QStringLiteral("start KVXServer.exe from the server folder"), create<LaunchCommand>},
    };
    return entries;
}

const CommandEntry *findCommand(const QString &name)
{
    for (const CommandEntry &entry : commandRegistry()) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

QString usageLine(const CommandEntry &entry)
{
    return QStringLiteral("Usage: kvxconfig %1 [--folder DIR]").arg(entry.synopsis);
}

QString commandUsage(const CommandEntry &entry)
{
    return usageLine(entry) + QStringLiteral("\n  ") + entry.description
        + QStringLiteral("\nDIR is the server folder (default: the folder kvxconfig lies in); see kvxconfig --help "
                         "for more.\n");
}
