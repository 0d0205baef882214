#include "LayoutCheck.h"

#include "about/AboutBox.h"
#include "classic/ClassicWindow.h"
#include "motd/MotdWindow.h"
#include "ui/StandbyWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

QStringList clippedCaptions(QWidget *window)
{
    QStringList clipped;
    for (QWidget *caption : window->findChildren<QWidget *>()) {
        // What the operator can see: a wizard page is laid out when first
        // shown, and the callers step through every page.
        if (!caption->isVisibleTo(window))
            continue;
        const auto *label = qobject_cast<QLabel *>(caption);
        const auto *button = qobject_cast<QAbstractButton *>(caption);
        const QString text = label && !label->wordWrap() ? label->text() : button ? button->text() : QString();
        const QSize hint = caption->sizeHint();
        if (!text.isEmpty() && (hint.width() > caption->width() || hint.height() > caption->height()))
            clipped << QStringLiteral("%1: hint %2x%3 > geometry %4x%5")
                           .arg(caption->objectName())
                           .arg(hint.width())
                           .arg(hint.height())
                           .arg(caption->width())
                           .arg(caption->height());
    }
    return clipped;
}

WindowUnderTest::WindowUnderTest(const QString &kind)
    : tool({folder.path(), kind.endsWith("-listen")})
    , wizard(*tool.wizard())
{
    tool.start();
    if (kind == "classic") { // the first page's choice
        wizard.findChild<QRadioButton *>("OptClassic")->setChecked(true);
        wizard.findChild<QPushButton *>("cmdnext")->click();
    }
    if (kind == "About box")
        own = std::make_unique<AboutBox>();
    if (kind == "standby")
        own = std::make_unique<StandbyWindow>();
    window = own                        ? own.get()
           : kind.startsWith("classic") ? tool.classic()
           : kind == "MOTD editor"      ? static_cast<QWidget *>(tool.motdEditor())
                                        : &wizard;
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qFatal("the %s did not become active", qPrintable(kind));
}

void WindowUnderTest::enterPages(int page)
{
    QWidget *next = wizard.findChild<QWidget *>("cmdnext");
    for (int step = wizard.currentPage(); step < page; ++step) {
        next->setFocus(Qt::TabFocusReason);
        QTest::keyClick(next, Qt::Key_Return);
    }
}
