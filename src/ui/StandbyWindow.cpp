#include "StandbyWindow.h"

#include "Twips.h"

#include <QLabel>

StandbyWindow::StandbyWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmstandby"));
    setAttribute(Qt::WA_DeleteOnClose);
    setupToolWindow(this, 2055, 975);
    setStyleSheet(QStringLiteral("#frmstandby { border: 1px solid gray; }"));

    auto *first = new QLabel(QStringLiteral("Please stand by ..."), this);
    first->setObjectName(QStringLiteral("Label1"));
    first->setAlignment(Qt::AlignCenter);
    placeInTwips(first, 0, 240, 2055, 255);

    auto *second = new QLabel(QStringLiteral("Writing config file"), this);
    second->setObjectName(QStringLiteral("Label2"));
    second->setAlignment(Qt::AlignCenter);
    placeInTwips(second, 0, 540, 2055, 255);
}
