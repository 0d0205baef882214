#include "Twips.h"

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
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.0);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont titleFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(15.75);
    font.setBold(true);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void setupToolWindow(QWidget *window, int clientWidthTwips, int clientHeightTwips)
{
    window->setFont(toolFont());
    window->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
}
