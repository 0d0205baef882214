#pragma once

#include "ToolContext.h"

class QWidget;

// Before a window replaces a file that another program changed since the
// tool read it (the command line, a second instance, a text editor), the
// operator decides. True when the window may write `fileName`; `shown` says
// what would replace it ("settings", "text").
bool mayReplace(QWidget *parent, const ToolContext &context, const QString &fileName, const QString &shown);
