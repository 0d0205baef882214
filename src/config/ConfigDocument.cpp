#include "ConfigDocument.h"

void ConfigDocument::setLine(qsizetype index, const QString &text)
{
    if (index == m_lines.size())
        m_lines.append(text);
    else if (index >= 0 && index < m_lines.size())
        m_lines[index] = text;
}
