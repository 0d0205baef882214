#include "DisplayCheck.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler g_previousHandler = nullptr;

// The only fatal message while the application object is created is the
// platform plugin's: its advice to reinstall the application misleads, and
// the abort that follows reads as a crash. The warnings before it (which
// display could not be reached) still pass through.
void hintOnFatal(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        g_previousHandler(type, context, message);
        return;
    }
    std::fputs(qPrintable(unreachableDisplayHint() + QLatin1Char('\n')), stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

QString noDisplayHint()
{
    return QStringLiteral("kvxconfig: there is no display to show the windows on; use the command line instead "
                          "(see kvxconfig --help), or connect with ssh -X to show the windows on your own display.");
}

QString unreachableDisplayHint()
{
    return QStringLiteral("kvxconfig: the display named for the windows could not be reached; use the command line "
                          "instead (see kvxconfig --help), or connect with ssh -X to show the windows on your own "
                          "display.");
}

bool displayNamed(const QProcessEnvironment &environment)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!environment.value(QString::fromLatin1(name)).isEmpty())
            return true;
    }
    return false;
#else
    Q_UNUSED(environment);
    return true;
#endif
}

DisplayHintOnFatal::DisplayHintOnFatal()
{
    g_previousHandler = qInstallMessageHandler(hintOnFatal);
}

DisplayHintOnFatal::~DisplayHintOnFatal()
{
    qInstallMessageHandler(g_previousHandler);
}
