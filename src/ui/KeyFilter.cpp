#include "KeyFilter.h"

#include "Dialogs.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <optional>

namespace {

// The character code a key press carries, worked out from the key and its
// modifiers as Windows does. The event's text cannot tell: a real keyboard
// sends Ctrl+V as "\x16", Qt's test tools as "v".
std::optional<QChar> characterCode(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    // Alt+letter belongs to the access keys; Meta (the Windows key) to the desktop.
    if ((alt && !control) || modifiers.testFlag(Qt::MetaModifier))
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return std::nullopt; // moves the focus
    case Qt::Key_Backspace:
        return QChar(control ? 127 : 8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(control ? 10 : 13);
    case Qt::Key_Escape:
        return QChar(27);
    default:
        break;
    }
    const int key = event.key();
    if (control && !alt)
        return key >= Qt::Key_A && key <= Qt::Key_Z ? std::optional(QChar(key - Qt::Key_A + 1)) : std::nullopt;
    // Plain and shifted keys, and AltGr (Ctrl+Alt on Windows), carry what they type.
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7f)
        return std::nullopt;
    return text.at(0);
}

} // namespace

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
    const auto &key = *static_cast<QKeyEvent *>(event);
    // An Alt+letter that reaches the field is one no access key took. On
    // Windows it types nothing; here the line edit would type its letter,
    // past the rule, so it goes no further.
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    if (modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier) && !key.text().isEmpty()
        && key.text().at(0).isPrint())
        return true;
    const std::optional<QChar> code = characterCode(key);
    return code && !m_rule(static_cast<QLineEdit *>(watched), *code);
}
