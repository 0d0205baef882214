#include "ServerRun.h"

#include <QProcess>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/types.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// What a service manager, a container runtime or an operator sends to stop,
// reload or poke a server; each is passed on as it came.
constexpr int relayedSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGUSR1, SIGUSR2};
constexpr int relayedCount = int(sizeof relayedSignals / sizeof *relayedSignals);

// The server's process id for the signal handler, and a signal that arrived
// before the server was started.
volatile sig_atomic_t g_serverPid = 0;
volatile sig_atomic_t g_pendingSignal = 0;

void passOnSignal(int signal, siginfo_t *info, void *)
{
    // A signal the kernel raised for the terminal (Ctrl+C, Ctrl+\, a hangup)
    // reached the whole foreground process group, the server included; only
    // one sent by a process (kill, systemd, a container runtime) is passed on.
    if (info && info->si_code > 0)
        return;
    if (g_serverPid > 0)
        ::kill(pid_t(g_serverPid), signal);
    else
        g_pendingSignal = signal;
}

// An ignored signal stays ignored across exec: whoever started the tool may
// have ignored SIGXFSZ or SIGPIPE to see failed writes as errors, but the
// server must not inherit that. Called in the child, so async-signal-safe.
void resetInheritedSignals()
{
    ::signal(SIGXFSZ, SIG_DFL);
    ::signal(SIGPIPE, SIG_DFL);
}

// Installs the handler for the relayed signals for as long as it lives.
class SignalRelay final
{
public:
    SignalRelay()
    {
        struct sigaction action {};
        action.sa_sigaction = passOnSignal;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        for (int i = 0; i < relayedCount; ++i) {
            sigaction(relayedSignals[i], nullptr, &m_old[i]);
            // nohup leaves SIGHUP ignored so that a hangup does not end the
            // command; the server inherits that instead of being sent it.
            if (relayedSignals[i] == SIGHUP && m_old[i].sa_handler == SIG_IGN)
                continue;
            sigaction(relayedSignals[i], &action, nullptr);
        }
    }
    ~SignalRelay()
    {
        g_serverPid = 0;
        for (int i = 0; i < relayedCount; ++i)
            sigaction(relayedSignals[i], &m_old[i], nullptr);
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
    struct sigaction m_old[relayedCount] {};
};
#endif

} // namespace

Result<int> runServerAttached(const QString &folder)
{
    const Result<ServerCommand> command = serverCommand(folder);
    if (!command)
        return command.failure();
    QProcess process;
    process.setProgram(command->program);
    process.setArguments(command->arguments);
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
#ifdef Q_OS_UNIX
    SignalRelay relay;
#ifdef Q_OS_LINUX
    const pid_t tool = ::getpid();
#endif
    // Runs in the child between fork and exec: async-signal-safe calls only.
    process.setChildProcessModifier([=] {
        resetInheritedSignals();
#ifdef Q_OS_LINUX
        // A tool killed outright (a supervisor's SIGKILL after its stop
        // timeout) cannot pass anything on; the kernel sends the server
        // SIGTERM then. A tool that ended before this line was reached would
        // never send it, so the server does not start at all.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != tool)
            ::_exit(128 + SIGTERM);
#endif
    });
#endif
    process.start();
    if (!process.waitForStarted(-1))
        return serverNotStarted(folder, process.errorString());
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
    return status;
}
