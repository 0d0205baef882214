#include "LaunchCommand.h"

#include "launch/ServerRun.h"

#include <QDir>
#include <QTextStream>

namespace {

const QString foregroundOption = QStringLiteral("foreground");

} // namespace

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
        const Result<int> exitStatus = runServerAttached(folder);
        if (!exitStatus) {
            context.message(exitStatus.error());
            return ExitFileError;
        }
        return exitStatus.value();
    }
    const Result<qint64> started = startServer(folder, folder, ServerChannels::Discarded);
    if (!started) {
        context.message(started.error());
        return ExitFileError;
    }
    context.out << started.value() << '\n';
    context.out.flush();
    return ExitDone;
}
