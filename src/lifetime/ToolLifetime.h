#pragma once

#include "classic/ClassicHost.h"
#include "ui/ToolContext.h"
#include "wizard/WizardHost.h"

#include <QObject>
#include <QPointer>

#include <memory>

class ClassicWindow;
class MotdWindow;
class WizardWindow;

// The one owner of the tool's windows from start-up to the end: it creates
// the wizard, opens the classic editor and hands over between the two, owns
// the MOTD editor and the address that outlives it, and ends the tool in one
// place. The front ends reach it only through their host interfaces.
class ToolLifetime final : public QObject, public WizardHost, public ClassicHost
{
    Q_OBJECT
public:
    explicit ToolLifetime(const ToolContext &context);
    ~ToolLifetime() override;

    // The wizard loads (and may hand over to the classic editor when the file
    // asks to skip page 1), listen mode brings the classic editor forward, and
    // the wizard shows unless the classic editor took its place.
    void start();

    WizardWindow *wizard() const { return m_wizard.get(); }
    // The classic editor once it has been opened; null before.
    ClassicWindow *classic() const { return m_classic.get(); }

    void openClassic() override;
    MotdWindow *motdEditor() override;
    QString motdUrl() const override;
    void showMotdEditor() override;
    FirstPageChoices firstPageChoices() const override;
    void showFromClassic() override;
    // Closes every window and emits toolEnded(), once: the windows' own close
    // events come back here while it runs.
    void endTool() override;

signals:
    void toolEnded();

private:
    ToolContext m_context;
    std::unique_ptr<WizardWindow> m_wizard;
    std::unique_ptr<ClassicWindow> m_classic;
    // Deletes itself when closed.
    QPointer<MotdWindow> m_motd;
    // The address the last MOTD editor held when it closed: the next one starts with it.
    QString m_motdUrl;
    bool m_ending = false;
};
