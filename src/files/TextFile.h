#pragma once

#include <QString>
#include <QStringList>

// Text files as the game's server reads them: Windows-1252, lines ended by
// CR LF.

struct TextReadResult {
    bool ok = false;
    QStringList lines;
    QString error; // the platform's reason when !ok
};

// Splits at CR LF, a lone CR and a lone LF; a final terminator ends the last
// line and adds no empty one.
QStringList splitLines(const QString &text);
TextReadResult readTextLines(const QString &path);
