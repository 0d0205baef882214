#pragma once

#include "DialogRecorder.h"
#include "ToolFolder.h"
#include "about/AboutBox.h"
#include "classic/ClassicWindow.h"
#include "lifetime/ToolLifetime.h"
#include "motd/MotdWindow.h"
#include "ui/StandbyWindow.h"
#include "wizard/WizardWindow.h"

#include <QApplication>
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

    void start(bool listenMode = false)
    {
        lifetime = std::make_unique<ToolLifetime>(ToolContext{folder.path(), listenMode});
        wizard = lifetime->wizard();
        ended = std::make_unique<QSignalSpy>(lifetime.get(), &ToolLifetime::toolEnded);
        lifetime->start();
    }
    // Starts the tool and shows one of its windows, active: "wizard",
    // "classic", "classic -listen", "MOTD editor", "About box" or "standby".
    QWidget *show(const QString &kind)
    {
        start(kind.endsWith("-listen"));
        if (kind == "About box" || kind == "standby")
            own.reset(kind == "standby" ? static_cast<QWidget *>(new StandbyWindow) : new AboutBox);
        window = own ? own.get() : kind.startsWith("classic") ? classic()
               : kind == "MOTD editor" ? static_cast<QWidget *>(lifetime->motdEditor()) : wizard;
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qFatal("the %s did not become active", qPrintable(kind));
        return window;
    }
    // The classic editor, opened as the operator opens it: through the
    // wizard's first page, unless it is in front already.
    ClassicWindow *classic()
    {
        if (!lifetime->classic() || !lifetime->classic()->isVisible()) {
            goToPage(1);
            click({"OptClassic", "cmdnext"});
        }
        return lifetime->classic();
    }

    template <typename T = QWidget> static T *get(QWidget *window, const QString &name)
    {
        if (T *control = window->findChild<T *>(name))
            return control;
        qFatal("no control %s in %s", qPrintable(name), qPrintable(window->objectName()));
    }
    // In the window show() put in front, or else in the wizard.
    template <typename T = QWidget> T *get(const QString &name) const { return get<T>(window ? window : wizard, name); }
    // Clicks each named control of `window` in turn.
    static void click(QWidget *window, const QStringList &names)
    {
        for (const QString &name : names)
            QTest::mouseClick(get(window, name), Qt::LeftButton);
    }
    void click(const QStringList &names) const { click(wizard, names); }
    // Replaces a field's text by typing.
    static void type(QLineEdit *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void goToPage(int target) const
    {
        for (int step = 0; step < 7 && page() != target; ++step)
            click({page() < target ? "cmdnext" : "cmdback"});
    }
    // Pages the wizard forward to `page` by Enter on a focused Next.
    void enterPages(int target) const
    {
        for (int step = wizard->currentPage(); step < target; ++step) {
            get(wizard, "cmdnext")->setFocus(Qt::TabFocusReason);
            QTest::keyClick(get(wizard, "cmdnext"), Qt::Key_Return);
        }
    }
    // The MOTD editors that exist, shown or not, counted without creating one.
    static QList<QWidget *> motdEditors()
    {
        QList<QWidget *> editors = QApplication::topLevelWidgets();
        editors.removeIf([](QWidget *window) { return window->objectName() != "frmmotd"; });
        return editors;
    }
    // The one wizard page on show, 1 to 7; 0 when none or several are.
    int page() const
    {
        const QStringList frames = {"FrameMain", "FrameGame", "FrameBasics", "FramePlayers", "FrameEnvironment", "FrameAdmin", "FrameFinal"};
        int shown = 0;
        for (int page = 1; page <= 7; ++page)
            shown = get(wizard, frames.at(page - 1))->isHidden() ? shown : shown ? -1 : page;
        return qMax(shown, 0);
    }
};
