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

namespace {

// Cuts text into lines as it arrives, so a file is read in pieces without
// holding it whole. A CR at the end of one piece and an LF at the start of
// the next make one break.
class LineSplitter
{
public:
    void feed(QStringView text)
    {
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (m_afterCr) {
                m_afterCr = false;
                if (c == u'\n') {
                    start = i + 1;
                    continue;
                }
            }
            if (c != u'\r' && c != u'\n')
                continue;
            m_pending += text.mid(start, i - start);
            m_lines.append(m_pending);
            m_pending.clear();
            m_afterCr = c == u'\r';
            start = i + 1;
        }
        m_pending += text.mid(start);
    }

    QStringList finish()
    {
        if (!m_pending.isEmpty())
            m_lines.append(m_pending);
        m_pending.clear();
        return std::move(m_lines);
    }

private:
    QStringList m_lines;
    QString m_pending;
    bool m_afterCr = false;
};

} // namespace

QStringList splitLines(const QString &text)
{
    LineSplitter splitter;
    splitter.feed(text);
    return splitter.finish();
}

TextReadResult readTextLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, {}, file.errorString()};
    QStringDecoder decoder(codePage);
    LineSplitter splitter;
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(buffer.data(), buffer.size());
        if (read < 0)
            return {false, {}, file.errorString()};
        if (read == 0)
            break;
        const QString text = decoder.decode(QByteArrayView(buffer.constData(), read));
        splitter.feed(text);
    }
    return {true, splitter.finish(), QString()};
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
