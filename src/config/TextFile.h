#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files as the game's server reads them: Windows-1252 on every platform,
// lines ended by CR LF. Reading maps every byte to a character, so an unchanged
// file writes back byte for byte.

struct TextReadResult {
    bool ok = false;
    QStringList lines;
    QString error; // the platform's reason when !ok
};

// Splits at CR LF, a lone CR and a lone LF; a final terminator ends the last
// line and adds no empty one.
QStringList splitLines(const QString &text);
TextReadResult readTextLines(const QString &path);

QString decodeCodePage(const QByteArray &bytes);
// Null when `text` holds a character the code page cannot represent;
// `badIndex` then receives its position.
QByteArray encodeCodePage(const QString &text, qsizetype *badIndex = nullptr);

// Writes `bytes` atomically: through a temporary file in the same folder that
// is renamed over `path`. On failure the old file is untouched and `error`
// holds the platform's reason.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error);
