#pragma once

#include "Command.h"

// `show [--json]`: the settings kvxserver.conf holds, as the classic editor
// reads them; one KEY=VALUE line per setting, each one argument `set` takes.
class ShowCommand final : public Command
{
public:
    using Command::Command;

protected:
    QList<QCommandLineOption> options() const override;
    int execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context) override;
};
