// The command line, run as the real executable in a temporary server folder
// with DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM unset, so a run that
// reached for a window would end with the toolkit's abort. An expected file is
// a fixture with the lines the run changes.

#include "launch/WindowsProgram.h"
#include "support/Fixture.h"
#include "support/ProgramRun.h"

#include <QDir>
#include <QJsonDocument>
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

using Lines = QMap<int, QByteArray>;     // line index, from 0 -> bytes
using Files = QMap<QString, QByteArray>; // name in the server folder -> bytes; null bytes: a folder
using Run = ProgramRun;

namespace {

const QString executable = QStringLiteral(KVX_EXECUTABLE);

// A run of the tool: the server folder before, the arguments (%1: the server
// folder), the exit status, each stream (one ending in "..." is that start,
// where a platform's reason follows), the server folder after (empty: as
// before) and standard input.
struct Case { Files before; QStringList arguments; int status; QString out, err; Files after; QByteArray input; };

void row(const char *name, const Files &before, const QStringList &arguments, int status, const QString &out,
         const QString &err, const Files &after = {}, const QByteArray &input = {})
{
    QTest::newRow(name) << Case{before, arguments, status, out, err, after.isEmpty() ? before : after, input};
}

bool matches(const QByteArray &actual, const QString &expected)
{
    return expected.endsWith("...") ? actual.startsWith(expected.chopped(3).toUtf8()) : actual == expected.toUtf8();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// What the classic editor saves from its defaults, with `changes`.
QByteArray classicSaved(const Lines &changes = {})
{
    return fixture("default-classic.conf", committedClassic(changes));
}

// Hand-edited (line index 200), on a GTA III map with 30 players and an hour
// set would refuse: a save backs it up, a refusal must not.
const QByteArray handEdited =
    fixture("default-wizard.conf", {{41, "MaxPlayers 30"}, {57, "GameHour 99"}, {200, "ChatFloodMaxCount 5"}});
const QString plusWarning = "kvxconfig: warning: The Admin plus password needs to be filled in\n";
const QString noDisplayHint = "kvxconfig: there is no display to show the windows on; use the command line instead "
                              "(see kvxconfig --help), or connect with ssh -X to show the windows on your own display.\n";
// Every setting changed, as the classic editor saves it.
const Lines everySetting{{5, "ServerName \"Den = \"Quoted\" \\ \x80\""}, {26, "ServerPort 2010"}, {41, "MaxPlayers 32"},
                         {50, "GameMap 5"}, {57, "GameHour 07"}, {64, "GameMins 5"}, {72, "RandomWeather 0"},
                         {77, "MOTDEnabled 1"}, {83, "MOTDURL \"\""}, {93, "ASE 0"}, {129, "StatLogging 1"},
                         {138, "ServerPasswordEnabled 1"}, {145, "ServerPassword \" \""}, {153, "AdminServer 1"},
                         {162, "AdminPlus 1"}, {169, "AdminPort 4100"}, {176, "AdminPassword \"a\""},
                         {183, "AdminPlusPassword \"b\""}, {191, "AdminAllowShutdown 1"}};
// A message of the day in Windows-1252 with a tab, an escape sequence, a bell
// and a blank last line, and as motd prints it into a pipe.
const QByteArray motdFile = "Welcome\r\n\r\ncaf\xe9 \x80\r\n\tHi \x1b]0;owned\x07 x\r\n\r\n";
const QByteArray motdPrinted = "Welcome\n\ncaf\xc3\xa9 \xe2\x82\xac\n\tHi \x1b]0;owned\x07 x\n\n";

// The start of a Windows program for `machine`: "MZ", the PE header's
// offset (0x80) at 0x3C, "PE\0\0" there and the machine field.
QByteArray windowsProgram(quint16 machine)
{
    QByteArray bytes(0x100, '\0');
    bytes.replace(0, 2, "MZ").replace(0x80, 4, QByteArray("PE\0\0", 4));
    bytes[0x3C] = char(0x80);
    bytes[0x84] = char(machine & 0xff);
    bytes[0x85] = char(machine >> 8);
    return bytes;
}

#ifdef Q_OS_UNIX
// A stand-in server's loop: it ends by itself after 20 s, so that a failing
// row leaves nothing running; and a caller's wait for a test on a file, as
// long at most.
const QString waits = "i=0; while [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done";
QString until(const QString &test)
{
    return "i=0; until [ " + test + " ] || [ $i -gt 400 ]; do sleep 0.05; i=$((i+1)); done; ";
}

// Waits at most `ms` for the process to end (on Linux an unreaped one counts
// as ended); one still running then is killed, so that nothing is left behind.
bool endsWithin(qint64 pid, int ms)
{
    QDeadlineTimer deadline(ms);
    for (;;) {
#ifdef Q_OS_LINUX
        const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
        if (stat == "<missing>" || stat.mid(stat.lastIndexOf(')') + 2, 1) == "Z")
#else
        if (::kill(pid_t(pid), 0) == -1 && errno == ESRCH)
#endif
            return true;
        if (deadline.hasExpired()) {
            ::kill(pid_t(pid), SIGKILL);
            return false;
        }
        QThread::msleep(10);
    }
}
#endif

#ifdef Q_OS_LINUX
// Runs the tool on a pseudo-terminal of its own, as a login shell would, with
// no display named; `during` acts on it (the tool's process id, the
// terminal's other side) before its output is read to the end, 60 s at most.
// The terminal's CR LF become LF.
Run runOnTerminal(const QStringList &arguments, const std::function<void(pid_t, int)> &during = {})
{
    // env replaces itself with the tool, which keeps its process id.
    QList<QByteArray> words{"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
                            QFile::encodeName(executable)};
    for (const QString &argument : arguments)
        words << QFile::encodeName(argument);
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (child < 0)
        qFatal("no pseudo-terminal");
    if (during)
        during(child, terminal);
    QByteArray out;
    char buffer[4096];
    for (QDeadlineTimer deadline(60000);;) {
        pollfd ready{terminal, POLLIN, 0};
        if (::poll(&ready, 1, 100) > 0) {
            const ssize_t got = ::read(terminal, buffer, sizeof buffer);
            if (got <= 0) // the terminal's last user closed it
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
    // Runs a shell script as the caller: $0 the tool, $1 the server folder, then `more`.
    Run sh(const QString &script, const QStringList &more = {}) const
    {
        return runProgram("/bin/sh", QStringList{"-c", script, executable, m_dir.path()} + more);
    }
    void lay(const Files &files) const
    {
        for (auto it = files.begin(); it != files.end(); ++it) {
            QFile file(m_dir.filePath(it.key()));
            QVERIFY(it->isNull() ? QDir(m_dir.path()).mkdir(it.key())
                                 : file.open(QIODevice::WriteOnly) && file.write(*it) == it->size());
        }
    }
    void layServer(const QString &script) const
    {
        lay({{"KVXServer.exe", ("#!/bin/sh\n" + script + "\n").toUtf8()}});
        QVERIFY(QFile::setPermissions(m_dir.filePath("KVXServer.exe"), QFile::ReadOwner | QFile::ExeOwner));
    }
    Files contents() const
    {
        Files files;
        for (const QFileInfo &entry : QDir(m_dir.path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
            files.insert(entry.fileName(), entry.isDir() ? QByteArray() : readFile(entry.filePath()));
        return files;
    }
    // One row of a command's table: its streams, status and the folder after.
    void runRow() const
    {
#ifdef Q_OS_WIN
        if (QString::fromLatin1(QTest::currentDataTag()).contains("no display"))
            QSKIP("Windows always has a display: the windows would open");
#endif
        QFETCH(Case, run);
        lay(run.before);
        const Run ran = kvx(run.arguments, run.input);
        QVERIFY2(matches(ran.out, run.out), ran.out);
        QVERIFY2(matches(ran.err, placed(run.err)), ran.err);
        QCOMPARE(ran.status, run.status);
        QCOMPARE(contents(), run.after);
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
    }

    // Help, version, the server folder and what is no command line.
    void usage_data()
    {
        QTest::addColumn<Case>("run");
        row("--help", {}, {"--help"}, 0,
            "Usage:\n  kvxconfig --help | -h | help      this text on standard output\n"
            "  kvxconfig --version | -V | version\n                                    \"kvxconfig \" and the version\n"
            "  kvxconfig show [--json]           the settings kvxserver.conf holds, read as the classic editor reads them\n"
            "  kvxconfig set [KEY=VALUE...]      change settings and save kvxserver.conf\n"
            "  kvxconfig check                   report what the windows' rules and a save would flag\n"
            "  kvxconfig motd [--set FILE|-]     print the message of the day; with --set, replace motd.txt's text "
            "from a UTF-8 file, or standard input for \"-\"\n"
            "  kvxconfig launch [--foreground]   start KVXServer.exe from the server folder\n\nEvery command...", "");
        row("set --help", {}, {"set", "--help"}, 0,
            "Usage: kvxconfig set [KEY=VALUE...] [--folder DIR]\n  change settings and save kvxserver.conf\n"
            "DIR is the server folder (default: the folder kvxconfig lies in); see kvxconfig --help for more.\n", "");
        for (const char *help : {"help", "-h"})
            row(help, {}, {help}, 0, "Usage:\n...", "");
        for (const char *version : {"--version", "version", "-V"})
            row(version, {}, {version}, 0, "kvxconfig 0.5\n", "");
        row("--folder before the command", {{"kvxserver.conf", classicSaved()}}, {"--folder", "%1", "show"}, 0,
            "ServerName=KVX 0.5 NoName VC Server (QOR)\n...", "");
        row("--folder= before the command", {{"kvxserver.conf", classicSaved()}}, {"--folder=%1", "check"}, 0, "", "");
        row("--folder without a command", {}, {"--folder", "%1"}, 2, "",
            "kvxconfig: --folder DIR needs a command after it; see kvxconfig --help.\n");
        row("--folder, then no command", {}, {"--folder", "%1", "shwo"}, 2, "",
            "kvxconfig: \"shwo\" is not a command; see kvxconfig --help.\n");
        row("--folder that does not exist", {}, {"show", "--folder", "%1/none"}, 1, "",
            "kvxconfig: %1/none is not a folder: it does not exist.\n");
        row("unknown option", {}, {"show", "--bogus"}, 2, "",
            "kvxconfig: show: Unknown option 'bogus'.\nUsage: kvxconfig show [--json] [--folder DIR]; see kvxconfig...");
        row("stray argument", {}, {"check", "now"}, 2, "", "kvxconfig: check: unexpected argument \"now\"\n"
            "Usage: kvxconfig check [--folder DIR]; see kvxconfig --help.\n");
        row("a mistyped command, no display", {}, {"shwo"}, 1, "",
            "kvxconfig: \"shwo\" is no command, so the windows open; see kvxconfig --help for the command line.\n" +
                noDisplayHint);
        row("no command, no display", {}, {}, 1, "", noDisplayHint);
        row("-listen, no display", {}, {"-listen"}, 1, "", noDisplayHint);
    }
    void usage() const { runRow(); }

    // set saves as the classic editor does, with its warnings and the backup
    // notice on standard error and the old file in the backup; a refusal
    // writes nothing.
    void set_data()
    {
        QTest::addColumn<Case>("run");
        const auto saves = [](const char *name, const QByteArray &before, const QStringList &values,
                              const QByteArray &after, const QString &err = {}) {
            Files saved{{"kvxserver.conf", after}};
            if (err.contains(".bak"))
                saved.insert("kvxserver.conf.bak", before);
            row(name, before.isNull() ? Files() : Files{{"kvxserver.conf", before}}, QStringList{"set"} + values, 0, "",
                err, saved);
        };
        const Files refusable{{"kvxserver.conf", handEdited}};
        const auto refused = [](const QStringList &sentences) {
            return "kvxconfig: " + sentences.join("\nkvxconfig: ") + "\nkvxconfig: nothing was written.\n";
        };
        saves("tool-written file, no values: its first-page choice kept",
              fixture("default-wizard.conf", {{253, "#mode: classic"}, {254, "#show page 1: 0"}}), {},
              fixture("default-classic.conf",
                      {{50, "GameMap 3"}, {169, "AdminPort 4003"}, {253, "#mode: classic"}, {254, "#show page 1: 0"}}),
              plusWarning);
        saves("a map by number, with the players its game allows, keys in any case, a key twice",
              classicSaved({{41, "MaxPlayers 30"}, {50, "GameMap 3"}}), {"gamemap=2", "MaxPlayers=2", "MAXPLAYERS=26"},
              classicSaved({{50, "GameMap 2"}}));
        saves("the wizard's spelling of a GTA III map", classicSaved(), {"GameMap=GTA III - Shore side Vale"},
              classicSaved({{50, "GameMap 4"}}));
        saves("an emptied password turns it off and keeps its line",
              classicSaved({{138, "ServerPasswordEnabled 1"}, {145, "ServerPassword \"old\""}}), {"ServerPassword="},
              classicSaved({{145, "ServerPassword \"old\""}}));
        saves("hand-edited file: template text back, old file in the backup", handEdited, {"ServerPort=2010"},
              fixture("default-classic.conf", {{26, "ServerPort 2010"}, {41, "MaxPlayers 30"}, {50, "GameMap 3"},
                                               {57, "GameHour 99"}, {169, "AdminPort 4003"}}),
              plusWarning + "kvxconfig: kvxserver.conf held changes made by hand, which the template's text replaced; "
                            "the old file is kept in %1/kvxserver.conf.bak.\n");
        // Written all the same, with a warning for each value given now (the
        // admin panel turned on brings in its port); the file's own old
        // values are check's to report.
        saves("values that cannot work: written, with warnings",
              classicSaved({{5, "ServerName \"\""}, {169, "AdminPort 2003"}}), {"AdminServer=1", "AdminPassword=pw"},
              classicSaved({{5, "ServerName \"\""}, {153, "AdminServer 1"}, {169, "AdminPort 2003"},
                            {176, "AdminPassword \"pw\""}}),
              "kvxconfig: warning: AdminPort \"2003\" cannot work: the admin panel needs a port other than "
              "ServerPort's.\n");
        row("unreadable file", {{"kvxserver.conf", {}}}, {"set"}, 1, "", "kvxconfig: %1/kvxserver.conf could not be read: ...");
        row("backup cannot be written", {{"kvxserver.conf", handEdited}, {"kvxserver.conf.bak", {}}}, {"set"}, 1, "",
            plusWarning + "kvxconfig: %1/kvxserver.conf was not saved, so that the changes made to it by hand are kept: "
                          "the backup %1/kvxserver.conf.bak could not be written: ...");
        // One refusal per kind, given out of order: each key judged by its own kind, every refusal told in the file's order.
        row("a refusal per kind", refusable,
            {"set", "AdminPort=-1", "ServerName=a\x1b[2Jb", "ServerPort=", "MaxPlayers=1", "GameMap=6", "GameHour=24",
             "GameMins=60", "ASE=yes", "AdminPassword=x\u2028"}, 2, "",
            refused({"ServerName \"a<U+001B>[2Jb\" is refused: a text holds no control character, and this one holds "
                     "U+001B.", "ServerPort \"\" is refused: a port is 1 to 5 digits.",
                     "MaxPlayers \"1\" is refused: a whole number from 2 to 32 for a GTA III map.",
                     "GameMap \"6\" is refused: a map is a number from 1 to 5 or one of the names \"Vice City - "
                     "Deathmatch\", \"Vice City - Stunt\", \"GTA3 - Portland\", \"GTA3 - Shore Side Vale\", \"GTA3 - "
                     "Staunton Island\".", "GameHour \"24\" is refused: an hour is one or two digits, 0 to 23.",
                     "GameMins \"60\" is refused: a minute is one or two digits, 0 to 59.",
                     "ASE \"yes\" is refused: a switch is 0 or 1.",
                     "AdminPort \"-1\" is refused: a port is 1 to 5 digits, or empty.",
                     "AdminPassword \"x\u2028\" is refused: kvxserver.conf holds only characters of the Windows-1252 "
                     "code page, and this value holds \"\u2028\" (U+2028)."}));
        row("players judged by the map given", refusable, {"set", "MaxPlayers=27", "GameMap=vice city - stunt"}, 2, "",
            refused({"MaxPlayers \"27\" is refused: a whole number from 2 to 26 for a Vice City map."}));
        row("a new map judges the players read", refusable, {"set", "GameMap=Vice City - Stunt"}, 2, "",
            refused({"MaxPlayers \"30\", as kvxserver.conf holds it, is over the limit of 26 players for Vice City - "
                     "Stunt, a Vice City map: give MaxPlayers too, for example MaxPlayers=26."}));
        row("unknown key", refusable, {"set", "Port=1"}, 2, "",
            "kvxconfig: there is no setting \"Port\"; the settings are ServerName, ServerPort, MaxPlayers, GameMap, "
            "GameHour, GameMins, RandomWeather, MOTDEnabled, MOTDURL, ASE, ServerPassword, AdminServer, AdminPlus, "
            "AdminPort, AdminPassword, AdminPlusPassword, AdminAllowShutdown, StatLogging.\n");
    }
    void set() const { runRow(); }

    // check reports, in order, the hand edits a save would replace, the
    // values set would refuse, the values that cannot work and the alerts.
    void check_data()
    {
        QTest::addColumn<Case>("run");
        row("a classic-written file", {{"kvxserver.conf", classicSaved()}}, {"check"}, 0, "", "");
        row("findings", {{"kvxserver.conf", handEdited + "#\r\n"}}, {"check"}, 1,
            "line 201: a save would replace \"ChatFloodMaxCount 5\" with \"ChatFloodMaxCount 2\"\n"
            "the file has 256 lines; a save writes the template's 255\n"
            "GameHour \"99\" would be refused by set: an hour is one or two digits, 0 to 23.\n"
            "warning: The Admin plus password needs to be filled in\n", "");
        row("values that cannot work", {{"kvxserver.conf", classicSaved({{5, "ServerName \"\""}, {26, "ServerPort 0"},
                                         {153, "AdminServer 1"}, {169, "AdminPort 00000"}})}}, {"check"}, 1,
            "ServerName \"\" cannot work: a server name has at least 3 characters.\n"
            "ServerPort \"0\" cannot work: a port is a number from 1 to 65535.\n"
            "AdminPort \"00000\" cannot work: a port is a number from 1 to 65535.\n"
            "AdminPort \"00000\" cannot work: the admin panel needs a port other than ServerPort's.\n"
            "warning: The Adminpanel password needs to be filled in\n", "");
        row("the game's port for an admin panel that is off", {{"kvxserver.conf", classicSaved({{169, "AdminPort 2003"}})}},
            {"check"}, 0, "", "");
    }
    void check() const { runRow(); }

    // show prints a control character from the file by its code point, into
    // a pipe too.
    void show_data()
    {
        QTest::addColumn<Case>("run");
        row("without a file", {}, {"show"}, 1, "", "kvxconfig: there is no kvxserver.conf in %1; kvxconfig set creates it.\n");
        row("unreadable file", {{"kvxserver.conf", {}}}, {"show"}, 1, "", "kvxconfig: %1/kvxserver.conf could not be read: ...");
        row("a control character", {{"kvxserver.conf", classicSaved({{5, "ServerName \"a\x1b[31mb\x07" "c\""}})}}, {"show"},
            0, "ServerName=a<U+001B>[31mb<U+0007>c\n...", "");
    }
    void show() const { runRow(); }

    // motd prints UTF-8 with LF line ends, byte for byte into a pipe; what it
    // printed, given back to motd --set - with LF or CR LF line ends, leaves
    // motd.txt as it was.
    void motd_data()
    {
        QTest::addColumn<Case>("run");
        const Files written{{"motd.txt", motdFile}};
        row("prints", written, {"motd"}, 0, motdPrinted, "");
        row("no motd.txt: the editor's empty text", {}, {"motd"}, 0, "", "");
        row("--set -, LF", {}, {"motd", "--set", "-"}, 0, "", "", written, motdPrinted);
        row("--set -, CR LF", {}, {"motd", "--set", "-"}, 0, "", "", written, QByteArray(motdPrinted).replace("\n", "\r\n"));
        row("--set -, empty", {}, {"motd", "--set", "-"}, 0, "", "", {{"motd.txt", "\r\n"}});
        row("motd.txt unreadable", {{"motd.txt", {}}}, {"motd"}, 1, "", "kvxconfig: %1/motd.txt could not be read: ...");
        row("missing source", {}, {"motd", "--set", "%1/none"}, 1, "", "kvxconfig: %1/none could not be read: ...");
        row("not UTF-8", {{"latin1.txt", "caf\xe9\n"}}, {"motd", "--set", "%1/latin1.txt"}, 2, "",
            "kvxconfig: %1/latin1.txt is not UTF-8 text; motd.txt was not changed.\n");
        row("outside Windows-1252", {{"motd.txt", "old\r\n"}}, {"motd", "--set", "-"}, 2, "",
            "kvxconfig: the message of the day holds \"\u2028\" (U+2028), which the Windows-1252 code page of motd.txt "
            "cannot hold; motd.txt was not changed.\n", {}, "line\u2028two\n");
    }
    void motd() const { runRow(); }

    void launch_data()
    {
        QTest::addColumn<Case>("run");
        row("no server", {}, {"launch"}, 1, "", "kvxconfig: %1/KVXServer.exe cannot be started: there is no such file.\n");
        row("server is a folder", {{"KVXServer.exe", {}}}, {"launch", "--foreground"}, 1, "",
            "kvxconfig: %1/KVXServer.exe cannot be started: it is a folder, not a program.\n");
        row("server not a program", {{"KVXServer.exe", "text"}}, {"launch"}, 1, "",
            "kvxconfig: %1/KVXServer.exe could not be started: ...");
    }
    void launch() const { runRow(); }

    // show --json holds texts (ports and counts too) as strings, switches as
    // booleans, the map as a number beside its name; show's lines, given to
    // set one argument each in a fresh folder, save the file byte for byte.
    // The help groups the keys by what set accepts, in show's order.
    void showRoundTrips()
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
        QVERIFY(QFile::remove(m_dir.filePath("kvxserver.conf")));
        QCOMPARE(kvx(QStringList{"set"} + shown).status, 0);
        QCOMPARE(contents(), (Files{{"kvxserver.conf", classicSaved(everySetting)}}));
        const QString help = QString::fromUtf8(kvx({"--help"}).out);
        for (const char *group : {"  GameHour, GameMins     one or two digits, 0 to 23 and 0 to 59\n",
                                  "  RandomWeather, MOTDEnabled, ASE, AdminServer, AdminPlus, AdminAllowShutdown, "
                                  "StatLogging\n                         0 or 1\n",
                                  "  ServerName, MOTDURL, ServerPassword, AdminPassword, AdminPlusPassword\n       "
                                  "                  text without control characters"})
            QVERIFY2(help.contains(QLatin1String(group)), group);
    }

    // A start short of a Windows program's header is a native server's (a
    // script) to start as it is; the Windows programs are the Wine rows'.
    void notAWindowsProgram_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("an ELF program") << QByteArray("\x7f" "ELF\x02\x01\x01").leftJustified(0x100, '\0');
        QTest::newRow("MZ alone") << QByteArray("MZ");
        QTest::newRow("cut in the machine field") << windowsProgram(0x8664).left(0x85);
        QTest::newRow("no PE signature") << windowsProgram(0x8664).replace(0x80, 2, "NE");
        QTest::newRow("an offset past the end") << windowsProgram(0x8664).replace(0x3C, 4, "\xff\xff\xff\xff");
    }

    void notAWindowsProgram()
    {
        QFETCH(QByteArray, start);
        QCOMPARE(programHeaderOf(start).kind, ProgramKind::Native);
    }

#ifdef Q_OS_LINUX
    // On a terminal show and motd print a control character (an escape
    // sequence, a bell) by its code point; tabs and line breaks stay.
    void controlCharactersOnATerminal()
    {
        lay({{"kvxserver.conf", classicSaved({{5, "ServerName \"a\x1b[31mb\x07" "c\""}})}, {"motd.txt", motdFile}});
        const Run show = runOnTerminal({"show", "--folder", m_dir.path()});
        QVERIFY2(show.out.startsWith("ServerName=a<U+001B>[31mb<U+0007>c\n"), show.out);
        const Run motd = runOnTerminal({"motd", "--folder", m_dir.path()});
        QCOMPARE(motd.out, QByteArray(motdPrinted).replace("\x1b]0;owned\x07", "<U+001B>]0;owned<U+0007>"));
        QCOMPARE(show.status + motd.status, 0);
    }
#endif

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
        QTest::newRow("streams, working folder and status") << "read line; echo \"$line $(pwd)\"; echo err >&2; exit 7"
                                                            << "echo in | " + foreground << 7 << "in %1\n" << "err\n";
        QTest::newRow("ended by a signal") << "kill -TERM $$" << foreground << 128 + 15 << "" << "";
        QTest::newRow("a link to nothing") << "" << "cd \"$1\" && rm KVXServer.exe && ln -s gone KVXServer.exe && " + foreground << 1 << ""
                                           << "kvxconfig: %1/KVXServer.exe cannot be started: it is a link to a file that does not exist.\n";
        // Detached, "running" tells that the tool ended (and the caller read the id) while the server ran.
        QTest::newRow("detached: the process id, at once")
            << "echo $$ > pid.tmp; mv pid.tmp pid; " + waits + "; : > ended"
            << "cd \"$1\" && id=$(\"$0\" launch --folder .) || exit; " + until("-e pid") +
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
        layServer(server);
        const Run run = sh(caller);
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
        // WineHQ's wine is itself the 32-bit loader; this one cannot run, so
        // the start fails, but the program was judged runnable.
        QTest::newRow("32-bit, wine a 32-bit ELF file") << 0x14c << "elf32" << "--foreground" << 1 << ""
            << "kvxconfig: %1/KVXServer.exe could not be started: execvp: Exec format error\n";
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
        const QByteArray script = wine == "elf32" ? QByteArray("\x7f" "ELF\x01\x01\x01", 7) : "#!/bin/sh\necho \"$PWD $*\" > wine-ran\nexit 7\n";
        QVERIFY(stub.open(QIODevice::WriteOnly) && stub.write(script) > 0);
        stub.close();
        QVERIFY(stub.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        if (wine == "32")
            QVERIFY(QFile(tools.filePath("lib/wine/wine")).open(QIODevice::WriteOnly));
        lay({{"KVXServer.exe", windowsProgram(quint16(machine))}});
        // From the test's folder, with the stand-in's folder alone on the PATH.
        const Run run = sh("PATH=\"$2\" \"$0\" launch --folder \"$1\" $3 > /dev/null; s=$?; [ $s -eq 1 ] && exit 1; " +
                               until("-s \"$1/wine-ran\"") + "cat \"$1/wine-ran\"; exit $s",
                           {tools.filePath("bin"), option});
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
        layServer("echo $$ > pid\nfor s in " + trapped + "; do trap \"echo $s > seen; exit 3\" $s; done\n: > ready\n" + waits);
        // No core file from SIGQUIT.
        const Run run = sh("ulimit -c 0; " + (ignored.isEmpty() ? "" : "trap '' " + ignored + "; ") +
                           "\"$0\" launch --folder \"$1\" --foreground & " + until("-e \"$1/ready\"") + "for s in " + sent +
                           "; do kill -$s $!; done; wait $!");
        QVERIFY(endsWithin(readFile(m_dir.filePath("pid")).trimmed().toLongLong(), 2000));
        QCOMPARE(run.status, status);
        QCOMPARE(readFile(m_dir.filePath("seen")), seen.isNull() ? QByteArray("<missing>") : seen);
    }

    // Without --folder the tool works in its own folder; when that folder's
    // name is not valid UTF-8 it says so and writes nowhere, not even in the
    // current folder.
    void toolFolderOrNothing()
    {
        QTemporaryDir current;
        const Run run = sh("good=\"$1/good\"; bad=\"$1/bad$(printf '\\377')\"; mkdir \"$good\" \"$bad\" && cp \"$0\" "
                           "\"$good\" && cp \"$0\" \"$bad\" && cd \"$2\" || exit; tool=$(basename \"$0\"); "
                           "\"$good/$tool\" set; echo $?; \"$bad/$tool\" set; echo $?; rm -r \"$bad\"",
                           {current.path()});
        QCOMPARE(run.out, QByteArray("0\n1\n"));
        QCOMPARE(run.err, "kvxconfig: The folder this tool lies in could not be determined (its name is not valid in "
                          "the system's encoding), so nothing was read or written. Give the server folder with "
                          "--folder DIR.\n");
        QCOMPARE(readFile(m_dir.filePath("good/kvxserver.conf")), classicSaved());
        QCOMPARE(QDir(current.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // A display named but out of reach: the windows are tried, and the tool's
    // sentence takes the place of the toolkit's advice to reinstall it and
    // of its abort (which would leave no core file).
    void unreachableDisplay_data()
    {
        QTest::addColumn<QString>("display");
        for (const char *display : {"DISPLAY=:4711", "WAYLAND_DISPLAY=kvx-none", "QT_QPA_PLATFORM=kvx-none"})
            QTest::newRow(display) << display;
    }

    void unreachableDisplay()
    {
        QFETCH(QString, display);
        const Run run = runProgram("/bin/sh", {"-c", "ulimit -c 0; exec \"$0\"", executable}, {}, display);
        QVERIFY2(run.err.endsWith("kvxconfig: the display named for the windows could not be reached; use the command "
                                  "line instead (see kvxconfig --help), or connect with ssh -X to show the windows on "
                                  "your own display.\n") && !run.err.contains("Reinstalling"), run.err);
        QCOMPARE(run.status, 1);
    }
#endif

#ifdef Q_OS_LINUX
    // A supervisor's SIGKILL to the tool ends the server too (the kernel
    // sends it SIGTERM), and the server does not inherit the SIGXFSZ and
    // SIGPIPE the tool ignores.
    void serverEndsWithTheTool()
    {
        layServer("echo $$ > pid\ngrep SigIgn /proc/$$/status > ignored\n: > ready\n" + waits);
        const Run run = sh("trap '' XFSZ PIPE; \"$0\" launch --folder \"$1\" --foreground & " + until("-e \"$1/ready\"") +
                           "kill -KILL $!; wait $!");
        QCOMPARE(run.status, 128 + 9);
        QVERIFY(endsWithin(readFile(m_dir.filePath("pid")).trimmed().toLongLong(), 1000));
        const QByteArray ignored = readFile(m_dir.filePath("ignored"));
        QVERIFY2(ignored.startsWith("SigIgn:\t"), ignored);
        const qulonglong mask = ignored.mid(8).trimmed().toULongLong(nullptr, 16);
        QCOMPARE(mask & ((1ull << (SIGPIPE - 1)) | (1ull << (SIGXFSZ - 1))), 0ull);
    }

    // A terminal's Ctrl+C reaches the server once: the kernel sends it to the
    // tool's process group, the server included, and the tool does not pass
    // it on again. The tool is stopped while the server takes the first, so
    // that a second one sent by the tool would be counted, not merged.
    void ctrlCReachesTheServerOnce()
    {
        layServer("n=0\ntrap 'n=$((n+1)); : > interrupted' INT\ntrap 'echo $n > seen; exit 3' TERM\n: > ready\n" + waits);
        const auto appears = [this](const char *name) {
            QDeadlineTimer deadline(20000);
            while (!QFileInfo::exists(m_dir.filePath(name)) && !deadline.hasExpired())
                QThread::msleep(10);
            return QFileInfo::exists(m_dir.filePath(name));
        };
        bool interrupted = false;
        const Run run = runOnTerminal({"launch", "--folder", m_dir.path(), "--foreground"}, [&](pid_t tool, int terminal) {
            if (!appears("ready"))
                return;
            ::kill(tool, SIGSTOP);
            interrupted = ::write(terminal, "\x03", 1) == 1 && appears("interrupted");
            ::kill(tool, SIGCONT);
            ::kill(tool, SIGTERM);
        });
        QVERIFY(interrupted);
        QCOMPARE(run.status, 3);
        QCOMPARE(readFile(m_dir.filePath("seen")), QByteArray("1\n"));
    }
#endif
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_cli.moc"
