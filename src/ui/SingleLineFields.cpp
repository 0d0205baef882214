#include "SingleLineFields.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QValidator>

namespace {

class SingleLineValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
        if (input.contains(u'\r') || input.contains(u'\n')) {
            // Keep the caret where it was relative to the text before it.
            QString before = input.left(pos);
            before.replace(lineBreak, QStringLiteral(" "));
            input.replace(lineBreak, QStringLiteral(" "));
            pos = int(before.size());
        }
        return Acceptable;
    }
};

} // namespace

void keepFieldsSingleLine(QWidget *window)
{
    for (QLineEdit *field : window->findChildren<QLineEdit *>()) {
        if (!field->validator())
            field->setValidator(new SingleLineValidator(field));
    }
}
