#pragma once

#include <QStringList>

// The configuration file's working copy: an ordered list of lines without
// terminators, addressed by fixed index.
class ConfigDocument final
{
public:
    ConfigDocument() = default;
    explicit ConfigDocument(QStringList lines) : m_lines(std::move(lines)) {}

    void clear() { m_lines.clear(); }
    // Replaces line i, or appends when i equals the line count.
    void setLine(qsizetype index, const QString &text);
    QString line(qsizetype index) const { return m_lines.value(index); }
    qsizetype count() const { return m_lines.size(); }
    void append(const QString &text) { m_lines.append(text); }
    const QStringList &lines() const { return m_lines; }

    bool operator==(const ConfigDocument &) const = default;

private:
    QStringList m_lines;
};
