#pragma once

#include "ConfigDocument.h"
#include "TextFile.h"

#include <QString>

// The configuration file's name in the tool folder, and its path there.
QString configFileName();
QString configFilePath(const QString &toolFolder);

// Reads a configuration file's lines.
TextReadResult loadconfig(const QString &path);

struct SaveResult {
    bool ok = false;
    QString error; // a sentence for the operator when !ok
};

// Writes every line followed by CR LF, atomically. Fails without touching the
// file when a line holds a CR or LF, or a character Windows-1252 lacks; the
// error then names the setting.
SaveResult saveconfig(const QString &path, const ConfigDocument &document);
