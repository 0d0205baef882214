#include "DisplayCheck.h"
#include "StartChoice.h"
#include "ToolFolderLocation.h"
#include "cli/CommandLine.h"
#include "ui/Dialogs.h"
#include "lifetime/ToolLifetime.h"

#include <QApplication>

#include <csignal>
#include <cstdio>
#include <optional>

namespace {

int runWindows(int &argc, char *argv[], bool listenMode)
{
    if (!displayNamed(QProcessEnvironment::systemEnvironment())) {
        std::fputs(qPrintable(noDisplayHint() + QLatin1Char('\n')), stderr);
        return 1;
    }
    std::optional<QApplication> created;
    {
        // A named display that cannot be reached ends the process inside the
        // constructor, with the toolkit's fatal message.
        const DisplayHintOnFatal hint;
        created.emplace(argc, argv);
    }
    QApplication &app = *created;
    app.setQuitOnLastWindowClosed(false); // the tool ends through its owner alone

    const Result<QString> location = toolFolderOf(runningExecutablePath());
    if (!location) {
        MessageBox::show(nullptr, MessageBox::Icon::Critical, MessageTitle::error,
                         location.error() + QStringLiteral("\r\nThe tool ends."));
        return 1;
    }

    ToolContext context;
    context.folder = location.value();
    context.listenMode = listenMode;

    ToolLifetime tool(context);
    QObject::connect(&tool, &ToolLifetime::toolEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    tool.start();
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_UNIX
    // A file-size limit (ulimit -f) makes a write past it fail with "File
    // too large", which every save reports, instead of killing the tool
    // with no word. Caught rather than ignored: a caught signal is back to
    // its default in the server the tool starts.
    struct sigaction fileSizeLimit {};
    fileSizeLimit.sa_handler = [](int) {};
    sigemptyset(&fileSizeLimit.sa_mask);
    sigaction(SIGXFSZ, &fileSizeLimit, nullptr);
#endif
    // Taken before any application object exists, so Qt has not yet removed
    // its own options (-reverse, -style, ...) from them.
    const QStringList arguments = rawArguments(argc, argv);
    const StartChoice choice = chooseStart(arguments);
    if (choice != StartChoice::CommandLine) {
        if (const QString word = nearMissOfCommand(arguments); !word.isEmpty()) {
            std::fputs(qPrintable(QStringLiteral("kvxconfig: \"%1\" is no command, so the windows open; see "
                                                 "kvxconfig --help for the command line.\n")
                                      .arg(word)),
                       stderr);
        }
        return runWindows(argc, argv, choice == StartChoice::ListenWindows);
    }

    // No display, fonts or platform plugin: QtCore alone.
    QCoreApplication app(argc, argv);
    return runCommandLine(arguments, toolFolderOf(runningExecutablePath()));
}
