#pragma once

#include <QString>

// A message for the operator as plain values: the windows show it in a
// message box with a single OK button, the command line prints its text.
struct OperatorMessage {
    enum class Icon { Information, Exclamation, Critical, Question };

    Icon icon = Icon::Exclamation;
    QString title;
    QString text; // line breaks as CR LF

    bool operator==(const OperatorMessage &) const = default;
};
