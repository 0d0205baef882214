#include "wizard/WizardWindow.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false); // the tool ends through the wizard alone

    ToolContext context;
    context.folder = QCoreApplication::applicationDirPath();
    context.arguments = QCoreApplication::arguments().mid(1);

    WizardWindow wizard(context);
    QObject::connect(&wizard, &WizardWindow::toolEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    wizard.start();
    return app.exec();
}
