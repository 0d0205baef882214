#pragma once

#include <QList>
#include <QString>

#include <memory>

class Command;

// One command of the command line: dispatch creates it by its name, and
// --help and COMMAND --help describe it from the same entry.
struct CommandEntry {
    QString name;
    QString synopsis;    // the name and what follows it: "show [--json]"
    QString description; // one line: "the settings kvxserver.conf holds, ..."
    std::unique_ptr<Command> (*create)(const CommandEntry &entry);
};

// In the order --help lists them.
const QList<CommandEntry> &commandRegistry();
// Nothing when `name` names no command; letter case counts.
const CommandEntry *findCommand(const QString &name);

// "Usage: kvxconfig show [--json] [--folder DIR]"
QString usageLine(const CommandEntry &entry);
// What COMMAND --help prints: the usage line and the description.
QString commandUsage(const CommandEntry &entry);
