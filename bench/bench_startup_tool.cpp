// Starts the tool's windows exactly as main does, over the tool folder given as
// the first argument, and exits when its window is first shown.

#include "FirstShowQuitter.h"

#include "lifetime/ToolLifetime.h"
#include "wizard/WizardWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    if (argc < 2)
        qFatal("usage: bench_startup_tool TOOL-FOLDER");

    ToolContext context;
    context.folder = QString::fromLocal8Bit(argv[1]);
    FirstShowQuitter quitter;
    ToolLifetime tool(context);
    quitter.watch(tool.wizard());
    tool.start();
    return app.exec();
}
