// Writes the banner's logo as bannerLogo paints it at 100 % to the file given,
// as raw 8-bit red, green and blue bytes, row by row: the banner shows these
// pixels instead of painting the logo at start-up, and raw pixels need no
// image reader (looking for image plugins costs more than painting).
//   QT_QPA_PLATFORM=offscreen tools/render_logo src/ui/banner-logo.rgb
// Run it again whenever the painter changes; a test compares the two.

#include "ui/Banner.h"

#include <QApplication>
#include <QFile>
#include <QImage>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2)
        qFatal("usage: render_logo OUTPUT.rgb");
    const QImage logo = bannerLogo(1).toImage().convertToFormat(QImage::Format_RGB888);
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", argv[1]);
    for (int y = 0; y < logo.height(); ++y) {
        const auto row = reinterpret_cast<const char *>(logo.constScanLine(y));
        if (file.write(row, qint64(logo.width()) * 3) != qint64(logo.width()) * 3)
            qFatal("cannot write %s", argv[1]);
    }
    if (!file.flush())
        qFatal("cannot write %s", argv[1]);
    return 0;
}
