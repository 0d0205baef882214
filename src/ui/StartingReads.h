#pragma once

#include "ui/ToolContext.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// A window's first read of a file beside the tool. The tool remembers the
// file's state either way, so that a later save can tell a change made behind
// its back. A missing file gives nothing and no message; an unreadable one
// also gives nothing, and is told once in this run, over `owner`, with
// `whatFollows` saying what the window starts from instead.
std::optional<QStringList> readConfigAtStart(QWidget *owner, const ToolContext &context,
                                             const QString &whatFollows);
std::optional<QString> readMotdAtStart(QWidget *owner, const ToolContext &context, const QString &whatFollows);
