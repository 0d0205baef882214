#pragma once

#include "DialogRecorder.h"
#include "ToolFolder.h"
#include "classic/ClassicWindow.h"
#include "lifetime/ToolLifetime.h"
#include "wizard/WizardWindow.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// One run of the tool in its own temporary folder, started as main starts
// it, with every dialog answered. Controls are found by name in a window.
struct ToolRun {
    ToolFolder folder;
    DialogRecorder dialogs;
    std::unique_ptr<ToolLifetime> lifetime;
    WizardWindow *wizard = nullptr;
    std::unique_ptr<QSignalSpy> ended;
    std::unique_ptr<QWidget> own; // the About box or the standby window, made by show()
    QWidget *window = nullptr;    // the one show() put in front

    void start(bool listenMode = false);
    // Starts the tool and shows one of its windows, active: "wizard",
    // "classic", "classic -listen", "MOTD editor", "About box" or "standby".
    QWidget *show(const QString &kind);
    // The classic editor, opened as the operator opens it: through the
    // wizard's first page, unless it is in front already.
    ClassicWindow *classic();

    template <typename T = QWidget> static T *get(QWidget *window, const QString &name)
    {
        if (T *control = window->findChild<T *>(name))
            return control;
        qFatal("no control %s in %s", qPrintable(name), qPrintable(window->objectName()));
    }
    // In the window show() put in front, or else in the wizard.
    template <typename T = QWidget> T *get(const QString &name) const { return get<T>(window ? window : wizard, name); }
    // Clicks each named control of `window` in turn.
    static void click(QWidget *window, const QStringList &names);
    void click(const QStringList &names) const { click(wizard, names); }
    // Replaces a field's text by typing.
    static void type(QLineEdit *field, const QString &text);
    void goToPage(int page) const;
    // Pages the wizard forward to `page` by Enter on a focused Next.
    void enterPages(int page) const;
    // The MOTD editors that exist, shown or not, counted without creating one.
    static QList<QWidget *> motdEditors();
    // The one wizard page on show, 1 to 7; 0 when none or several are.
    int page() const;
};
