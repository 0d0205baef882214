#include "ClassicWindow.h"

// Placeholder until the classic editor's form lands.
ClassicWindow::ClassicWindow(WizardWindow *wizard, const ToolContext &context)
    : m_wizard(wizard)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmclassic"));
}

void ClassicWindow::showClassic()
{
    show();
}
