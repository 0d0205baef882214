#pragma once

#include "AtomicFile.h"

#include <QString>

// `motd.txt`: plain text in the configuration file's code page, lines ended by
// CR LF. Both MOTD text boxes (the MOTD editor's and the classic editor's) read
// and write it through these two functions.

QString motdFileName();

struct MotdText {
    QString text;      // the file's lines joined by CR LF, no final line break
    FileSnapshot file; // the bytes the text came from; `exists` false when nothing was there
};

// CR LF, a lone CR and a lone LF each end a line.
Result<MotdText> loadmotd(const QString &path);

// Writes the text unaltered followed by one CR LF, atomically, in place of
// `replaced` (the file as last read, holding the folder's lock): where its
// bytes came from, with its owner, group and permission bits. A character
// the code page cannot hold fails the write and leaves the old file.
Result<void> savemotd(const QString &path, const QString &text, const FileSnapshot &replaced);

// The same after reading the file at `path` once.
Result<void> savemotd(const QString &path, const QString &text);
