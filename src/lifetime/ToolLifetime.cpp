#include "ToolLifetime.h"

#include "classic/ClassicWindow.h"
#include "motd/MotdWindow.h"
#include "wizard/WizardWindow.h"

ToolLifetime::ToolLifetime(const ToolContext &context)
    : m_context(context)
    , m_wizard(std::make_unique<WizardWindow>(this, context))
    , m_motdUrl(defaultMotdUrl())
{
}

ToolLifetime::~ToolLifetime()
{
    delete m_motd.data();
}

void ToolLifetime::start()
{
    m_wizard->load();
    if (m_context.listenMode)
        openClassic();
    // Never leave the operator without a window.
    if (!m_classic || !m_classic->isVisible())
        m_wizard->show();
}

void ToolLifetime::openClassic()
{
    if (!m_classic)
        m_classic = std::make_unique<ClassicWindow>(this, m_context);
    m_wizard->hide();
    m_classic->showClassic();
}

MotdWindow *ToolLifetime::motdEditor()
{
    if (!m_motd) {
        // A message about motd.txt goes over the wizard, whose fields refer
        // to the editor.
        auto *motd = new MotdWindow(m_context, m_motdUrl, m_wizard.get());
        connect(motd, &MotdWindow::closedWithUrl, this, [this, motd](const QString &url) {
            m_motdUrl = url;
            if (m_motd == motd)
                m_motd = nullptr;
        });
        m_motd = motd;
    }
    return m_motd;
}

QString ToolLifetime::motdUrl() const
{
    return m_motd ? m_motd->url() : m_motdUrl;
}

void ToolLifetime::showMotdEditor()
{
    MotdWindow *motd = motdEditor();
    motd->show();
    motd->raise();
    motd->activateWindow();
}

FirstPageChoices ToolLifetime::firstPageChoices() const
{
    return m_wizard->firstPageChoices();
}

void ToolLifetime::showFromClassic()
{
    m_wizard->show();
    m_wizard->raise();
    m_wizard->activateWindow();
}

void ToolLifetime::endTool()
{
    if (m_ending)
        return;
    m_ending = true;
    if (m_classic)
        m_classic->close();
    if (m_motd)
        m_motd->close();
    m_wizard->close();
    emit toolEnded();
}
