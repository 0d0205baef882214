#pragma once

#include "config/ConfigFields.h"

// What the classic editor asks of the front end that opened it: the first
// page's choices, which its save records in the file, the way back, and the
// end of the whole tool. The wizard is that front end; the editor knows it
// only through this.
class ClassicHost
{
public:
    virtual FirstPageChoices firstPageChoices() const = 0;
    // "&Wizard...": show the host as it was left.
    virtual void showFromClassic() = 0;
    // Closes every window of the tool without saving.
    virtual void endTool() = 0;

protected:
    ~ClassicHost() = default;
};
