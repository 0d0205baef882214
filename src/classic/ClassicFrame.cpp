#include "ClassicFrame.h"

#include <QPainter>
#include <QStyle>

namespace {

constexpr int captionIndent = 6;
constexpr int captionPadding = 2;

} // namespace

ClassicFrame::ClassicFrame(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent)
{
}

void ClassicFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (autoFillBackground())
        painter.fillRect(rect(), palette().window());

    const QFontMetrics metrics = fontMetrics();
    const int lineTop = title().isEmpty() ? 0 : metrics.height() / 2;
    const QRect outer = rect().adjusted(0, lineTop, -2, -2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(outer);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(outer.translated(1, 1));

    if (title().isEmpty())
        return;
    const QRect caption(captionIndent, 0, metrics.horizontalAdvance(title()) + 2 * captionPadding,
                        metrics.height());
    painter.fillRect(caption, palette().window());
    style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}
