#include "LaunchCommand.h"

#include "launch/ServerRun.h"

#include <QDir>
#include <QTextStream>

namespace {

const QString foregroundOption = QStringLiteral("foreground");

} // namespace

LaunchCommand::LaunchCommand()
    : Command(QStringLiteral("launch"), QStringLiteral("launch [--foreground]"))
{
}

QList<QCommandLineOption> LaunchCommand::options() const
{
    return {QCommandLineOption(foregroundOption)};
}

int LaunchCommand::execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context)
{
    const QString path = QDir::toNativeSeparators(serverFilePath(folder));
    if (const QString problem = serverPathProblem(folder); !problem.isEmpty()) {
        context.message(QStringLiteral("%1 cannot be started: %2.").arg(path, problem));
        return ExitFileError;
    }
    if (parser.isSet(foregroundOption)) {
        context.out.flush();
        context.err.flush();
        const ServerExit exit = runServerAttached(folder);
        if (!exit.started) {
            context.message(QStringLiteral("%1 could not be started: %2").arg(path, exit.error));
            return ExitFileError;
        }
        return exit.status;
    }
    const StartResult started = startServer(folder, folder, ServerChannels::Discarded);
    if (!started.ok) {
        context.message(QStringLiteral("%1 could not be started: %2").arg(path, started.error));
        return ExitFileError;
    }
    context.out << started.pid << '\n';
    context.out.flush();
    return ExitDone;
}
