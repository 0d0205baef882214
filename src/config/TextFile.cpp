#include "TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Windows-1252 on every platform: the game's clients show names in it, and a
// file moved between a Windows and a Linux server must round-trip.
constexpr const char *codePage = "windows-1252";

} // namespace

QString decodeCodePage(const QByteArray &bytes)
{
    QStringDecoder decoder(codePage);
    return decoder.decode(bytes);
}

QByteArray encodeCodePage(const QString &text, qsizetype *badIndex)
{
    QStringEncoder encoder(codePage);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
    if (badIndex) {
        *badIndex = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            QStringEncoder single(codePage);
            const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            single.encode(QStringView(text).mid(i, width));
            if (single.hasError()) {
                *badIndex = i;
                break;
            }
            i += width - 1;
        }
    }
    return QByteArray();
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

TextReadResult readTextLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, {}, file.errorString()};
    const QByteArray bytes = file.readAll();
    // readAll() cannot tell a read error from an empty file by itself.
    if (file.error() != QFileDevice::NoError)
        return {false, {}, file.errorString()};
    return {true, splitLines(decodeCodePage(bytes)), QString()};
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
