#pragma once

#include "rules/InputRules.h"

#include <QObject>

#include <functional>

class QLineEdit;

// Refuses typed characters before they reach a line edit, so a refused key
// never changes the text or fires a change signal. Only character keys are
// judged (printable characters and Backspace); keys without a character,
// shortcuts such as Ctrl+V, paste and input-method text pass untouched.
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
