#include "Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

MessageBox::Hook MessageBox::s_hook;
MessageBox::AnswerHook MessageBox::s_answerHook;
FileDialog::Hook FileDialog::s_hook;

namespace {

// A box built as every message of the tool is: plain text with its line
// breaks, the icon, the title.
void prepare(QMessageBox &box, const OperatorMessage &message)
{
    box.setWindowTitle(message.title);
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(message.text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    switch (message.icon) {
    case OperatorMessage::Icon::Information: box.setIcon(QMessageBox::Information); break;
    case OperatorMessage::Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case OperatorMessage::Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case OperatorMessage::Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
}

} // namespace

void MessageBox::setHook(Hook hook)
{
    s_hook = std::move(hook);
}

void MessageBox::setAnswerHook(AnswerHook hook)
{
    s_answerHook = std::move(hook);
}

void MessageBox::show(QWidget *parent, const OperatorMessage &message)
{
    if (s_hook) {
        s_hook(parent, message);
        return;
    }
    QMessageBox box(parent);
    prepare(box, message);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool MessageBox::ask(QWidget *parent, const QString &title, const QString &text)
{
    const OperatorMessage question{Icon::Question, title, text};
    if (s_answerHook)
        return s_answerHook(parent, question);
    QMessageBox box(parent);
    prepare(box, question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void FileDialog::setHook(Hook hook)
{
    s_hook = std::move(hook);
}

QString FileDialog::toQtFilter(const QString &pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts.at(i + 1);
        // "*.*" means every file on the platform this filter was written for.
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i), pattern);
    }
    return filters.join(QLatin1String(";;"));
}

QString FileDialog::getOpenFileName(QWidget *parent, const Request &request)
{
    if (s_hook)
        return s_hook(request);
    // Qt's filter syntax needs the patterns after each name; the operator
    // sees the names alone, as the filter pairs give them.
    return QFileDialog::getOpenFileName(parent, request.title, request.folder, toQtFilter(request.filter), nullptr,
                                        QFileDialog::HideNameFilterDetails);
}
