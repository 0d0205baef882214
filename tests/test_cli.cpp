// The command line, run as the real executable in a temporary server folder
// with DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM unset, so a run that
// reached for a window would end with the toolkit's abort. An expected file is
// a fixture with the lines the run changes.

#include "launch/WindowsProgram.h"
#include "support/ProgramRun.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#endif

#include <functional>

using Lines = QMap<int, QByteArray>;     // line number, counted from 1 -> bytes
using Files = QMap<QString, QByteArray>; // name in the server folder -> bytes; null bytes: a folder

namespace {

const QString executable = QStringLiteral(KVX_EXECUTABLE);

using Run = ProgramRun;

// A run of the tool: the server folder before, the arguments (%1: the server
// folder) and standard input, then the exit status, the start of each stream
// (a platform's reason may follow) and the server folder after.
struct Case { Files before; QStringList arguments; QByteArray input; int status; QString out, err; Files after; };

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

#ifdef Q_OS_UNIX
// Whether a process has ended; on Linux an ended one that no one has reaped
// yet (its parent gone, a container's first process that does not reap)
// counts as ended.
bool processEnded(qint64 pid)
{
#ifdef Q_OS_LINUX
    const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat == "<missing>" || stat.mid(stat.lastIndexOf(')') + 2, 1) == "Z";
#else
    return ::kill(pid_t(pid), 0) == -1 && errno == ESRCH;
#endif
}

// Waits at most `ms` for the process to end; one still running then is
// killed, so that a failing test leaves nothing behind.
bool endsWithin(qint64 pid, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!processEnded(pid)) {
        if (deadline.hasExpired()) {
            ::kill(pid_t(pid), SIGKILL);
            return false;
        }
        QThread::msleep(10);
    }
    return true;
}

// Waits (20 s at most) for a file a stand-in writes when it is ready.
bool appears(const QString &path)
{
    QDeadlineTimer deadline(20000);
    while (!QFileInfo::exists(path) && !deadline.hasExpired())
        QThread::msleep(10);
    return QFileInfo::exists(path);
}
#endif

#ifdef Q_OS_LINUX
// Runs the tool on a pseudo-terminal of its own, as a login shell would, with
// no display named; `during` acts on it (the tool's process id, the
// terminal's other side) before its output is read to the end. The output's
// CR LF (the terminal's line ends) become LF.
Run runOnTerminal(const QStringList &arguments, const std::function<void(pid_t, int)> &during = {})
{
    QList<QByteArray> words{QFile::encodeName(executable)};
    for (const QString &argument : arguments)
        words << argument.toLocal8Bit();
    QList<QByteArray> variables;
    for (const QString &variable : QProcessEnvironment::systemEnvironment().toStringList()) {
        if (!variable.startsWith("DISPLAY=") && !variable.startsWith("WAYLAND_DISPLAY=")
            && !variable.startsWith("QT_QPA_PLATFORM="))
            variables << variable.toLocal8Bit();
    }
    std::vector<char *> argv, envp;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    for (QByteArray &variable : variables)
        envp.push_back(variable.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    if (child < 0)
        qFatal("no pseudo-terminal: %s", strerror(errno));
    if (during)
        during(child, terminal);
    // Until the terminal's last user closes it (read fails), 60 s at most.
    QByteArray out;
    QDeadlineTimer deadline(60000);
    for (;;) {
        pollfd ready{terminal, POLLIN, 0};
        if (::poll(&ready, 1, 100) > 0) {
            char buffer[4096];
            const ssize_t got = ::read(terminal, buffer, sizeof buffer);
            if (got <= 0)
                break;
            out.append(buffer, got);
        } else if (deadline.hasExpired()) {
            ::kill(-child, SIGKILL); // the tool's group: the tool and its server
            break;
        }
    }
    ::close(terminal);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out.replace("\r\n", "\n"), {}};
}
#endif

// A fixture with some of its lines replaced.
QByteArray fixture(const char *name, const Lines &changes)
{
    QList<QByteArray> lines = readFile(QStringLiteral(KVX_FIXTURES "/") + name).split('\n');
    lines.removeLast(); // after the last line's LF
    for (auto it = changes.begin(); it != changes.end(); ++it)
        lines[it.key() - 1] = it.value() + '\r';
    return lines.join('\n') + '\n';
}

// What the classic editor saves from its defaults: its commit clears the two
// switches the template writes as 1.
QByteArray classicSaved(const Lines &changes = {})
{
    Lines lines{{78, "MOTDEnabled 0"}, {163, "AdminPlus 0"}};
    lines.insert(changes);
    return fixture("default-classic.conf", lines);
}

// Hand-edited (line 201), on a GTA III map with 30 players and an hour set
// would refuse: a save backs it up, a refusal must not.
const QByteArray handEdited =
    fixture("default-wizard.conf", {{42, "MaxPlayers 30"}, {58, "GameHour 99"}, {201, "ChatFloodMaxCount 5"}});
// As check prints it on standard output, and as set warns on standard error.
const QByteArray plusAlert = "warning: The Admin plus password needs to be filled in\n";
const QByteArray plusWarning = "kvxconfig: " + plusAlert;
const QByteArray noDisplayHint = "kvxconfig: there is no display to show the windows on; use the command line "
                                 "instead (see kvxconfig --help), or connect with ssh -X to show the windows on your "
                                 "own display.\n";
// Every setting changed, as the classic editor saves it.
const Lines everySetting{{6, "ServerName \"Den = \"Quoted\" \\ \x80\""}, {27, "ServerPort 2010"}, {42, "MaxPlayers 32"},
                         {51, "GameMap 5"}, {58, "GameHour 07"}, {65, "GameMins 5"}, {73, "RandomWeather 0"},
                         {78, "MOTDEnabled 1"}, {84, "MOTDURL \"\""}, {94, "ASE 0"}, {130, "StatLogging 1"},
                         {139, "ServerPasswordEnabled 1"}, {146, "ServerPassword \" \""}, {154, "AdminServer 1"},
                         {163, "AdminPlus 1"}, {170, "AdminPort 4100"}, {177, "AdminPassword \"a\""},
                         {184, "AdminPlusPassword \"b\""}, {192, "AdminAllowShutdown 1"}};

// The start of a Windows program for `machine`: "MZ", the PE header's
// offset (0x80) at 0x3C, "PE\0\0" there and the machine field.
QByteArray windowsProgram(quint16 machine)
{
    QByteArray bytes(0x100, '\0');
    bytes.replace(0, 2, "MZ");
    bytes[0x3C] = char(0x80);
    bytes.replace(0x80, 4, QByteArray("PE\0\0", 4));
    bytes[0x84] = char(machine & 0xff);
    bytes[0x85] = char(machine >> 8);
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(ProgramKind)

class CommandLineTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    // An expected text with %1 as the server folder, in the system's separators.
    QString placed(QString text) const { return QDir::toNativeSeparators(text.replace("%1", m_dir.path())); }
    // Runs the tool, with --folder and the server folder after a command
    // unless the arguments name a folder of their own (%1: the server folder).
    Run kvx(QStringList arguments, const QByteArray &input = {}) const
    {
        arguments.replaceInStrings("%1", m_dir.path());
        if (!arguments.value(0, "-").startsWith('-') && !arguments.contains("--folder"))
            arguments = arguments.mid(0, 1) + QStringList{"--folder", m_dir.path()} + arguments.mid(1);
        return runProgram(executable, arguments, input);
    }
    void lay(const Files &files) const
    {
        for (auto it = files.begin(); it != files.end(); ++it) {
            QFile file(m_dir.filePath(it.key()));
            QVERIFY(it->isNull() ? QDir(m_dir.path()).mkdir(it.key())
                                 : file.open(QIODevice::WriteOnly) && file.write(*it) == it->size());
        }
    }
    Files contents() const
    {
        Files files;
        for (const QFileInfo &entry : QDir(m_dir.path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
            files.insert(entry.fileName(), entry.isDir() ? QByteArray() : readFile(entry.filePath()));
        return files;
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
    }

    // Each exit status with the start of what each stream says (a platform's
    // reason may follow), and what the server folder holds after the run:
    // set saves as the classic editor does, with its alerts and the backup
    // notice on standard error and the backup; every other run writes nothing.
    void runs_data()
    {
        QTest::addColumn<Case>("run");
        const auto row = [](const char *name, const Files &files, const QStringList &arguments, int status,
                            const QString &out, const QString &err, const QByteArray &input = {}) {
            QTest::newRow(name) << Case{files, arguments, input, status, out, err, files};
        };
        const auto saves = [](const char *name, const QByteArray &before, const QStringList &values,
                              const QByteArray &after, const QString &err = {}) {
            const Files old = before.isNull() ? Files() : Files{{"kvxserver.conf", before}};
            Files saved{{"kvxserver.conf", after}};
            if (err.contains(".bak"))
                saved.insert("kvxserver.conf.bak", before);
            QTest::newRow(name) << Case{old, QStringList{"set"} + values, {}, 0, {}, err, saved};
        };
        const Files refusable{{"kvxserver.conf", handEdited}};
        const auto refused = [](const QStringList &sentences) {
            return "kvxconfig: " + sentences.join("\nkvxconfig: ") + "\nkvxconfig: nothing was written.\n";
        };

        saves("fresh folder, every kind of value, keys and maps in any case, a key twice", {},
              {"ServerName=Den = \"Quoted\" \\ €", "ServerPort=1", "serverport=2010", "MaxPlayers=32",
               "GAMEMAP=gta3 - staunton island", "GameHour=07", "GameMins=5", "RandomWeather=0", "MOTDEnabled=1",
               "MOTDURL=", "ASE=0", "StatLogging=1", "ServerPassword= ", "AdminServer=1", "AdminPlus=1",
               "AdminPort=4100", "AdminPassword=a", "AdminPlusPassword=b", "AdminAllowShutdown=1"},
              classicSaved(everySetting));
        saves("tool-written file, no values: its first-page choice kept",
              fixture("default-wizard.conf", {{254, "#mode: classic"}, {255, "#show page 1: 0"}}), {},
              fixture("default-classic.conf",
                      {{51, "GameMap 3"}, {170, "AdminPort 4003"}, {254, "#mode: classic"}, {255, "#show page 1: 0"}}),
              plusWarning);
        saves("a map by number, with the players its game allows",
              classicSaved({{42, "MaxPlayers 30"}, {51, "GameMap 3"}}), {"GameMap=2", "MaxPlayers=26"},
              classicSaved({{51, "GameMap 2"}}));
        saves("an emptied password turns it off and keeps its line",
              classicSaved({{139, "ServerPasswordEnabled 1"}, {146, "ServerPassword \"old\""}}), {"ServerPassword="},
              classicSaved({{146, "ServerPassword \"old\""}}));
        saves("hand-edited file: template text back, old file in the backup", handEdited, {"ServerPort=2010"},
              fixture("default-classic.conf", {{27, "ServerPort 2010"}, {42, "MaxPlayers 30"}, {51, "GameMap 3"},
                                               {58, "GameHour 99"}, {170, "AdminPort 4003"}}),
              plusWarning + "kvxconfig: kvxserver.conf held changes made by hand, which the template's text replaced; "
                          "the old file is kept in %1/kvxserver.conf.bak.\n");

        saves("the wizard's spelling of a GTA III map", classicSaved(), {"GameMap=GTA III - Shore side Vale"},
              classicSaved({{51, "GameMap 4"}}));
        // Written all the same, with a warning for each value given now; the
        // file's own old values are check's to report.
        saves("values that cannot work: written, with warnings", classicSaved({{27, "ServerPort 0"}}),
              {"ServerName=ab", "AdminServer=1", "AdminPort=65536", "AdminPassword=pw"},
              classicSaved({{6, "ServerName \"ab\""}, {27, "ServerPort 0"}, {154, "AdminServer 1"},
                            {170, "AdminPort 65536"}, {177, "AdminPassword \"pw\""}}),
              "kvxconfig: warning: ServerName \"ab\" cannot work: a server name has at least 3 characters.\n"
              "kvxconfig: warning: AdminPort \"65536\" cannot work: a port is a number from 1 to 65535.\n");
        saves("the admin panel turned on at the game's port", classicSaved({{170, "AdminPort 2003"}}),
              {"AdminServer=1"}, classicSaved({{154, "AdminServer 1"}, {170, "AdminPort 2003"}}),
              "kvxconfig: warning: AdminPort \"2003\" cannot work: the admin panel needs a port other than "
              "ServerPort's.\n");

        row("--help", {}, {"--help"}, 0,
            "Usage:\n  kvxconfig --help | -h | help      this text on standard output\n"
            "  kvxconfig --version | -V | version\n                                    \"kvxconfig \" and the version\n"
            "  kvxconfig show [--json]           the settings kvxserver.conf holds, read as the classic editor reads them\n"
            "  kvxconfig set [KEY=VALUE...]      change settings and save kvxserver.conf\n"
            "  kvxconfig check                   report what the windows' rules and a save would flag\n"
            "  kvxconfig motd [--set FILE|-]     print the message of the day; with --set, replace motd.txt's text "
            "from a UTF-8 file, or standard input for \"-\"\n"
            "  kvxconfig launch [--foreground]   start KVXServer.exe from the server folder\n\nEvery command", "");
        row("set --help", {}, {"set", "--help"}, 0,
            "Usage: kvxconfig set [KEY=VALUE...] [--folder DIR]\n  change settings and save kvxserver.conf\n"
            "DIR is the server folder (default: the folder kvxconfig lies in); see kvxconfig --help for more.\n", "");
        for (const char *help : {"help", "-h"})
            row(help, {}, {help}, 0, "Usage:\n", "");
        for (const char *version : {"version", "-V"})
            row(version, {}, {version}, 0, "kvxconfig 0.5\n", "");
        row("--folder before the command", {{"kvxserver.conf", classicSaved()}}, {"--folder", "%1", "show"}, 0,
            "ServerName=KVX 0.5 NoName VC Server (QOR)\n", "");
        row("--folder= before the command", {{"kvxserver.conf", classicSaved()}}, {"--folder=%1", "check"}, 0, "", "");
        row("--folder without a command", {}, {"--folder", "%1"}, 2, "",
            "kvxconfig: --folder DIR needs a command after it; see kvxconfig --help.\n");
        row("--folder, then no command", {}, {"--folder", "%1", "shwo"}, 2, "",
            "kvxconfig: \"shwo\" is not a command; see kvxconfig --help.\n");
        row("a mistyped command, no display", {}, {"shwo"}, 1, "",
            "kvxconfig: \"shwo\" is no command, so the windows open; see kvxconfig --help for the command line.\n" +
                noDisplayHint);
        row("no command, no display", {}, {}, 1, "", noDisplayHint);
        row("-listen, no display", {}, {"-listen"}, 1, "", noDisplayHint);
        row("--version", {}, {"--version"}, 0, "kvxconfig 0.5\n", "");
        row("check, a classic-written file", {{"kvxserver.conf", classicSaved()}}, {"check"}, 0, "", "");
        // In order: the hand edits a save would replace, the values set would refuse, the alerts.
        row("check, findings", {{"kvxserver.conf", handEdited + "#\r\n"}}, {"check"}, 1,
            "line 201: a save would replace \"ChatFloodMaxCount 5\" with \"ChatFloodMaxCount 2\"\n"
            "the file has 256 lines; a save writes the template's 255\n"
            "GameHour \"99\" would be refused by set: an hour is one or two digits, 0 to 23.\n" + plusAlert, "");
        row("show without a file", {}, {"show"}, 1, "",
            "kvxconfig: there is no kvxserver.conf in %1; kvxconfig set creates it.\n");
        // Each value the file holds that cannot work, after the values set would refuse.
        row("check, values that cannot work", {{"kvxserver.conf", classicSaved({{6, "ServerName \"\""}, {27, "ServerPort 0"},
                                                {154, "AdminServer 1"}, {170, "AdminPort 00000"}})}}, {"check"}, 1,
            "ServerName \"\" cannot work: a server name has at least 3 characters.\n"
            "ServerPort \"0\" cannot work: a port is a number from 1 to 65535.\n"
            "AdminPort \"00000\" cannot work: a port is a number from 1 to 65535.\n"
            "AdminPort \"00000\" cannot work: the admin panel needs a port other than ServerPort's.\n", "");
        row("check, the game's port for an admin panel that is off", {{"kvxserver.conf", classicSaved({{170, "AdminPort 2003"}})}},
            {"check"}, 0, "", "");
        row("show, unreadable file", {{"kvxserver.conf", {}}}, {"show"}, 1, "",
            "kvxconfig: %1/kvxserver.conf could not be read: ");
        row("set, unreadable file", {{"kvxserver.conf", {}}}, {"set"}, 1, "",
            "kvxconfig: %1/kvxserver.conf could not be read: ");
        row("backup cannot be written", {{"kvxserver.conf", handEdited}, {"kvxserver.conf.bak", {}}}, {"set"}, 1, "",
            plusWarning + "kvxconfig: %1/kvxserver.conf was not saved, so that the changes made to it by hand are kept: "
                        "the backup %1/kvxserver.conf.bak could not be written: ");
        row("motd.txt unreadable", {{"motd.txt", {}}}, {"motd"}, 1, "", "kvxconfig: %1/motd.txt could not be read: ");
        row("missing motd source", {}, {"motd", "--set", "%1/none"}, 1, "", "kvxconfig: %1/none could not be read: ");
        row("--folder that does not exist", {}, {"show", "--folder", "%1/none"}, 1, "",
            "kvxconfig: %1/none is not a folder: it does not exist.\n");
        row("no server", {}, {"launch"}, 1, "", "kvxconfig: %1/KVXServer.exe cannot be started: there is no such file");
        row("server is a folder", {{"KVXServer.exe", {}}}, {"launch", "--foreground"}, 1, "",
            "kvxconfig: %1/KVXServer.exe cannot be started: it is a folder, not a program.\n");
        row("server not a program", {{"KVXServer.exe", "text"}}, {"launch"}, 1, "",
            "kvxconfig: %1/KVXServer.exe could not be started: ");
        row("unknown option", {}, {"show", "--bogus"}, 2, "",
            "kvxconfig: show: Unknown option 'bogus'.\nUsage: kvxconfig show [--json] [--folder DIR]; see kvxconfig");
        row("stray argument", {}, {"check", "now"}, 2, "", "kvxconfig: check: unexpected argument \"now\"\n");
        row("motd not UTF-8", {{"latin1.txt", "caf\xe9\n"}}, {"motd", "--set", "%1/latin1.txt"}, 2, "",
            "kvxconfig: %1/latin1.txt is not UTF-8 text; motd.txt was not changed.\n");
        row("motd outside Windows-1252", {{"motd.txt", "old\r\n"}}, {"motd", "--set", "-"}, 2, "",
            "kvxconfig: the message of the day holds \"\u2028\" (U+2028), which the Windows-1252 code page of motd.txt "
            "cannot hold; motd.txt was not changed.\n", "line\u2028two\n");
        // One refusal per kind, given out of order: each key judged by its own kind, every refusal told in the file's order.
        row("set, a refusal per kind", refusable,
            {"set", "AdminPort=-1", "ServerName=a\x1b[2Jb", "ServerPort=", "MaxPlayers=1", "GameMap=6", "GameHour=24",
             "GameMins=60", "ASE=yes"}, 2, "",
            refused({"ServerName \"a<U+001B>[2Jb\" is refused: a text holds no control character, and this one holds "
                     "U+001B.", "ServerPort \"\" is refused: a port is 1 to 5 digits.",
                     "MaxPlayers \"1\" is refused: a whole number from 2 to 32 for a GTA III map.",
                     "GameMap \"6\" is refused: a map is a number from 1 to 5 or one of the names \"Vice City - "
                     "Deathmatch\", \"Vice City - Stunt\", \"GTA3 - Portland\", \"GTA3 - Shore Side Vale\", \"GTA3 - "
                     "Staunton Island\".", "GameHour \"24\" is refused: an hour is one or two digits, 0 to 23.",
                     "GameMins \"60\" is refused: a minute is one or two digits, 0 to 59.",
                     "ASE \"yes\" is refused: a switch is 0 or 1.",
                     "AdminPort \"-1\" is refused: a port is 1 to 5 digits, or empty."}));
        row("set, outside Windows-1252", refusable, {"set", "AdminPassword=x\u2028"}, 2, "",
            refused({"AdminPassword \"x\u2028\" is refused: kvxserver.conf holds only characters of the Windows-1252 "
                     "code page, and this value holds \"\u2028\" (U+2028)."}));
        row("set, players judged by the map given", refusable, {"set", "MaxPlayers=27", "GameMap=vice city - stunt"},
            2, "", refused({"MaxPlayers \"27\" is refused: a whole number from 2 to 26 for a Vice City map."}));
        row("set, a new map judges the players read", refusable, {"set", "GameMap=Vice City - Stunt"}, 2, "",
            refused({"MaxPlayers \"30\", as kvxserver.conf holds it, is over the limit of 26 players for Vice City - "
                     "Stunt, a Vice City map: give MaxPlayers too, for example MaxPlayers=26."}));
        row("set, unknown key", refusable, {"set", "Port=1"}, 2, "",
            "kvxconfig: there is no setting \"Port\"; the settings are ServerName, ServerPort, MaxPlayers, GameMap, "
            "GameHour, GameMins, RandomWeather, MOTDEnabled, MOTDURL, ASE, ServerPassword, AdminServer, AdminPlus, "
            "AdminPort, AdminPassword, AdminPlusPassword, AdminAllowShutdown, StatLogging.\n");
    }

    void runs()
    {
#ifdef Q_OS_WIN
        if (QString::fromLatin1(QTest::currentDataTag()).contains("no display"))
            QSKIP("Windows always has a display: the windows would open");
#endif
        QFETCH(Case, run);
        lay(run.before);
        const Run ran = kvx(run.arguments, run.input);
        QVERIFY2(ran.out.startsWith(run.out.toUtf8()) && ran.out.isEmpty() == run.out.isEmpty(), ran.out);
        QVERIFY2(ran.err.startsWith(placed(run.err).toUtf8()) && ran.err.isEmpty() == run.err.isEmpty(), ran.err);
        QCOMPARE(ran.status, run.status);
        QCOMPARE(contents(), run.after);
    }

    // show --json holds texts (ports and counts too) as strings, switches as
    // booleans, the map as a number beside its name; show's lines, fed back
    // to set one argument each, save a classic-written file byte for byte.
    void show()
    {
        lay({{"kvxserver.conf", classicSaved(everySetting)}});
        const Run json = kvx({"show", "--json"});
        QCOMPARE(json.status, 0);
        // The quotes and the backslash as \u escapes: moc misreads \" in a raw string.
        const QByteArray expected = R"({
            "ServerName": "Den = \u0022Quoted\u0022 \u005c €", "ServerPort": "2010", "MaxPlayers": "32", "GameMap": 5,
            "GameMapName": "GTA3 - Staunton Island", "GameHour": "07", "GameMins": "5", "RandomWeather": false,
            "MOTDEnabled": true, "MOTDURL": "", "ASE": false, "ServerPassword": " ", "AdminServer": true,
            "AdminPlus": true, "AdminPort": "4100", "AdminPassword": "a", "AdminPlusPassword": "b",
            "AdminAllowShutdown": true, "StatLogging": true})";
        QCOMPARE(QJsonDocument::fromJson(json.out), QJsonDocument::fromJson(expected));
        const QStringList shown = QString::fromUtf8(kvx({"show"}).out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(shown.size(), 18);
        QCOMPARE(kvx(QStringList{"set"} + shown).status, 0);
        QCOMPARE(contents(), (Files{{"kvxserver.conf", classicSaved(everySetting)}}));
        // The help groups the keys by what set accepts, in show's order.
        const QString help = QString::fromUtf8(kvx({"--help"}).out);
        for (const char *group : {"  GameHour, GameMins     one or two digits, 0 to 23 and 0 to 59\n",
                                  "  RandomWeather, MOTDEnabled, ASE, AdminServer, AdminPlus, AdminAllowShutdown, "
                                  "StatLogging\n                         0 or 1\n",
                                  "  ServerName, MOTDURL, ServerPassword, AdminPassword, AdminPlusPassword\n       "
                                  "                  text without control characters"})
            QVERIFY2(help.contains(QLatin1String(group)), group);
    }

    // motd prints UTF-8 with LF line ends; what it printed, given back to
    // motd --set - with LF or CR LF line ends, leaves motd.txt as it was.
    void motdRoundTrips_data()
    {
        QTest::addColumn<QByteArray>("file"); // motd.txt, or null for none
        QTest::addColumn<QByteArray>("printed");
        QTest::newRow("no motd.txt: the editor's empty text") << QByteArray() << QByteArray();
        QTest::newRow("Windows-1252, a blank last line") << QByteArray("Welcome\r\n\r\ncaf\xe9 \x80\r\n\r\n")
                                                         << QByteArray("Welcome\n\ncaf\xc3\xa9 \xe2\x82\xac\n\n");
    }

    void motdRoundTrips()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, printed);
        lay(file.isNull() ? Files() : Files{{"motd.txt", file}});
        const Run run = kvx({"motd"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, printed);
        for (const QByteArray &text : {printed, QByteArray(printed).replace("\n", "\r\n")}) {
            QCOMPARE(kvx({"motd", "--set", "-"}, text).status, 0);
            QCOMPARE(contents(), (Files{{"motd.txt", file.isNull() ? QByteArray("\r\n") : file}}));
        }
    }

    // What the header of KVXServer.exe tells: a Windows program and its
    // processor, or anything else (a native server, a script) to start as it is.
    void programHeader_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<ProgramKind>("kind");
        QTest::addColumn<int>("machine");
        QTest::newRow("x86-64") << windowsProgram(0x8664) << ProgramKind::Windows64 << 0x8664;
        QTest::newRow("i386") << windowsProgram(0x14c) << ProgramKind::Windows32 << 0x14c;
        QTest::newRow("ARM64") << windowsProgram(0xaa64) << ProgramKind::WindowsOther << 0xaa64;
        QTest::newRow("a script") << QByteArray("#!/bin/sh\nexit 0\n") << ProgramKind::Native << 0;
        QTest::newRow("an ELF program") << QByteArray("\x7f" "ELF\x02\x01\x01").leftJustified(0x100, '\0')
                                        << ProgramKind::Native << 0;
        QTest::newRow("MZ alone") << QByteArray("MZ") << ProgramKind::Native << 0;
        QTest::newRow("cut in the machine field") << windowsProgram(0x8664).left(0x85) << ProgramKind::Native << 0;
        QTest::newRow("no PE signature at the offset") << windowsProgram(0x8664).replace(0x80, 2, "NE")
                                                       << ProgramKind::Native << 0;
        QTest::newRow("an offset past the end") << windowsProgram(0x8664).replace(0x3C, 4, "\xff\xff\xff\xff")
                                                << ProgramKind::Native << 0;
    }

    void programHeader()
    {
        QFETCH(QByteArray, start);
        QFETCH(ProgramKind, kind);
        QFETCH(int, machine);
        const ProgramHeader header = programHeaderOf(start);
        QCOMPARE(header.kind, kind);
        QCOMPARE(int(header.machine), machine);
    }

    // show and motd print a control character from the files (an escape
    // sequence, a bell) by its code point on a terminal; show does so into a
    // pipe too, as check does, while motd stays byte for byte there for motd
    // --set. Tabs and line breaks in the message stay.
    void controlCharactersShown_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<Files>("files");
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<QByteArray>("out"); // its start, for show
        const Files conf{{"kvxserver.conf", classicSaved({{6, "ServerName \"a\x1b[31mb\x07" "c\""}})}};
        const Files motd{{"motd.txt", "Hi \x1b]0;owned\x07 x\r\n\tind\r\n"}};
        const QByteArray name = "ServerName=a<U+001B>[31mb<U+0007>c\n";
        QTest::newRow("show into a pipe") << "show" << conf << false << name;
        QTest::newRow("motd into a pipe") << "motd" << motd << false << QByteArray("Hi \x1b]0;owned\x07 x\n\tind\n");
#ifdef Q_OS_LINUX
        QTest::newRow("show on a terminal") << "show" << conf << true << name;
        QTest::newRow("motd on a terminal") << "motd" << motd << true
                                            << QByteArray("Hi <U+001B>]0;owned<U+0007> x\n\tind\n");
#endif
    }

    void controlCharactersShown()
    {
        QFETCH(QString, command);
        QFETCH(Files, files);
        QFETCH(bool, terminal);
        QFETCH(QByteArray, out);
        lay(files);
#ifdef Q_OS_LINUX
        const Run run = terminal ? runOnTerminal({command, "--folder", m_dir.path()}) : kvx({command});
#else
        Q_UNUSED(terminal); // the terminal rows are Linux's
        const Run run = kvx({command});
#endif
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out.left(out.size()), out);
        if (command == "motd")
            QCOMPARE(run.out.size(), out.size());
    }

#ifdef Q_OS_UNIX
    // launch runs KVXServer.exe (a stand-in script) in the server folder. In
    // the foreground its streams and its exit status pass through; detached,
    // the tool prints its process id and does not keep the caller waiting on
    // the pipe.
    void launchPassesTheServerThrough_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("caller"); // a shell script: $0 the tool, $1 the server folder
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // %1: the server folder
        QTest::addColumn<QString>("err");
        // Started from the test's folder: the server's working folder is the tool's doing.
        const QString foreground = "\"$0\" launch --folder \"$1\" --foreground";
        // The stand-in ends by itself after 20 s, so that a failing row leaves nothing running.
        const QString waits = "i=0; while [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done";
        // The caller waits for a file as long at most, for the same reason.
        const auto until = [](const QString &file) {
            return "i=0; until [ -e " + file + " ] || [ $i -gt 400 ]; do sleep 0.05; i=$((i+1)); done; ";
        };
        QTest::newRow("streams, working folder and status") << "read line; echo \"$line $(pwd)\"; echo err >&2; exit 7"
                                                            << "echo in | " + foreground << 7 << "in %1\n" << "err\n";
        QTest::newRow("ended by a signal") << "kill -TERM $$" << foreground << 128 + 15 << "" << "";
        QTest::newRow("a server that cannot start") << "" << "chmod -x \"$1/KVXServer.exe\"; " + foreground << 1 << ""
                                                    << "kvxconfig: %1/KVXServer.exe could not be started: execvp: Permission denied\n";
        QTest::newRow("a link to nothing") << "" << "cd \"$1\" && rm KVXServer.exe && ln -s gone KVXServer.exe && " + foreground << 1 << ""
                                           << "kvxconfig: %1/KVXServer.exe cannot be started: it is a link to a file that does not exist.\n";
        // Detached, "running" tells that the tool ended (and the caller read the id) while the server ran.
        QTest::newRow("detached: the process id, at once")
            << "echo $$ > pid.tmp; mv pid.tmp pid; " + waits + "; : > ended"
            << "cd \"$1\" && id=$(\"$0\" launch --folder .) || exit; " + until("pid") +
               "[ \"$id\" = \"$(cat pid)\" ] && [ ! -e ended ] && echo running; kill \"$(cat pid)\""
            << 0 << "running\n" << "";
    }

    void launchPassesTheServerThrough()
    {
        QFETCH(QString, server);
        QFETCH(QString, caller);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        lay({{"KVXServer.exe", ("#!/bin/sh\n" + server + "\n").toUtf8()}});
        QVERIFY(QFile::setPermissions(m_dir.filePath("KVXServer.exe"), QFile::ReadOwner | QFile::ExeOwner));
        const Run run = runProgram("/bin/sh", {"-c", caller, executable, m_dir.path()});
        QCOMPARE(run.status, status);
        QCOMPARE(QString::fromUtf8(run.out), placed(out));
        QCOMPARE(QString::fromUtf8(run.err), placed(err));
    }

    // A Windows KVXServer.exe runs through the wine on the PATH (a stand-in
    // that writes down its working folder and arguments), in the foreground
    // and detached; without a wine that can run it, the tool says what it is
    // and what to install.
    void launchThroughWine_data()
    {
        QTest::addColumn<int>("machine");
        QTest::addColumn<QString>("wine"); // "": none; "64": 64-bit alone; "32": with its 32-bit part
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("ran"); // what the stand-in wrote down; %1: the server folder
        QTest::addColumn<QString>("err");
        const QString ran = "%1 %1/KVXServer.exe\n";
        const QString notStarted = "kvxconfig: %1/KVXServer.exe could not be started: it is ";
        const QString i386 = "sudo dpkg --add-architecture i386 && sudo apt update && sudo apt install wine wine32:i386)\n";
        QTest::newRow("64-bit, foreground") << 0x8664 << "64" << "--foreground" << 7 << ran << "";
        QTest::newRow("64-bit, detached") << 0x8664 << "64" << "" << 0 << ran << "";
        QTest::newRow("32-bit, Wine with its 32-bit part") << 0x14c << "32" << "--foreground" << 7 << ran << "";
        QTest::newRow("32-bit, 64-bit Wine alone") << 0x14c << "64" << "--foreground" << 1 << ""
            << notStarted + "a 32-bit Windows program (i386), and the Wine here runs 64-bit programs alone; install "
                            "its 32-bit part (on Debian: " + i386;
        QTest::newRow("64-bit, no wine") << 0x8664 << "" << "" << 1 << ""
            << notStarted + "a 64-bit Windows program (x86-64), and there is no wine on the PATH to run it with; "
                            "install Wine (on Debian: sudo apt install wine wine64)\n";
        QTest::newRow("32-bit, no wine") << 0x14c << "" << "--foreground" << 1 << ""
            << notStarted + "a 32-bit Windows program (i386), and there is no wine on the PATH to run it with; "
                            "install Wine (on Debian: " + i386;
        QTest::newRow("ARM64") << 0xaa64 << "32" << "" << 1 << ""
            << notStarted + "a Windows program for another processor (PE machine 0xaa64), which Wine cannot run here\n";
    }

    void launchThroughWine()
    {
        QFETCH(int, machine);
        QFETCH(QString, wine);
        QFETCH(QString, option);
        QFETCH(int, status);
        QFETCH(QString, ran);
        QFETCH(QString, err);
        QTemporaryDir tools; // bin/wine, and lib/wine/wine as Debian's wine32 puts it
        QVERIFY(QDir(tools.path()).mkpath("bin") && QDir(tools.path()).mkpath("lib/wine"));
        QFile stub(tools.filePath(wine.isEmpty() ? "bin/not-wine" : "bin/wine"));
        QVERIFY(stub.open(QIODevice::WriteOnly) && stub.write("#!/bin/sh\necho \"$PWD $*\" > wine-ran\nexit 7\n") > 0);
        stub.close();
        QVERIFY(stub.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        if (wine == "32")
            QVERIFY(QFile(tools.filePath("lib/wine/wine")).open(QIODevice::WriteOnly));
        lay({{"KVXServer.exe", windowsProgram(quint16(machine))}});
        // From the test's folder, with the stand-in's folder alone on the PATH;
        // a detached run's record is waited for (20 s at most).
        const QString caller = "PATH=\"$2\" \"$0\" launch --folder \"$1\" $3 > /dev/null; s=$?; [ $s -eq 1 ] && exit 1; "
                               "i=0; until [ -s \"$1/wine-ran\" ] || [ $i -gt 400 ]; do sleep 0.05; i=$((i+1)); done; "
                               "cat \"$1/wine-ran\"; exit $s";
        const Run run = runProgram("/bin/sh", {"-c", caller, executable, m_dir.path(), tools.filePath("bin"), option});
        QCOMPARE(QString::fromUtf8(run.err), placed(err));
        QCOMPARE(QString::fromUtf8(run.out), placed(ran));
        QCOMPARE(run.status, status);
    }

    // A real Windows program through the real Wine: the server's streams,
    // its working folder (as Wine names it) and its status pass through.
    void launchThroughRealWine()
    {
#ifndef KVX_WINDOWS_STAND_IN
        QSKIP("needs the MinGW-w64 compiler for a Windows stand-in server (scripts/windows/install-deps.sh)");
#else
        if (QStandardPaths::findExecutable("wine").isEmpty())
            QSKIP("needs Wine (scripts/windows/install-deps.sh)");
        QVERIFY(QFile::copy(KVX_WINDOWS_STAND_IN, m_dir.filePath("KVXServer.exe")));
        // The Windows leg's prefix when there is one, quietly.
        const QString prefix = QDir::homePath() + "/.cache/kvxconfig/wine";
        if (QFileInfo::exists(prefix + "/system.reg"))
            qputenv("WINEPREFIX", QFile::encodeName(prefix));
        qputenv("WINEDEBUG", "-all");
        qputenv("WINEDLLOVERRIDES", "mscoree,mshtml=");
        const Run run = kvx({"launch", "--foreground"}, "in\n");
        QCOMPARE(run.out, "in Z:" + QByteArray(QFile::encodeName(m_dir.path())).replace('/', '\\') + "\r\n");
        // Wine's notes on itself (one of its own helper processes failing
        // on a cold start, seen once in CI) are not the server's stream.
        QCOMPARE(QString::fromUtf8(run.err).remove(QRegularExpression("^wine: [^\n]*\n", QRegularExpression::MultilineOption)),
                 QString("err\r\n"));
        QCOMPARE(run.status, 7);
#endif
    }

    // In the foreground each signal a service manager or an operator sends
    // to the tool reaches the server once, and the tool ends with the
    // server's status: 3 from a stand-in that traps it, 128 + the number when
    // it ends the server. No server is left running. A SIGHUP ignored when
    // the tool starts (nohup) stays ignored.
    void signalsReachTheServer_data()
    {
        QTest::addColumn<QString>("sent");    // in this order, to the tool
        QTest::addColumn<QString>("trapped"); // by the stand-in server
        QTest::addColumn<QString>("ignored"); // when the tool starts
        QTest::addColumn<QByteArray>("seen"); // the first one the stand-in trapped
        QTest::addColumn<int>("status");
        const QString all = "HUP INT QUIT TERM USR1 USR2";
        for (const char *signal : {"HUP", "INT", "QUIT", "TERM", "USR1", "USR2"})
            QTest::addRow("%s, trapped", signal) << signal << all << "" << QByteArray(signal) + '\n' << 3;
        // The others trapped: a server ended some other way (a parent-death SIGTERM) tells.
        QTest::newRow("HUP ends the server") << "HUP" << "INT QUIT TERM USR1 USR2" << "" << QByteArray() << 128 + 1;
        QTest::newRow("QUIT ends the server") << "QUIT" << "HUP INT TERM USR1 USR2" << "" << QByteArray() << 128 + 3;
        QTest::newRow("USR2 ends the server") << "USR2" << "HUP INT QUIT TERM USR1" << "" << QByteArray() << 128 + 12;
        QTest::newRow("HUP ignored under nohup") << "HUP TERM" << all << "HUP" << QByteArray("TERM\n") << 3;
    }

    void signalsReachTheServer()
    {
        QFETCH(QString, sent);
        QFETCH(QString, trapped);
        QFETCH(QString, ignored);
        QFETCH(QByteArray, seen);
        QFETCH(int, status);
        // The stand-in ends by itself after 20 s, so that a failing row leaves nothing running.
        lay({{"KVXServer.exe", ("#!/bin/sh\necho $$ > pid\nfor s in " + trapped +
                                "; do trap \"echo $s > seen; exit 3\" $s; done\n: > ready\n"
                                "i=0; while [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done\n").toUtf8()}});
        QVERIFY(QFile::setPermissions(m_dir.filePath("KVXServer.exe"), QFile::ReadOwner | QFile::ExeOwner));
        // No core file from SIGQUIT; the caller waits for "ready" 20 s at most.
        const QString caller = "ulimit -c 0; " + (ignored.isEmpty() ? "" : "trap '' " + ignored + "; ") + "\"$0\" launch --folder \"$1\" --foreground & "
                               "i=0; until [ -e \"$1/ready\" ] || [ $i -gt 400 ]; do sleep 0.05; i=$((i+1)); done; "
                               "for s in " + sent + "; do kill -$s $!; done; wait $!";
        const Run run = runProgram("/bin/sh", {"-c", caller, executable, m_dir.path()});
        QVERIFY(endsWithin(readFile(m_dir.filePath("pid")).trimmed().toLongLong(), 2000));
        QCOMPARE(run.status, status);
        QCOMPARE(readFile(m_dir.filePath("seen")), seen.isNull() ? QByteArray("<missing>") : seen);
    }

    // A supervisor's SIGKILL to the tool ends the server too (the kernel
    // sends it SIGTERM), and the server does not inherit the SIGXFSZ and
    // SIGPIPE the tool ignores.
    void serverEndsWithTheTool()
    {
#ifndef Q_OS_LINUX
        QSKIP("only Linux has a parent-death signal; elsewhere a killed tool leaves the server running");
#else
        lay({{"KVXServer.exe", "#!/bin/sh\necho $$ > pid\ngrep SigIgn /proc/$$/status > ignored\n: > ready\n"
                               "i=0; while [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done\n"}});
        QVERIFY(QFile::setPermissions(m_dir.filePath("KVXServer.exe"), QFile::ReadOwner | QFile::ExeOwner));
        const QString caller = "trap '' XFSZ PIPE; \"$0\" launch --folder \"$1\" --foreground & "
                               "i=0; until [ -e \"$1/ready\" ] || [ $i -gt 400 ]; do sleep 0.05; i=$((i+1)); done; "
                               "kill -KILL $!; wait $!";
        QCOMPARE(runProgram("/bin/sh", {"-c", caller, executable, m_dir.path()}).status, 128 + 9);
        QVERIFY(endsWithin(readFile(m_dir.filePath("pid")).trimmed().toLongLong(), 1000));
        const QByteArray ignored = readFile(m_dir.filePath("ignored"));
        QVERIFY2(ignored.startsWith("SigIgn:\t"), ignored);
        const qulonglong mask = ignored.mid(8).trimmed().toULongLong(nullptr, 16);
        QCOMPARE(mask & ((1ull << (SIGPIPE - 1)) | (1ull << (SIGXFSZ - 1))), 0ull);
#endif
    }

    // A terminal's Ctrl+C reaches the server once: the kernel sends it to the
    // tool's process group, the server included, and the tool does not pass
    // it on again. The tool is stopped while the server takes the first, so
    // that a second one sent by the tool would be counted, not merged.
    void ctrlCReachesTheServerOnce()
    {
#ifndef Q_OS_LINUX
        QSKIP("the pseudo-terminal helper uses Linux's forkpty()");
#else
        lay({{"KVXServer.exe", "#!/bin/sh\nn=0\ntrap 'n=$((n+1)); : > interrupted' INT\n"
                               "trap 'echo $n > seen; exit 3' TERM\n: > ready\n"
                               "i=0; while [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done\n"}});
        QVERIFY(QFile::setPermissions(m_dir.filePath("KVXServer.exe"), QFile::ReadOwner | QFile::ExeOwner));
        bool interrupted = false;
        const Run run = runOnTerminal({"launch", "--folder", m_dir.path(), "--foreground"}, [&](pid_t tool, int terminal) {
            if (!appears(m_dir.filePath("ready")))
                return;
            ::kill(tool, SIGSTOP);
            interrupted = ::write(terminal, "\x03", 1) == 1 && appears(m_dir.filePath("interrupted"));
            ::kill(tool, SIGCONT);
            ::kill(tool, SIGTERM);
        });
        QVERIFY(interrupted);
        QCOMPARE(run.status, 3);
        QCOMPARE(readFile(m_dir.filePath("seen")), QByteArray("1\n"));
#endif
    }

    // Without --folder the tool works in its own folder; when that folder's
    // name is not valid UTF-8 it says so and writes nowhere, not even in the
    // current folder.
    void toolFolderOrNothing()
    {
        QTemporaryDir current;
        const QString script = QStringLiteral(
            "good=\"$1/good\"; bad=\"$1/bad$(printf '\\377')\"; mkdir \"$good\" \"$bad\" && cp \"$0\" \"$good\" && "
            "cp \"$0\" \"$bad\" && cd \"$2\" || exit; tool=$(basename \"$0\"); "
            "\"$good/$tool\" set; echo $?; \"$bad/$tool\" set; echo $?; rm -r \"$bad\"");
        const Run run = runProgram("/bin/sh", {"-c", script, executable, m_dir.path(), current.path()});
        QCOMPARE(run.out, QByteArray("0\n1\n"));
        const QByteArray message = "kvxconfig: The folder this tool lies in could not be determined (its name is not "
                                   "valid in the system's encoding), so nothing was read or written. Give the server "
                                   "folder with --folder DIR.\n";
        QCOMPARE(run.err, message);
        QCOMPARE(readFile(m_dir.filePath("good/kvxserver.conf")), classicSaved());
        QCOMPARE(QDir(current.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // A display named but out of reach: the windows are tried, and the tool's
    // sentence takes the place of the toolkit's advice to reinstall it and
    // of its abort.
    void unreachableDisplay_data()
    {
        QTest::addColumn<QString>("display");
        for (const char *display : {"DISPLAY=:4711", "WAYLAND_DISPLAY=kvx-none", "QT_QPA_PLATFORM=kvx-none"})
            QTest::newRow(display) << display;
    }

    void unreachableDisplay()
    {
        QFETCH(QString, display);
        // An abort would leave no core file.
        const Run run = runProgram("/bin/sh", {"-c", "ulimit -c 0; exec \"$0\"", executable}, {}, display);
        const QByteArray sentence = "kvxconfig: the display named for the windows could not be reached; use the "
                                    "command line instead (see kvxconfig --help), or connect with ssh -X to show the "
                                    "windows on your own display.\n";
        QVERIFY2(run.err.endsWith(sentence) && !run.err.contains("Reinstalling"), run.err);
        QCOMPARE(run.status, 1);
    }
#endif
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_cli.moc"
