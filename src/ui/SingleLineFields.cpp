#include "SingleLineFields.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace {

// Control characters become spaces, a CR LF pair one space.
QString withoutControlCharacters(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar &c : text) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    return text;
}

class SingleLineValidator final : public QValidator
{
public:
    explicit SingleLineValidator(QLineEdit *field) : QValidator(field), m_field(field), m_accepted(field->text()) {}

    State validate(QString &input, int &pos) const override
    {
        // Only the operator's edits are cleaned, and only what they brought:
        // the part between what stayed the same at either end.
        if (m_field->isModified()) {
            const qsizetype common = std::min(input.size(), m_accepted.size());
            qsizetype head = 0;
            while (head < common && input.at(head) == m_accepted.at(head))
                ++head;
            qsizetype tail = 0;
            while (tail < common - head && input.at(input.size() - 1 - tail) == m_accepted.at(m_accepted.size() - 1 - tail))
                ++tail;
            const qsizetype length = input.size() - head - tail;
            const QString brought = input.mid(head, length);
            const QString cleaned = withoutControlCharacters(brought);
            if (cleaned != brought) {
                input.replace(head, length, cleaned);
                // The caret keeps its place relative to the text before it.
                if (pos >= head + length)
                    pos -= int(length - cleaned.size());
                else if (pos > head)
                    pos = int(head + withoutControlCharacters(brought.left(pos - head)).size());
            }
        }
        m_accepted = input;
        return Acceptable;
    }

private:
    QLineEdit *m_field;
    mutable QString m_accepted; // the field's text as last let through
};

} // namespace

void keepFieldsSingleLine(QWidget *window)
{
    for (QLineEdit *field : window->findChildren<QLineEdit *>()) {
        if (!field->validator())
            field->setValidator(new SingleLineValidator(field));
    }
}
