#include "StandbyWindow.h"

#include "Twips.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QWindow>

StandbyWindow::StandbyWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmstandby"));
    setAttribute(Qt::WA_DeleteOnClose);
    setupToolWindow(this, 2055, 975);
    // A plain widget draws its style sheet's border only with this.
    setAttribute(Qt::WA_StyledBackground);
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

void StandbyWindow::showPainted()
{
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    // The window system shows a new window when it gets round to it; the
    // server's start must not come first, or the window is never seen. The
    // operator's input waits meanwhile.
    QElapsedTimer waited;
    waited.start();
    while (!windowHandle()->isExposed() && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    repaint();
}
