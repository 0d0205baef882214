#pragma once

#include "config/ConfigFields.h"

// What the classic editor asks of the one who owns the tool's windows: the
// wizard's first-page choices, which its save records in the file, the way
// back to the wizard, and the end of the whole tool. The editor knows that
// owner only through this.
class ClassicHost
{
public:
    virtual FirstPageChoices firstPageChoices() const = 0;
    // "&Wizard...": show the wizard as it was left.
    virtual void showFromClassic() = 0;
    // Closes every window of the tool without saving.
    virtual void endTool() = 0;

protected:
    ~ClassicHost() = default;
};
