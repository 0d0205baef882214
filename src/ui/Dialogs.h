#pragma once

#include "rules/OperatorMessage.h"

#include <QString>

#include <functional>

class QWidget;

// The one seam through which every message box and the open-file dialog pass,
// so that tests answer them instead of a person.

// Message boxes with a fixed text, title, icon and a single OK button, and
// questions answered Yes or No. Texts may hold CR LF line breaks; they are
// shown as line breaks. A box is centred on its parent's window.
class MessageBox final
{
public:
    using Icon = OperatorMessage::Icon;
    using Hook = std::function<void(QWidget *parent, const OperatorMessage &)>;
    using AnswerHook = std::function<bool(QWidget *parent, const OperatorMessage &)>;

    static void show(QWidget *parent, const OperatorMessage &message);
    static void show(QWidget *parent, Icon icon, const QString &title, const QString &text)
    {
        show(parent, {icon, title, text});
    }

    // A question with Yes and No buttons, No the default; true for Yes.
    static bool ask(QWidget *parent, const QString &title, const QString &text);

    // When hooks are set, boxes and questions are handed to them instead of
    // being shown.
    static void setHook(Hook hook);
    static void setAnswerHook(AnswerHook hook);

private:
    static Hook s_hook;
    static AnswerHook s_answerHook;
};

// The open-file dialog. `filter` is written as description and pattern pairs
// separated by "|", for example "Text|*.txt|All Files (*.*)|*.*"; the dialog
// lists the descriptions alone.
class FileDialog final
{
public:
    struct Request {
        QString title;
        QString folder;
        QString filter;
    };
    // Returns the chosen path, or an empty string when cancelled.
    using Hook = std::function<QString(const Request &)>;

    static QString getOpenFileName(QWidget *parent, const Request &request);
    static void setHook(Hook hook);

    // "Text|*.txt|All|*.*" as Qt writes it: "Text (*.txt);;All (*)".
    static QString toQtFilter(const QString &pairs);

private:
    static Hook s_hook;
};
