#include "ToolRun.h"

#include <QRadioButton>

namespace {

const QStringList frames = {"FrameMain",        "FrameGame",  "FrameBasics", "FramePlayers",
                            "FrameEnvironment", "FrameAdmin", "FrameFinal"};

} // namespace

void ToolRun::start(const QStringList &arguments)
{
    wizard = std::make_unique<WizardWindow>(ToolContext{folder.path(), arguments});
    ended = std::make_unique<QSignalSpy>(wizard.get(), &WizardWindow::toolEnded);
    wizard->start();
}

ClassicWindow *ToolRun::classic()
{
    if (!wizard->classicWindow() || !wizard->classicWindow()->isVisible()) {
        goToPage(1);
        click({"OptClassic", "cmdnext"});
    }
    return wizard->classicWindow();
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

int ToolRun::page() const
{
    int shown = 0;
    for (int page = 1; page <= 7; ++page) {
        if (!get(frames.at(page - 1))->isHidden())
            shown = shown ? -1 : page;
    }
    return qMax(shown, 0);
}
