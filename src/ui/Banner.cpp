#include "Banner.h"

#include "BundledFonts.h"
#include "Twips.h"

#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QResource>

Banner::Banner(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    placeInTwips(this, 0, 0, 6735, 855);
    // The labels take their colours from here: under a dark theme they would
    // otherwise draw light text on the white ground.
    QPalette ground = palette();
    ground.setColor(QPalette::Window, Qt::white);
    ground.setColor(QPalette::WindowText, Qt::black);
    setPalette(ground);

    m_title = new QLabel(QStringLiteral("Korvexa 0.5"), this);
    m_title->setObjectName(QStringLiteral("lbltitle"));
    m_title->setFont(titleFont());
    placeInTwips(m_title, 2160, 120, 4455, 495);

    m_section = new QLabel(QStringLiteral("Server Configuration Tool"), this);
    m_section->setObjectName(QStringLiteral("lblsection"));
    placeInTwips(m_section, 2400, 480, 2655, 255);
}

namespace {

QPixmap logoAt(qreal devicePixelRatio)
{
#ifndef Q_OS_WIN
    // At 100 %, the pixels tools/render_logo took from the painter: painted,
    // the letters load a font size of their own, 2 % of the tool's start-up.
    // Windows draws letters with its own engine, not with the FreeType the
    // pixels come from.
    if (devicePixelRatio == 1) {
        const QResource stored(QStringLiteral(":/pictures/banner-logo.rgb"));
        const QSize size = bannerLogoSize();
        if (stored.compressionAlgorithm() == QResource::NoCompression
            && stored.size() == qint64(size.width()) * size.height() * 3)
            return QPixmap::fromImage(QImage(stored.data(), size.width(), size.height(), size.width() * 3,
                                             QImage::Format_RGB888));
    }
#endif
    return bannerLogo(devicePixelRatio);
}

} // namespace

void Banner::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_logo.isNull() || m_logo.devicePixelRatio() != ratio)
        m_logo = logoAt(ratio);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawPixmap(0, 0, m_logo);
}

QPixmap bannerLogo(qreal devicePixelRatio)
{
    QPixmap logo(bannerLogoSize() * devicePixelRatio);
    logo.setDevicePixelRatio(devicePixelRatio);
    logo.fill(Qt::white);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);

    // A road sign: a tilted dark plate with an orange band and the letters KVX.
    QPainterPath plate;
    plate.addRoundedRect(QRectF(8, 8, 120, 41), 8, 8);
    QLinearGradient shade(0, 8, 0, 49);
    shade.setColorAt(0, QColor(0x2b, 0x3a, 0x55));
    shade.setColorAt(1, QColor(0x13, 0x1c, 0x2e));
    painter.fillPath(plate, shade);
    painter.fillRect(QRectF(8, 38, 120, 5), QColor(0xf0, 0x8a, 0x24));

    QFont font(bundledSansFamily());
    font.setPixelSize(26);
    font.setBold(true); // the title's face: no further font file to load
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(8, 8, 120, 31), Qt::AlignCenter, QStringLiteral("KVX"));
    return logo;
}
