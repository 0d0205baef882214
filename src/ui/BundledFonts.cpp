#include "BundledFonts.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QResource>
#include <QStringList>

namespace {

QString registerBundledFonts()
{
    QString family = QStringLiteral("Liberation Sans");
    for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"}) {
        // Read in place from the executable, which stores them uncompressed,
        // instead of copying 400 KB each onto the heap.
        const QResource resource{QString::fromLatin1(file)};
        const QByteArray data = resource.compressionAlgorithm() == QResource::NoCompression
            ? QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()), resource.size())
            : resource.uncompressedData();
        const int id = QFontDatabase::addApplicationFontFromData(data);
        // A face that cannot be registered leaves the system's fonts to stand
        // in; the windows still work, only less tidily.
        if (id < 0)
            qWarning("The bundled font %s could not be registered", file);
        else if (const QStringList families = QFontDatabase::applicationFontFamilies(id); !families.isEmpty())
            family = families.first();
    }
    return family;
}

} // namespace

QString bundledSansFamily()
{
    static const QString family = registerBundledFonts();
    return family;
}
