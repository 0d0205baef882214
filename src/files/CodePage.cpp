#include "CodePage.h"

#include <array>

namespace {

// Windows-1252 is Latin-1 but for 0x80 to 0x9F. The five bytes it leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of
// the same number, so every byte still reads and writes back unchanged.
constexpr std::array<char16_t, 32> high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

// The byte for a character, or -1 when the code page has none.
int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < high.size(); ++i) {
        if (high[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

} // namespace

QString decodeCodePage(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
    }
    return text;
}

QByteArray encodeCodePage(const QString &text, qsizetype *badIndex)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteOf(text.at(i).unicode());
        if (b < 0) {
            if (badIndex)
                *badIndex = i;
            return QByteArray();
        }
        bytes[i] = char(b);
    }
    return bytes;
}

QString describeCharacterAt(const QString &text, qsizetype index)
{
    const QChar c = text.at(index);
    const bool pair = c.isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate();
    const char32_t code = pair ? QChar::surrogateToUcs4(c, text.at(index + 1)) : c.unicode();
    const QString codePoint = QStringLiteral("U+") + QString::number(uint(code), 16).toUpper().rightJustified(4, u'0');
    if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f))
        return codePoint;
    return QStringLiteral("\"%1\" (%2)").arg(text.mid(index, pair ? 2 : 1), codePoint);
}
