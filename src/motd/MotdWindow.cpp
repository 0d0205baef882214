#include "MotdWindow.h"

// Placeholder until the MOTD editor's form lands.
MotdWindow::MotdWindow(const ToolContext &context, const QString &)
    : m_context(context)
{
    setObjectName(QStringLiteral("frmmotd"));
}

QString MotdWindow::url() const
{
    return QString();
}

void MotdWindow::setUrl(const QString &)
{
}
