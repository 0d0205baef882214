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

// The titles the tool's messages go under, each typed once.
namespace MessageTitle {
inline const QString error = QStringLiteral("Server config Error");
// The players box's refusal of a letter: the one error title in lower case.
inline const QString playersError = QStringLiteral("Server config error");
inline const QString info = QStringLiteral("Server Config Info");
inline const QString tool = QStringLiteral("Server configuration tool");
} // namespace MessageTitle
