#pragma once

#include "ToolContext.h"
#include "config/ConfigCommit.h"

class QWidget;

// What both front ends do once their files are saved and the tool is not in
// listen mode: make sure KVXServer.exe lies in the tool folder (asking for a
// copy when it does not), show the standby window and start the server.
enum class LaunchOutcome {
    Started,   // the server runs; the tool ends
    EndTool,   // a copy raised no error but left no file; the tool ends
    StayOpen,  // cancelled, a failed copy, or a server that would not start
};

LaunchOutcome launchServer(QWidget *parent, const ToolContext &context);

// Shows a commit's alerts in order, as critical message boxes.
void showCommitAlerts(QWidget *parent, const QList<CommitAlert> &alerts);

// What both front ends do once kvxserver.conf is saved: in listen mode
// nothing more; otherwise launchServer(). True when the tool is to end.
bool launchOrFinish(QWidget *parent, const ToolContext &context);
