#pragma once

#include "rules/InputRules.h"

#include <QObject>

#include <functional>

class QLineEdit;

// Refuses typed characters before they reach a line edit, so a refused key
// never changes the text or fires a change signal. Every key press that
// carries a character code on the desktop the rules were written for is
// judged: printable characters, Backspace (8), Enter (13), Escape (27) and
// Ctrl+A to Ctrl+Z (1 to 26), so Ctrl+V in a digits-only field is refused
// like a letter. Tab and Shift+Tab (focus), Alt+letter (access keys), keys
// without a code (arrows, Delete, Home, End, Shift+Insert), pasting with the
// mouse and input-method text pass unjudged.
class KeyFilter final : public QObject
{
    Q_OBJECT
public:
    // Returns whether the key may reach the field; shows its own message.
    using Rule = std::function<bool(QLineEdit *field, QChar key)>;

    static void install(QLineEdit *field, Rule rule);

    // For the rules that explain a refusal: the verdict's message, if any,
    // is shown over the field's window.
    using VerdictRule = std::function<KeyVerdict(QLineEdit *field, QChar key)>;
    static void installWithMessages(QLineEdit *field, VerdictRule rule);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyFilter(QLineEdit *field, Rule rule);
    Rule m_rule;
};
