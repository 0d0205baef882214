#pragma once

#include "Command.h"

// `set [KEY=VALUE...]`: the classic editor from start to save. Reads
// kvxserver.conf as the editor does, applies the given values after checking
// them, commits with the editor's commit and saves with the windows' backup
// rule. Nothing is written when a value is refused.
class SetCommand final : public Command
{
public:
    SetCommand();

protected:
    bool takesValues() const override { return true; }
    int execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context) override;
};
