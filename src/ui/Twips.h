#pragma once

#include <QFont>
#include <QRect>

class QWidget;

// The windows' positions and sizes are laid out in twips (1440 per inch) for
// an 8-point sans-serif font: 15 twips make one device-independent pixel, and
// Qt scales pixels for high-DPI screens by itself.
constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

QRect twipsRect(int left, int top, int width, int height);
void placeInTwips(QWidget *widget, int left, int top, int width, int height);

// Liberation Sans, bundled with the tool, is metric-compatible with the sans
// serif the layout was made for; at 8 points every caption fits its twips box.
QFont toolFont();
// The banner's title: Tahoma bold 15.75 points on Windows, the bundled bold
// face elsewhere.
QFont titleFont();
// Gives a window the tool's font and a fixed client area in twips, and the
// application the tool's icon.
void setupToolWindow(QWidget *window, int clientWidthTwips, int clientHeightTwips);
