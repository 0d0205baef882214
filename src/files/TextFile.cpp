#include "TextFile.h"

#include "CodePage.h"

#include <QFile>

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
    LineSplitter splitter;
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(buffer.data(), buffer.size());
        if (read < 0)
            return {false, {}, file.errorString()};
        if (read == 0)
            break;
        // One byte is one character, so each piece decodes on its own.
        splitter.feed(decodeCodePage(QByteArray::fromRawData(buffer.constData(), read)));
    }
    return {true, splitter.finish(), QString()};
}
