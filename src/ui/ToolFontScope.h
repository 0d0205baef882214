#pragma once

#include <QFont>

// While it lives, the application's default font is the tool's. A text box
// lays out its empty text in the application's default font before it takes
// its window's, so the first one created outside this scope loads a face no
// window of the tool shows, and a font's loading is among the costliest steps
// of start-up. Wrap only the creation of controls in it: a message box shown
// meanwhile would take the tool's font instead of the system's.
class ToolFontScope final
{
public:
    ToolFontScope();
    ~ToolFontScope();
    ToolFontScope(const ToolFontScope &) = delete;
    ToolFontScope &operator=(const ToolFontScope &) = delete;

private:
    QFont m_previous;
};
