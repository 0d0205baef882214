#pragma once

#include "RegularFile.h"

#include <QString>
#include <QStringList>

// Text files as the game's server reads them: Windows-1252, lines ended by
// CR LF.

struct TextLines {
    QStringList lines;
    FileSnapshot file; // the bytes the lines came from; `exists` false when nothing was there
};

// Splits at CR LF, a lone CR and a lone LF; a final terminator ends the last
// line and adds no empty one.
QStringList splitLines(const QString &text);
// Nothing at the path gives no lines; see readRegularFile() for what is refused.
Result<TextLines> readTextLines(const QString &path);
QStringList linesOf(const QByteArray &bytes);
