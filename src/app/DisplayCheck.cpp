#include "DisplayCheck.h"

#include <QtGlobal>

#include <cstdio>

namespace {

QtMessageHandler g_previousHandler = nullptr;

void hintOnFatal(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    g_previousHandler(type, context, message);
    if (type == QtFatalMsg) {
        std::fputs(qPrintable(noDisplayHint() + QLatin1Char('\n')), stderr);
        std::fflush(stderr);
    }
}

} // namespace

QString noDisplayHint()
{
    return QStringLiteral("kvxconfig: there is no display to show the windows on; use the command line instead "
                          "(see kvxconfig --help), or connect with ssh -X to show the windows on your own display.");
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
