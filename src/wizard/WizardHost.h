#pragma once

#include <QString>

class MotdWindow;

// What the wizard asks of the one who owns the tool's windows: the page-1
// hand-over to the classic editor, the MOTD editor it shares with no one,
// and the end of the whole tool. The wizard knows that owner only through this.
class WizardHost
{
public:
    // Hides the wizard and brings the classic editor forward.
    virtual void openClassic() = 0;
    // The MOTD editor, created and loaded (not shown) at the first reference,
    // which reads motd.txt and may tell that it cannot.
    virtual MotdWindow *motdEditor() = 0;
    // The MOTD address as it stands, read without creating the editor.
    virtual QString motdUrl() const = 0;
    // "Change MOTD ...": shows the MOTD editor, modeless.
    virtual void showMotdEditor() = 0;
    // Closes every window of the tool without saving.
    virtual void endTool() = 0;

protected:
    ~WizardHost() = default;
};
