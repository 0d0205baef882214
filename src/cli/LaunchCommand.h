#pragma once

#include "Command.h"

// `launch [--foreground]`: starts KVXServer.exe from the server folder, in it.
// Detached, it prints the server's process id; with --foreground it stays
// with the server and ends with its exit status, so that a service manager
// or a container runtime supervises the server through the tool.
class LaunchCommand final : public Command
{
public:
    using Command::Command;

protected:
    QList<QCommandLineOption> options() const override;
    int execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context) override;
};
