#include "ServerLaunch.h"

#include "Dialogs.h"
#include "StandbyWindow.h"
#include "launch/ServerProgram.h"

#include <QDir>

void showCommitAlerts(QWidget *parent, const QList<CommitAlert> &alerts)
{
    for (CommitAlert alert : alerts)
        MessageBox::show(parent, OperatorMessage::Icon::Critical, commitAlertTitle(), commitAlertText(alert));
}

bool launchOrFinish(QWidget *parent, const ToolContext &context)
{
    return context.listenMode || launchServer(parent, context) != LaunchOutcome::StayOpen;
}

LaunchOutcome launchServer(QWidget *parent, const ToolContext &context)
{
    if (!serverPresent(context.folder)) {
        const QString chosen = FileDialog::getOpenFileName(
            parent, {QStringLiteral("Please select a copy of KVXServer.exe"), context.folder,
                     QStringLiteral("KVXServer.exe|KVXServer.exe|All Files (*.*)|*.*")});
        // A cancelled dialog stops quietly; the operator may try again.
        if (chosen.isEmpty())
            return LaunchOutcome::StayOpen;
        const Result<void> copied = copyServer(chosen, context.folder);
        if (!copied) {
            MessageBox::show(parent, OperatorMessage::Icon::Exclamation, MessageTitle::info, copied.error());
            return LaunchOutcome::StayOpen;
        }
        if (!serverPresent(context.folder)) {
            MessageBox::show(parent, OperatorMessage::Icon::Exclamation, MessageTitle::info,
                             QStringLiteral("The server executable could not be copied to %1. Check that you "
                                            "have write permissions to the folder.")
                                 .arg(context.displayPath(serverFileName())));
            return LaunchOutcome::EndTool;
        }
        MessageBox::show(parent, OperatorMessage::Icon::Exclamation, MessageTitle::info,
                         QStringLiteral("The server executable has been copied to %1. This to be used with the "
                                        "stored config file and MOTD. We recommend updating your shortcuts if "
                                        "you want to keep using this config file.")
                             .arg(context.displayPath(serverFileName())));
    }

    // The standby window belongs to the front end, so it stays on screen
    // until the tool ends and goes with it.
    auto *standby = new StandbyWindow(parent);
    standby->showPainted();
    const Result<qint64> started = startServer(context.folder);
    if (started)
        return LaunchOutcome::Started;
    standby->close();

    MessageBox::show(parent, OperatorMessage::Icon::Critical, MessageTitle::info,
                     QStringLiteral("The server %1 could not be started: %2")
                         .arg(context.displayPath(serverFileName()), started.reason()));
    return LaunchOutcome::StayOpen;
}
