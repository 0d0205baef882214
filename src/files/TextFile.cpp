#include "TextFile.h"

#include "CodePage.h"

#include <algorithm>

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

QStringList linesOf(const QByteArray &bytes)
{
    LineSplitter splitter;
    // One byte is one character, so each piece decodes on its own and a
    // large file is never held twice as text.
    constexpr qsizetype piece = 64 * 1024;
    for (qsizetype start = 0; start < bytes.size(); start += piece)
        splitter.feed(decodeCodePage(QByteArray::fromRawData(bytes.constData() + start, std::min(piece, bytes.size() - start))));
    return splitter.finish();
}

Result<TextLines> readTextLines(const QString &path)
{
    Result<FileSnapshot> read = readRegularFile(path);
    if (!read)
        return read.failure();
    QStringList lines = linesOf(read->bytes);
    return TextLines{std::move(lines), std::move(read).value()};
}
