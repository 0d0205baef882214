#pragma once

#include "ConfigDocument.h"
#include "files/AtomicFile.h"
#include "files/TextFile.h"

#include <QString>

// The configuration file's name in the tool folder, and its path there.
QString configFileName();
QString configFilePath(const QString &toolFolder);

// Reads a configuration file's lines.
TextReadResult loadconfig(const QString &path);

// Where the old file goes when a save would replace the operator's hand edits.
QString backupFilePath(const QString &configPath);

// Writes every line followed by CR LF, atomically. Fails without touching the
// file when a line holds a CR or LF, or a character Windows-1252 lacks; the
// error then names the setting. An old file with hand edits (any line the tool
// does not manage that differs from the new text, or another number of lines)
// is first copied byte for byte to backupFilePath(); when that copy fails,
// nothing is saved.
SaveResult saveconfig(const QString &path, const ConfigDocument &document);
