#pragma once

#include "Command.h"

// `motd`: prints the message of the day as the MOTD editor shows it, in
// UTF-8 with LF line ends. `motd --set FILE|-`: replaces motd.txt's text from
// a UTF-8 file or standard input, dropping one final line break, so that
// what `motd` prints sets the same file again.
class MotdCommand final : public Command
{
public:
    using Command::Command;

protected:
    QList<QCommandLineOption> options() const override;
    int execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context) override;

private:
    int print(const QString &path, const CommandContext &context);
    int replace(const QString &source, const QString &path, const CommandContext &context);
};
