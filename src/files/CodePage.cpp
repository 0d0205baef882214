#include "CodePage.h"

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
            // The conversion only runs when its result is taken.
            const QByteArray probe = single.encode(QStringView(text).mid(i, width));
            if (single.hasError()) {
                *badIndex = i;
                break;
            }
            i += width - 1;
        }
    }
    return QByteArray();
}
