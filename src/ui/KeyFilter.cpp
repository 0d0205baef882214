#include "KeyFilter.h"

#include "Dialogs.h"

#include <QKeyEvent>
#include <QLineEdit>

KeyFilter::KeyFilter(QLineEdit *field, Rule rule)
    : QObject(field)
    , m_rule(std::move(rule))
{
}

void KeyFilter::install(QLineEdit *field, Rule rule)
{
    field->installEventFilter(new KeyFilter(field, std::move(rule)));
}

void KeyFilter::installWithMessages(QLineEdit *field, VerdictRule rule)
{
    install(field, [rule = std::move(rule)](QLineEdit *target, QChar key) {
        const KeyVerdict verdict = rule(target, key);
        if (verdict.message)
            MessageBox::show(target->window(), *verdict.message);
        return verdict.accepted;
    });
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    QChar typed;
    if (key->key() == Qt::Key_Backspace) {
        typed = QChar(8);
    } else {
        const QString text = key->text();
        const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
        if (shortcut || text.isEmpty() || key->key() == Qt::Key_Delete)
            return false;
        typed = text.at(0);
        if (typed.unicode() < 0x20 || typed.unicode() == 0x7f)
            return false;
    }
    return !m_rule(static_cast<QLineEdit *>(watched), typed);
}
