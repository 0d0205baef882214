#include "ToolRun.h"

#include "about/AboutBox.h"
#include "motd/MotdWindow.h"
#include "ui/StandbyWindow.h"

#include <QApplication>

namespace {

const QStringList frames = {"FrameMain",        "FrameGame",  "FrameBasics", "FramePlayers",
                            "FrameEnvironment", "FrameAdmin", "FrameFinal"};

} // namespace

void ToolRun::start(bool listenMode)
{
    lifetime = std::make_unique<ToolLifetime>(ToolContext{folder.path(), listenMode});
    wizard = lifetime->wizard();
    ended = std::make_unique<QSignalSpy>(lifetime.get(), &ToolLifetime::toolEnded);
    lifetime->start();
}

QWidget *ToolRun::show(const QString &kind)
{
    start(kind.endsWith("-listen"));
    if (kind == "About box")
        own = std::make_unique<AboutBox>();
    if (kind == "standby")
        own = std::make_unique<StandbyWindow>();
    window = own                        ? own.get()
           : kind.startsWith("classic") ? classic()
           : kind == "MOTD editor"      ? static_cast<QWidget *>(lifetime->motdEditor())
                                        : wizard;
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qFatal("the %s did not become active", qPrintable(kind));
    return window;
}

ClassicWindow *ToolRun::classic()
{
    if (!lifetime->classic() || !lifetime->classic()->isVisible()) {
        goToPage(1);
        click({"OptClassic", "cmdnext"});
    }
    return lifetime->classic();
}

void ToolRun::click(QWidget *window, const QStringList &names)
{
    for (const QString &name : names)
        QTest::mouseClick(get(window, name), Qt::LeftButton);
}

void ToolRun::type(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
}

void ToolRun::goToPage(int target) const
{
    for (int step = 0; step < 7 && page() != target; ++step)
        click({page() < target ? "cmdnext" : "cmdback"});
}

void ToolRun::enterPages(int target) const
{
    QWidget *next = get(wizard, "cmdnext");
    for (int step = wizard->currentPage(); step < target; ++step) {
        next->setFocus(Qt::TabFocusReason);
        QTest::keyClick(next, Qt::Key_Return);
    }
}

QList<QWidget *> ToolRun::motdEditors()
{
    QList<QWidget *> editors = QApplication::topLevelWidgets();
    editors.removeIf([](QWidget *window) { return window->objectName() != "frmmotd"; });
    return editors;
}

int ToolRun::page() const
{
    int shown = 0;
    for (int page = 1; page <= 7; ++page) {
        if (!get(frames.at(page - 1))->isHidden())
            shown = shown ? -1 : page;
    }
    return qMax(shown, 0);
}
