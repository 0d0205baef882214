#pragma once

#include "Command.h"

#include <optional>

struct GivenValue; // a setting and the value given for it

// `set [KEY=VALUE...]`: the classic editor from start to save. Reads
// kvxserver.conf as the editor does, applies the given values after checking
// them, commits with the editor's commit and saves with the windows' backup
// rule. Nothing is written when a value is refused.
class SetCommand final : public Command
{
public:
    using Command::Command;

protected:
    bool takesValues() const override { return true; }
    int execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context) override;

private:
    // The values given, in the file's order, a key given twice keeping its
    // last value; nothing after telling what is not KEY=VALUE or no key.
    std::optional<QList<GivenValue>> givenValues(const QStringList &arguments, const CommandContext &context) const;
};
