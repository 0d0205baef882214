#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the code page of kvxserver.conf and motd.txt on every
// platform. Every byte decodes to a character, so an unchanged file writes
// back byte for byte.

QString decodeCodePage(const QByteArray &bytes);
// Null when `text` holds a character the code page cannot represent;
// `badIndex` then receives its position.
QByteArray encodeCodePage(const QString &text, qsizetype *badIndex = nullptr);
