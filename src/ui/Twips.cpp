#include "Twips.h"

#include "BundledFonts.h"
#include "ToolIcon.h"

#include <QGuiApplication>
#include <QWidget>

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void placeInTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

QFont toolFont()
{
    QFont font(bundledSansFamily());
    font.setPointSizeF(8.0);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont titleFont()
{
#ifdef Q_OS_WIN
    // The face the title was drawn in; every Windows system has it.
    QFont font(QStringLiteral("Tahoma"));
#else
    QFont font(bundledSansFamily());
#endif
    font.setPointSizeF(15.75);
    font.setBold(true);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void setupToolWindow(QWidget *window, int clientWidthTwips, int clientHeightTwips)
{
    // Once, for every window of the tool: the taskbar and the window frames
    // show the tool's icon instead of a blank.
    static const bool iconSet = [] {
        if (QGuiApplication::windowIcon().isNull())
            QGuiApplication::setWindowIcon(toolIcon());
        return true;
    }();
    Q_UNUSED(iconSet);
    window->setFont(toolFont());
    window->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
}
