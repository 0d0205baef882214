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
#else
    Q_UNUSED(inChild);
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
    ProgramRun run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                   process.readAllStandardOutput(), process.readAllStandardError()};
#ifdef Q_OS_WIN
    // A console program's text lines end in CR LF there; the tests compare lines.
    run.out.replace("\r\n", "\n");
    run.err.replace("\r\n", "\n");
#endif
    return run;
}
