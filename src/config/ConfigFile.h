#pragma once

#include "ConfigDocument.h"
#include "files/AtomicFile.h"
#include "files/TextFile.h"

#include <QString>

// The configuration file's name in the tool folder, and its path there.
QString configFileName();
QString configFilePath(const QString &toolFolder);

// Reads a configuration file's lines and keeps the bytes they came from.
Result<TextLines> loadconfig(const QString &path);

// Where the old file goes when a save would replace the operator's hand edits.
QString backupFilePath(const QString &configPath);

// Writes every line followed by CR LF, atomically, in place of `replaced`:
// the file as the caller read it last, holding the folder's lock. Fails
// without touching the file when a line holds a CR or LF, or a character
// Windows-1252 lacks; the error then names the setting. When `replaced`
// holds hand edits (see findHandEdits()), its bytes are first written to
// backupFilePath(), with its owner, group and permission bits; when that
// copy fails, nothing is saved. The new file takes the same attributes and
// goes where the bytes came from (the end of a trusted link).
Result<void> saveconfig(const QString &path, const ConfigDocument &document, const FileSnapshot &replaced);

// The same after reading the file at `path` once.
Result<void> saveconfig(const QString &path, const ConfigDocument &document);

// The save of a run that holds the folder's lock and judged `judged`: the
// file is read once more and replaced only while it still holds those bytes,
// since a program that takes no lock (a text editor) may have written in the
// meantime. `changed` tells that case from the others.
Result<void> saveconfigIfUnchanged(const QString &path, const ConfigDocument &document, const FileSnapshot &judged,
                                   bool *changed);

// Whether a save of `document` over `replaced` keeps a backup first.
bool keepsBackup(const FileSnapshot &replaced, const ConfigDocument &document);
