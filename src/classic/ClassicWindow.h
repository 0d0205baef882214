#pragma once

#include "app/ToolContext.h"
#include "config/ConfigDocument.h"

#include <QWidget>

class WizardWindow;

// `frmclassic`: every setting in one window, with the message of the day.
class ClassicWindow final : public QWidget
{
    Q_OBJECT
public:
    ClassicWindow(WizardWindow *wizard, const ToolContext &context);

    // Shows the window; the first showing loads it (map list, kvxserver.conf,
    // motd.txt, the reader's values, the rebuilt document, listen mode). Later
    // showings bring it back as it was left.
    void showClassic();

    const ConfigDocument &document() const { return m_document; }

private:
    WizardWindow *m_wizard;
    ToolContext m_context;
    ConfigDocument m_document;
    bool m_loaded = false;
};
