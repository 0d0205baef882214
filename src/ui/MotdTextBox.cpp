#include "MotdTextBox.h"

#include <QPlainTextEdit>
#include <QTextDocument>

QString motdTextOf(const QPlainTextEdit *box)
{
    // toPlainText() would turn no-break spaces into plain ones and so change
    // the file behind the operator's back; the raw text keeps every
    // character, with block and soft line breaks (and any stray CR) to turn
    // into CR LF.
    QString text = box->document()->toRawText();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
}

void showMotdText(QPlainTextEdit *box, const QString &fileText)
{
    box->setPlainText(QString(fileText).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}
