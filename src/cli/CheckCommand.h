#pragma once

#include "Command.h"

// `check`: writes nothing; reports, one line each on standard output, the hand
// edits a save would replace, the values `set` would refuse and the alerts a
// save would raise. Exit status 0 when there is nothing to report, else 1.
class CheckCommand final : public Command
{
public:
    using Command::Command;

protected:
    int execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context) override;
};
