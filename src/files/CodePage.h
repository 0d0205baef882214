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

// The character at `index` as a message names it: quoted, with its code point,
// so that an invisible one is seen too ("\"€\" (U+20AC)"). A surrogate pair is
// one character; a lone surrogate is quoted alone. A control character, which
// would act on a terminal rather than show, is named by its code point alone.
QString describeCharacterAt(const QString &text, qsizetype index);
