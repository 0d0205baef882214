#include "ToolIcon.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// Drawn on a 31-pixel square and scaled to `target`.
void paintToolIcon(QPainter *painter, const QRectF &target)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(target.topLeft());
    painter->scale(target.width() / 31.0, target.height() / 31.0);

    QPainterPath plate;
    plate.addRoundedRect(QRectF(1.5, 1.5, 28, 28), 5, 5);
    QLinearGradient shade(0, 1, 0, 30);
    shade.setColorAt(0, QColor(0x2b, 0x3a, 0x55));
    shade.setColorAt(1, QColor(0x13, 0x1c, 0x2e));
    painter->fillPath(plate, shade);
    painter->save();
    painter->setClipPath(plate);
    painter->fillRect(QRectF(1.5, 22, 28, 4), QColor(0xf0, 0x8a, 0x24));
    painter->restore();

    painter->setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawLine(QPointF(10, 7), QPointF(10, 19));
    painter->drawLine(QPointF(10, 13.5), QPointF(20, 7));
    painter->drawLine(QPointF(12.5, 12), QPointF(20, 19));
    painter->restore();
}

// Paints the icon on demand at whatever size the window system asks for,
// instead of scaling one fixed picture.
class ToolIconEngine final : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const int side = qMin(rect.width(), rect.height());
        QRectF square(0, 0, side, side);
        square.moveCenter(QRectF(rect).center());
        paintToolIcon(painter, square);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    }

    QIconEngine *clone() const override { return new ToolIconEngine; }
};

} // namespace

QIcon toolIcon()
{
    return QIcon(new ToolIconEngine);
}

QPixmap toolIconPixmap(int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintToolIcon(&painter, QRectF(0, 0, size, size));
    return pixmap;
}
