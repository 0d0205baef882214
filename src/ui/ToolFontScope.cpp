#include "ToolFontScope.h"

#include "Twips.h"

#include <QGuiApplication>

// QGuiApplication's rather than QApplication's setFont: the latter would also
// drop the platform's fonts for message boxes and menus, and tell every
// widget of the change.
ToolFontScope::ToolFontScope()
    : m_previous(QGuiApplication::font())
{
    QGuiApplication::setFont(toolFont());
}

ToolFontScope::~ToolFontScope()
{
    QGuiApplication::setFont(m_previous);
}
