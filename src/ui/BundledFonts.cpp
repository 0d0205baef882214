#include "BundledFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

QString registerBundledFonts()
{
    QString family = QStringLiteral("Liberation Sans");
    for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(QLatin1String(file));
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
