#include "WizardWindow.h"

#include "classic/ClassicWindow.h"
#include "motd/MotdWindow.h"

// Placeholder until the wizard's form lands.
WizardWindow::WizardWindow(const ToolContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmmain"));
}

WizardWindow::~WizardWindow() = default;

void WizardWindow::start()
{
    show();
}

FirstPageChoices WizardWindow::firstPageChoices() const
{
    return {};
}

ClassicWindow *WizardWindow::classicWindow() const
{
    return m_classic;
}

MotdWindow *WizardWindow::motdWindow()
{
    return m_motd;
}

void WizardWindow::showFromClassic()
{
    show();
}

void WizardWindow::endTool()
{
    emit toolEnded();
}
