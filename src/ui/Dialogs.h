#pragma once

#include "rules/OperatorMessage.h"

#include <QString>

#include <functional>

class QWidget;

// The one seam through which every message box and the open-file dialog pass,
// so that tests answer them instead of a person.

// Message boxes with a fixed text, title, icon and a single OK button. Texts
// may hold CR LF line breaks; they are shown as line breaks.
class MessageBox final
{
public:
    using Icon = OperatorMessage::Icon;
    using Hook = std::function<void(const OperatorMessage &)>;

    static void show(QWidget *parent, const OperatorMessage &message);
    static void show(QWidget *parent, Icon icon, const QString &title, const QString &text)
    {
        show(parent, {icon, title, text});
    }

    // When a hook is set, boxes are handed to it instead of being shown.
    static void setHook(Hook hook);

private:
    static Hook s_hook;
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
