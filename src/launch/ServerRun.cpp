#include "ServerRun.h"

#include <QProcess>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/types.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// The server's process id for the signal handler, and a signal that arrived
// before the server was started.
volatile sig_atomic_t g_serverPid = 0;
volatile sig_atomic_t g_pendingSignal = 0;

void passOnSignal(int signal, siginfo_t *info, void *)
{
    // A signal the kernel raised for the terminal (Ctrl+C) reached the whole
    // foreground process group, the server included; only one sent by a
    // process (kill, systemd, a container runtime) is passed on.
    if (info && info->si_code > 0)
        return;
    if (g_serverPid > 0)
        ::kill(pid_t(g_serverPid), signal);
    else
        g_pendingSignal = signal;
}

// Installs the handler for SIGTERM and SIGINT for as long as it lives.
class SignalRelay final
{
public:
    SignalRelay()
    {
        struct sigaction action {};
        action.sa_sigaction = passOnSignal;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        sigaction(SIGTERM, &action, &m_oldTerm);
        sigaction(SIGINT, &action, &m_oldInt);
    }
    ~SignalRelay()
    {
        g_serverPid = 0;
        sigaction(SIGTERM, &m_oldTerm, nullptr);
        sigaction(SIGINT, &m_oldInt, nullptr);
    }
    void serverStarted(qint64 pid)
    {
        g_serverPid = sig_atomic_t(pid);
        if (const int pending = g_pendingSignal) {
            g_pendingSignal = 0;
            ::kill(pid_t(pid), pending);
        }
    }

private:
    struct sigaction m_oldTerm {};
    struct sigaction m_oldInt {};
};
#endif

} // namespace

ServerExit runServerAttached(const QString &folder)
{
    QProcess process;
    process.setProgram(serverFilePath(folder));
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
#ifdef Q_OS_UNIX
    SignalRelay relay;
#endif
    process.start();
    if (!process.waitForStarted(-1))
        return {false, 0, process.errorString()};
#ifdef Q_OS_UNIX
    relay.serverStarted(process.processId());
#endif
    process.waitForFinished(-1);
    int status = process.exitCode();
#ifdef Q_OS_UNIX
    // For a server that a signal ended, QProcess holds the signal's number
    // where the exit code would be; shells report it as 128 + the number.
    if (process.exitStatus() == QProcess::CrashExit)
        status = 128 + status;
#endif
    return {true, status, QString()};
}
