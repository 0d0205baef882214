#pragma once

#include "AtomicFile.h"

#include <QString>

// `motd.txt`: plain text in the configuration file's code page, lines ended by
// CR LF. Both MOTD text boxes (the MOTD editor's and the classic editor's) read
// and write it through these two functions.

QString motdFileName();

struct MotdReadResult {
    bool ok = false;
    QString text;   // the file's lines joined by CR LF, no final line break
    QString error;  // the platform's reason when !ok
};

// CR LF, a lone CR and a lone LF each end a line.
MotdReadResult loadmotd(const QString &path);

// Writes the text unaltered followed by one CR LF, atomically. A character the
// code page cannot hold fails the write and leaves the old file.
SaveResult savemotd(const QString &path, const QString &text);
