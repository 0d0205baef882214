#include "ProgramRun.h"

#include <QProcess>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

ProgramRun runProgram(const QString &program, const QStringList &arguments, const QByteArray &input,
                      const QString &display, const std::function<void()> &inChild)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        environment.insert(display.section(u'=', 0, 0), display.section(u'=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
#ifdef Q_OS_UNIX
    process.setChildProcessModifier([inChild] {
        ::setpgid(0, 0);
        if (inChild)
            inChild();
    });
#endif
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
#ifdef Q_OS_UNIX
        if (process.processId() > 0)
            ::kill(-pid_t(process.processId()), SIGKILL);
#endif
        qFatal("%s did not start or end", qPrintable(program));
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}
