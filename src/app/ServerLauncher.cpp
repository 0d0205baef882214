#include "ServerLauncher.h"

#include "Dialogs.h"
#include "StandbyWindow.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QScreen>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QString infoTitle = QStringLiteral("Server Config Info");

bool startDetached(const QString &program, QString *error)
{
    QProcess process;
    process.setProgram(program);
#ifdef Q_OS_WIN
    // Minimised, and the new window takes the focus.
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
    });
#endif
    if (process.startDetached())
        return true;
    *error = process.errorString();
    return false;
}

} // namespace

QString serverFileName()
{
    return QStringLiteral("KVXServer.exe");
}

void showCommitAlerts(QWidget *parent, const QList<CommitAlert> &alerts)
{
    for (CommitAlert alert : alerts)
        MessageBox::show(parent, MessageBox::Icon::Critical, commitAlertTitle(), commitAlertText(alert));
}

bool launchOrFinish(QWidget *parent, const ToolContext &context)
{
    return context.listenMode() || launchServer(parent, context) != LaunchOutcome::StayOpen;
}

LaunchOutcome launchServer(QWidget *parent, const ToolContext &context)
{
    const QString target = context.path(serverFileName());
    if (!QFileInfo::exists(target)) {
        const QString chosen = FileDialog::getOpenFileName(
            parent, {QStringLiteral("Please select a copy of KVXServer.exe"), context.folder,
                     QStringLiteral("KVXServer.exe|KVXServer.exe|All Files (*.*)|*.*")});
        // A cancelled dialog or a failed copy stops quietly; the operator may try again.
        if (chosen.isEmpty() || !QFile::copy(chosen, target))
            return LaunchOutcome::StayOpen;
        if (!QFileInfo::exists(target)) {
            MessageBox::show(parent, MessageBox::Icon::Exclamation, infoTitle,
                             QStringLiteral("The server executable could not be copied to %1. Check that you "
                                            "have write permissions to the folder.")
                                 .arg(context.displayPath(serverFileName())));
            return LaunchOutcome::EndTool;
        }
        MessageBox::show(parent, MessageBox::Icon::Exclamation, infoTitle,
                         QStringLiteral("The server executable has been copied to %1. This to be used with the "
                                        "stored config file and MOTD. We recommend updating your shortcuts if "
                                        "you want to keep using this config file.")
                             .arg(context.displayPath(serverFileName())));
    }

    QPointer<StandbyWindow> standby = new StandbyWindow;
    if (const QScreen *screen = QApplication::primaryScreen())
        standby->move(screen->availableGeometry().center() - standby->rect().center());
    standby->show();

    QString error;
    const bool started = startDetached(target, &error);
    if (standby)
        standby->close();
    if (started)
        return LaunchOutcome::Started;

    MessageBox::show(parent, MessageBox::Icon::Critical, infoTitle,
                     QStringLiteral("The server %1 could not be started: %2")
                         .arg(context.displayPath(serverFileName()), error));
    return LaunchOutcome::StayOpen;
}
