#pragma once

#include "ToolContext.h"
#include "files/RegularFile.h"

#include <optional>

class FolderLock;
class QWidget;

// Before a window replaces a file, holding the folder's lock: the file is read
// once more, and what is replaced is what this read found. When another
// program changed it since the tool read it (the command line, a second
// instance, a text editor), the operator decides; `shown` says what would
// replace it ("settings", "text"). Nothing when the window must not write
// the file: with `failure` empty the operator said No, otherwise it holds the
// reason for the window to show (a file the tool could not read, now or
// earlier in this run, is never replaced).
std::optional<FileSnapshot> replaceable(QWidget *parent, const ToolContext &context, const QString &fileName,
                                        const QString &shown, QString *failure);

// Takes the folder's lock for a save; false after telling the operator why
// it could not be had, under the tool's error title.
bool lockForSave(QWidget *parent, FolderLock &lock);
