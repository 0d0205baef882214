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

using Lines = QMap<int, QByteArray>;     // line index, from 0 -> bytes
using Files = QMap<QString, QByteArray>; // name in the server folder -> bytes; null: a folder; "#!..": a program

namespace {

const QString executable = QStringLiteral(KVX_EXECUTABLE);

// A run of the tool: the server folder before, the arguments (%1: the server
// folder; "-c" and a shell script: the caller is that script, with $0 the
// tool and $1 the server folder), the exit status, each stream (%1 as above;
// one ending in "..." is that start, where a platform's reason follows), the
// server folder after (empty: as before; a script's is its own to check) and
// standard input.
struct Case { Files before; QStringList arguments; int status; QString out, err; Files after; QByteArray input; };

void row(const QByteArray &name, const Files &before, const QStringList &arguments, int status, const QString &out,
         const QString &err, const Files &after = {}, const QByteArray &input = {})
{
    QTest::newRow(name.constData()) << Case{before, arguments, status, out, err, after.isEmpty() ? before : after, input};
}

// What the classic editor saves from its defaults, with `changes`.
QByteArray classicSaved(const Lines &changes = {}) { return fixture("default-classic.conf", committedClassic(changes)); }

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
// row leaves nothing running; and a caller's wait for a shell condition, as
// long at most.
const QString waits = "i=0; while [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done";
QString until(const QString &condition, int steps = 400)
{
    return "i=0; until " + condition + " || [ $i -gt " + QString::number(steps) + " ]; do sleep 0.05; i=$((i+1)); done; ";
}
Files server(const QString &script) { return {{"KVXServer.exe", ("#!/bin/sh\n" + script + "\n").toUtf8()}}; }
// The caller's last words on the server that wrote its id to pid: "left
// running" unless it ended within 3 s, well before its loop would end it (an
// unreaped one counts as ended).
const QString running = "grep -qv ') Z' /proc/$(cat \"$1/pid\")/stat 2>/dev/null";
const QString gone = until("! " + running, 60) + running + " && echo left running; ";
#endif


} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    // An expected text with %1 as the server folder, in the system's separators.
    QString placed(QString text) const
    {
        return text.contains("%1") ? QDir::toNativeSeparators(text.replace("%1", m_dir.path())) : text;
    }
    // Runs the tool, with --folder and the server folder after a command
    // unless the arguments name a folder of their own (%1: the server folder).
    ProgramRun kvx(QStringList arguments, const QByteArray &input = {}) const
    {
        if (arguments.value(0) == "-c")
            return runProgram("/bin/sh", {"-c", arguments[1], executable, m_dir.path()}, input);
        arguments.replaceInStrings("%1", m_dir.path());
        if (!arguments.value(0, "-").startsWith('-') && !arguments.contains("--folder"))
            arguments = arguments.mid(0, 1) + QStringList{"--folder", m_dir.path()} + arguments.mid(1);
        return runProgram(executable, arguments, input);
    }
    void lay(const Files &files) const
    {
        for (auto it = files.begin(); it != files.end(); ++it) {
            QFile file(m_dir.filePath(it.key()));
            QVERIFY(it->isNull() ? QDir(m_dir.path()).mkpath(it.key())
                                 : file.open(QIODevice::WriteOnly) && file.write(*it) == it->size());
            if (it->startsWith("#!") || it->startsWith("\x7f" "ELF"))
                QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
    }
    Files contents() const
    {
        Files files;
        for (const QFileInfo &entry : QDir(m_dir.path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            QFile file(entry.filePath());
            files.insert(entry.fileName(), entry.isDir() ? QByteArray() : file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
        }
        return files;
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
    }

    // Each command's streams, status and the server folder after.
    void commands_data()
    {
        QTest::addColumn<Case>("run");
        // Help, version, the server folder and what is no command line.
        row("--help", {}, {"--help"}, 0,
            "Usage:\n  kvxconfig --help | -h | help      this text on standard output\n"
            "  kvxconfig --version | -V | version\n                                    \"kvxconfig \" and the version\n"
            "  kvxconfig show [--json]           the settings kvxserver.conf holds, read as the classic editor reads them\n"
            "  kvxconfig set [KEY=VALUE...]      change settings and save kvxserver.conf\n"
            "  kvxconfig check                   report what the windows' rules and a save would flag\n"
            "  kvxconfig motd [--set FILE|-]     print the message of the day; with --set, replace motd.txt's text "
            "from a UTF-8 file, or standard input for \"-\"\n"
            "  kvxconfig launch [--foreground]   start KVXServer.exe from the server folder\n\nEvery command...", "");
        row("set --help", {}, {"set", "--help"}, 0, "Usage: kvxconfig set [KEY=VALUE...] [--folder DIR]\n  change settings "
            "and save kvxserver.conf\nDIR is the server folder (default: the folder kvxconfig lies in); see kvxconfig --help for more.\n", "");
        for (const char *help : {"help", "-h"})
            row(help, {}, {help}, 0, "Usage:\n...", "");
        for (const char *version : {"--version", "version", "-V"})
            row(version, {}, {version}, 0, "kvxconfig 0.5\n", "");
        row("--folder before the command", {{"kvxserver.conf", classicSaved()}}, {"--folder", "%1", "show"}, 0,
            "ServerName=KVX 0.5 NoName VC Server (QOR)\n...", "");
        row("--folder= before the command", {{"kvxserver.conf", classicSaved()}}, {"--folder=%1", "check"}, 0, "", "");
        row("--folder without a command", {}, {"--folder", "%1"}, 2, "", "kvxconfig: --folder DIR needs a command after it; see kvxconfig --help.\n");
        row("--folder, then no command", {}, {"--folder", "%1", "shwo"}, 2, "", "kvxconfig: \"shwo\" is not a command; see kvxconfig --help.\n");
        row("--folder that does not exist", {}, {"show", "--folder", "%1/none"}, 1, "", "kvxconfig: %1/none is not a folder: it does not exist.\n");
        row("unknown option", {}, {"show", "--bogus"}, 2, "",
            "kvxconfig: show: Unknown option 'bogus'.\nUsage: kvxconfig show [--json] [--folder DIR]; see kvxconfig...");
        row("stray argument", {}, {"check", "now"}, 2, "",
            "kvxconfig: check: unexpected argument \"now\"\nUsage: kvxconfig check [--folder DIR]; see kvxconfig --help.\n");
        row("a mistyped command, no display", {}, {"shwo"}, 1, "",
            "kvxconfig: \"shwo\" is no command, so the windows open; see kvxconfig --help for the command line.\n" + noDisplayHint);
        row("no command, no display", {}, {}, 1, "", noDisplayHint);
        row("-listen, no display", {}, {"-listen"}, 1, "", noDisplayHint);

        // set saves as the classic editor does, with its warnings and the
        // backup notice on standard error and the old file in the backup; a
        // refusal writes nothing.
        const auto saves = [](const char *name, const QByteArray &before, const QStringList &values,
                              const QByteArray &after, const QString &err = {}) {
            Files saved{{"kvxserver.conf", after}};
            if (err.contains(".bak"))
                saved.insert("kvxserver.conf.bak", before);
            row(name, {{"kvxserver.conf", before}}, QStringList{"set"} + values, 0, "", err, saved);
        };
        const Files refusable{{"kvxserver.conf", handEdited}};
        const auto refused = [](const QStringList &sentences) {
            return "kvxconfig: " + sentences.join("\nkvxconfig: ") + "\nkvxconfig: nothing was written.\n";
        };
        saves("tool-written file, no values: its first-page choice kept",
              fixture("default-wizard.conf", {{253, "#mode: classic"}, {254, "#show page 1: 0"}}), {},
              fixture("default-classic.conf", {{50, "GameMap 3"}, {169, "AdminPort 4003"}, {253, "#mode: classic"},
                                               {254, "#show page 1: 0"}}), plusWarning);
        saves("a map by number, with the players its game allows, keys in any case, a key twice",
              classicSaved({{41, "MaxPlayers 30"}, {50, "GameMap 3"}}), {"gamemap=2", "MaxPlayers=2", "MAXPLAYERS=26"},
              classicSaved({{50, "GameMap 2"}}));
        saves("the wizard's spelling of a GTA III map", classicSaved(), {"GameMap=GTA III - Shore side Vale"},
              classicSaved({{50, "GameMap 4"}}));
        saves("an emptied password turns it off and keeps its line", classicSaved({{138, "ServerPasswordEnabled 1"},
              {145, "ServerPassword \"old\""}}), {"ServerPassword="}, classicSaved({{145, "ServerPassword \"old\""}}));
        saves("hand-edited file: template text back, old file in the backup", handEdited, {"ServerPort=2010"},
              fixture("default-classic.conf", {{26, "ServerPort 2010"}, {41, "MaxPlayers 30"}, {50, "GameMap 3"},
                                               {57, "GameHour 99"}, {169, "AdminPort 4003"}}),
              plusWarning + "kvxconfig: kvxserver.conf held changes made by hand, which the template's text replaced; "
                            "the old file is kept in %1/kvxserver.conf.bak.\n");
        // Written all the same, with a warning for each value given now (the
        // admin panel turned on brings in its port); the file's own old
        // values are check's to report.
        saves("values that cannot work: written, with warnings", classicSaved({{5, "ServerName \"\""}, {169, "AdminPort 2003"}}),
              {"AdminServer=1", "AdminPassword=pw"}, classicSaved({{5, "ServerName \"\""}, {153, "AdminServer 1"},
              {169, "AdminPort 2003"}, {176, "AdminPassword \"pw\""}}),
              "kvxconfig: warning: AdminPort \"2003\" cannot work: the admin panel needs a port other than ServerPort's.\n");
        row("set, unreadable file", {{"kvxserver.conf", {}}}, {"set"}, 1, "", "kvxconfig: %1/kvxserver.conf could not be read: ...");
        row("backup cannot be written", {{"kvxserver.conf", handEdited}, {"kvxserver.conf.bak", {}}}, {"set"}, 1, "",
            plusWarning + "kvxconfig: %1/kvxserver.conf was not saved, so that the changes made to it by hand are kept: "
                          "the backup %1/kvxserver.conf.bak could not be written: ...");
        // One refusal per kind, given out of order: each key judged by its own kind, every refusal told in the file's order.
        row("a refusal per kind", refusable, {"set", "AdminPort=-1", "ServerName=a\x1b[2Jb", "ServerPort=", "MaxPlayers=1",
            "GameMap=6", "GameHour=24", "GameMins=60", "ASE=yes", "AdminPassword=x\u2028"}, 2, "",
            refused({"ServerName \"a<U+001B>[2Jb\" is refused: a text holds no control character, and this one holds "
                     "U+001B.", "ServerPort \"\" is refused: a port is 1 to 5 digits.",
                     "MaxPlayers \"1\" is refused: a whole number from 2 to 32 for a GTA III map.",
                     "GameMap \"6\" is refused: a map is a number from 1 to 5 or one of the names \"Vice City - "
                     "Deathmatch\", \"Vice City - Stunt\", \"GTA3 - Portland\", \"GTA3 - Shore Side Vale\", \"GTA3 - "
                     "Staunton Island\".", "GameHour \"24\" is refused: an hour is one or two digits, 0 to 23.",
                     "GameMins \"60\" is refused: a minute is one or two digits, 0 to 59.",
                     "ASE \"yes\" is refused: a switch is 0 or 1.", "AdminPort \"-1\" is refused: a port is 1 to 5 digits, or empty.",
                     "AdminPassword \"x\u2028\" is refused: kvxserver.conf holds only characters of the Windows-1252 "
                     "code page, and this value holds \"\u2028\" (U+2028)."}));
        row("players judged by the map given", refusable, {"set", "MaxPlayers=27", "GameMap=vice city - stunt"}, 2, "",
            refused({"MaxPlayers \"27\" is refused: a whole number from 2 to 26 for a Vice City map."}));
        row("a new map judges the players read", refusable, {"set", "GameMap=Vice City - Stunt"}, 2, "",
            refused({"MaxPlayers \"30\", as kvxserver.conf holds it, is over the limit of 26 players for Vice City - "
                     "Stunt, a Vice City map: give MaxPlayers too, for example MaxPlayers=26."}));
        row("unknown key", refusable, {"set", "Port=1"}, 2, "", "kvxconfig: there is no setting \"Port\"; the settings are "
            "ServerName, ServerPort, MaxPlayers, GameMap, GameHour, GameMins, RandomWeather, MOTDEnabled, MOTDURL, ASE, "
            "ServerPassword, AdminServer, AdminPlus, AdminPort, AdminPassword, AdminPlusPassword, AdminAllowShutdown, StatLogging.\n");

        // check reports, in order, the hand edits a save would replace, the
        // values set would refuse, the values that cannot work and the alerts.
        row("check, a classic-written file", {{"kvxserver.conf", classicSaved()}}, {"check"}, 0, "", "");
        row("check, findings", {{"kvxserver.conf", handEdited + "#\r\n"}}, {"check"}, 1,
            "line 201: a save would replace \"ChatFloodMaxCount 5\" with \"ChatFloodMaxCount 2\"\n"
            "the file has 256 lines; a save writes the template's 255\n"
            "GameHour \"99\" would be refused by set: an hour is one or two digits, 0 to 23.\n"
            "warning: The Admin plus password needs to be filled in\n", "");
        row("check, values that cannot work", {{"kvxserver.conf", classicSaved({{5, "ServerName \"\""}, {26, "ServerPort 0"},
            {153, "AdminServer 1"}, {169, "AdminPort 00000"}})}}, {"check"}, 1,
            "ServerName \"\" cannot work: a server name has at least 3 characters.\n"
            "ServerPort \"0\" cannot work: a port is a number from 1 to 65535.\n"
            "AdminPort \"00000\" cannot work: a port is a number from 1 to 65535.\n"
            "AdminPort \"00000\" cannot work: the admin panel needs a port other than ServerPort's.\n"
            "warning: The Adminpanel password needs to be filled in\n", "");
        row("check, the game's port for an admin panel that is off",
            {{"kvxserver.conf", classicSaved({{169, "AdminPort 2003"}})}}, {"check"}, 0, "", "");

        // show prints a control character from the file by its code point, into a pipe too.
        row("show without a file", {}, {"show"}, 1, "", "kvxconfig: there is no kvxserver.conf in %1; kvxconfig set creates it.\n");
        row("show, unreadable file", {{"kvxserver.conf", {}}}, {"show"}, 1, "", "kvxconfig: %1/kvxserver.conf could not be read: ...");
        row("show, a control character", {{"kvxserver.conf", classicSaved({{5, "ServerName \"a\x1b[31mb\x07" "c\""}})}},
            {"show"}, 0, "ServerName=a<U+001B>[31mb<U+0007>c\n...", "");

        // motd prints UTF-8 with LF line ends, byte for byte into a pipe;
        // what it printed, given back to motd --set - with LF or CR LF line
        // ends, leaves motd.txt as it was.
        const Files written{{"motd.txt", motdFile}};
        row("motd prints", written, {"motd"}, 0, motdPrinted, "");
        row("no motd.txt: the editor's empty text", {}, {"motd"}, 0, "", "");
        row("--set -, LF", {}, {"motd", "--set", "-"}, 0, "", "", written, motdPrinted);
        row("--set -, CR LF", {}, {"motd", "--set", "-"}, 0, "", "", written, QByteArray(motdPrinted).replace("\n", "\r\n"));
        row("--set -, empty", {}, {"motd", "--set", "-"}, 0, "", "", {{"motd.txt", "\r\n"}});
        row("motd.txt unreadable", {{"motd.txt", {}}}, {"motd"}, 1, "", "kvxconfig: %1/motd.txt could not be read: ...");
        row("missing source", {}, {"motd", "--set", "%1/none"}, 1, "", "kvxconfig: %1/none could not be read: ...");
        row("not UTF-8", {{"latin1.txt", "caf\xe9\n"}}, {"motd", "--set", "%1/latin1.txt"}, 2, "",
            "kvxconfig: %1/latin1.txt is not UTF-8 text; motd.txt was not changed.\n");
        row("outside Windows-1252", {{"motd.txt", "old\r\n"}}, {"motd", "--set", "-"}, 2, "", "kvxconfig: the message of "
            "the day holds \"\u2028\" (U+2028), which the Windows-1252 code page of motd.txt cannot hold; motd.txt was not "
            "changed.\n", {}, "line\u2028two\n");

        row("no server", {}, {"launch"}, 1, "", "kvxconfig: %1/KVXServer.exe cannot be started: there is no such file.\n");
        row("server is a folder", {{"KVXServer.exe", {}}}, {"launch", "--foreground"}, 1, "",
            "kvxconfig: %1/KVXServer.exe cannot be started: it is a folder, not a program.\n");
        row("server not a program", {{"KVXServer.exe", "text"}}, {"launch"}, 1, "", "kvxconfig: %1/KVXServer.exe could not be started: ...");
#ifdef Q_OS_UNIX
        // launch runs KVXServer.exe (a stand-in script) in the server folder,
        // started from the test's folder. In the foreground its streams and
        // its exit status pass through; detached, the tool prints its process
        // id at once and the server reads and writes none of the caller's streams.
        const QString foreground = "\"$0\" launch --folder \"$1\" --foreground";
        row("streams, working folder and status", server("read line; echo \"$line $(pwd)\"; echo err >&2; exit 7"),
            {"-c", "echo in | " + foreground}, 7, "in %1\n", "err\n");
        row("ended by a signal", server("kill -TERM $$"), {"-c", foreground}, 128 + 15, "", "");
        row("a link to nothing", {}, {"-c", "cd \"$1\" && ln -s gone KVXServer.exe && " + foreground}, 1, "",
            "kvxconfig: %1/KVXServer.exe cannot be started: it is a link to a file that does not exist.\n");
        // "running": the tool ended (and the caller read the id) while the server ran.
        row("detached", server("read x; echo \"$x\" > got; echo err >&2; echo $$ > pid.tmp; mv pid.tmp pid; " + waits + "; : > ended"),
            {"-c", "cd \"$1\" && id=$(echo in | \"$0\" launch --folder .) || exit; " + until("[ -e pid ]") +
             "[ \"$id\" = \"$(cat pid)\" ] && [ ! -e ended ] && echo running $(cat got); kill \"$(cat pid)\""}, 0, "running\n", "");

        // A Windows KVXServer.exe runs through the wine on the PATH (a
        // stand-in that writes down its working folder and arguments), in the
        // foreground and detached; without a wine that can run it, the tool
        // says what it is and what to install.
        const auto throughWine = [](const char *name, quint16 machine, Files before, const char *option, int status,
                                    const QString &ran, const QString &err) {
            before.insert("KVXServer.exe", windowsProgram(machine));
            row(name, before, {"-c", "PATH=\"$1/bin\" \"$0\" launch --folder \"$1\" " + QString(option) + " > /dev/null; s=$?; "
                "[ $s -eq 1 ] && exit 1; " + until("[ -s \"$1/wine-ran\" ]") + "cat \"$1/wine-ran\"; exit $s"}, status, ran, err);
        };
        // bin/wine, and lib/wine/wine as Debian's wine32 puts it.
        const Files wine64{{"bin", {}}, {"bin/wine", "#!/bin/sh\necho \"$PWD $*\" > wine-ran\nexit 7\n"}};
        Files wine32 = wine64, noWine;
        wine32.insert({{"lib/wine", {}}, {"lib/wine/wine", ""}});
        const QString ran = "%1 %1/KVXServer.exe\n", notStarted = "kvxconfig: %1/KVXServer.exe could not be started: it is ";
        const QString i386 = "sudo dpkg --add-architecture i386 && sudo apt update && sudo apt install wine wine32:i386)\n";
        throughWine("64-bit, foreground", 0x8664, wine64, "--foreground", 7, ran, "");
        throughWine("64-bit, detached", 0x8664, wine64, "", 0, ran, "");
        throughWine("32-bit, Wine with its 32-bit part", 0x14c, wine32, "--foreground", 7, ran, "");
        throughWine("32-bit, 64-bit Wine alone", 0x14c, wine64, "--foreground", 1, "", notStarted + "a 32-bit Windows "
                    "program (i386), and the Wine here runs 64-bit programs alone; install its 32-bit part (on Debian: " + i386);
        throughWine("64-bit, no wine", 0x8664, noWine, "", 1, "", notStarted + "a 64-bit Windows program (x86-64), and there "
                    "is no wine on the PATH to run it with; install Wine (on Debian: sudo apt install wine wine64)\n");
        throughWine("32-bit, no wine", 0x14c, noWine, "--foreground", 1, "", notStarted + "a 32-bit Windows program (i386), "
                    "and there is no wine on the PATH to run it with; install Wine (on Debian: " + i386);
        // WineHQ's wine is itself the 32-bit loader; this one cannot run, so
        // the start fails, but the program was judged runnable.
        throughWine("32-bit, wine a 32-bit ELF file", 0x14c, {{"bin", {}}, {"bin/wine", QByteArray("\x7f" "ELF\x01\x01\x01", 7)}},
                    "--foreground", 1, "", "kvxconfig: %1/KVXServer.exe could not be started: execvp: Exec format error\n");
        throughWine("ARM64", 0xaa64, wine32, "", 1, "",
                    notStarted + "a Windows program for another processor (PE machine 0xaa64), which Wine cannot run here\n");

        // Without --folder the tool works in its own folder; when that
        // folder's name is not valid UTF-8 it says so and writes nowhere, not
        // even in the current folder (cur).
        row("the tool's folder or nothing", {{"expected.conf", classicSaved()}}, {"-c", "cd \"$1\" && b=\"$1/bad$(printf "
            "'\\377')\" && mkdir good \"$b\" cur && cp \"$0\" good && cp \"$0\" \"$b\" && cd cur || exit; t=$(basename \"$0\"); "
            "\"$1/good/$t\" set; echo $?; \"$b/$t\" set; echo $?; ls -A \"$b\"; rm -r \"$b\"; cmp ../expected.conf ../good/kvxserver.conf; ls -A"},
            0, "0\n1\nkvxconfig\n", "kvxconfig: The folder this tool lies in could not be determined (its name is not valid in the "
            "system's encoding), so nothing was read or written. Give the server folder with --folder DIR.\n");

        // A display named but out of reach: the windows are tried, and the
        // tool's sentence takes the place of the toolkit's advice to
        // reinstall it and of its abort (which would leave no core file).
        for (const char *display : {"DISPLAY=:4711", "WAYLAND_DISPLAY=kvx-none", "QT_QPA_PLATFORM=kvx-none"})
            row(display, {}, {"-c", "ulimit -c 0; export QT_LOGGING_RULES='qt.qpa.*=false' " + QString(display) + "; exec \"$0\""}, 1, "",
                "kvxconfig: the display named for the windows could not be reached; use the command line instead (see "
                "kvxconfig --help), or connect with ssh -X to show the windows on your own display.\n");
#endif
#ifdef Q_OS_LINUX
        // In the foreground each signal a service manager or an operator
        // sends to the tool reaches the server once, and the tool ends with
        // the server's status: 3 from a stand-in that traps it, 128 + the
        // number when it ends the server. No server is left running. A SIGHUP
        // ignored when the tool starts (nohup) stays ignored. No core file from SIGQUIT.
        const auto signalled = [&](const QByteArray &name, const QString &sent, const QString &trapped, const QString &ignored,
                                  const QString &seen, int status) {
            row(name, server("echo $$ > pid\nfor s in " + trapped + "; do trap \"echo $s > seen; exit 3\" $s; done\n: > ready\n" + waits),
                {"-c", "ulimit -c 0; " + (ignored.isEmpty() ? "" : "trap '' " + ignored + "; ") + foreground + " & " + until("[ -e \"$1/ready\" ]") + "for s in " +
                 sent + "; do kill -$s $!; done; wait $!; s=$?; " + gone + "cat \"$1/seen\" 2>/dev/null; exit $s"}, status, seen, "");
        };
        const QString all = "HUP INT QUIT TERM USR1 USR2";
        for (const QString &signal : all.split(' '))
            signalled(signal.toLatin1() + ", trapped", signal, all, "", signal + "\n", 3);
        // The others trapped: a server ended some other way (a parent-death SIGTERM) tells.
        for (const auto &[signal, number] : {std::pair{"HUP", 1}, {"QUIT", 3}, {"USR2", 12}})
            signalled(QByteArray(signal) + " ends the server", signal, QString(all).remove(signal), "", "", 128 + number);
        signalled("HUP ignored under nohup", "HUP TERM", all, "HUP", "TERM\n", 3);
        // A supervisor's SIGKILL to the tool ends the server too (the kernel
        // sends it SIGTERM), and the server does not inherit the SIGXFSZ
        // (bit 24) and SIGPIPE (bit 12) the tool ignores: 0 is printed. The
        // shell's own note on the killed tool is not the tool's.
        row("the server ends with the tool", server("echo $$ > pid\ngrep SigIgn /proc/$$/status > ignored\n: > ready\n" + waits),
            {"-c", "trap '' XFSZ PIPE; " + foreground + " & exec 2> /dev/null; " + until("[ -e \"$1/ready\" ]") + "kill -KILL $!; wait $!; s=$?; " +
             gone + "echo $((0x$(cut -f2 \"$1/ignored\") & 0x1001000)); exit $s"}, 128 + 9, "0\n", "");
        // On a terminal of its own (script's; through a shell that outlives a
        // Ctrl+C, so that script, which stops when its child stops, sees no
        // stop), motd prints a control character (an escape sequence, a
        // bell) by its code point, as show always does; tabs and line breaks stay.
        const QString onTerminal = "{ export T=\"$0\" F=\"$1\" SHELL=/bin/sh; script -qec 'trap : INT; \"$T\" %1 --folder \"$F\"' /dev/null; }";
        row("motd on a terminal", {{"motd.txt", motdFile}}, {"-c", onTerminal.arg("motd")}, 0,
            QByteArray(motdPrinted).replace("\x1b]0;owned\x07", "<U+001B>]0;owned<U+0007>").replace("\n", "\r\n"), "");
        // A terminal's Ctrl+C reaches the server once: the kernel sends it to
        // the tool's process group, the server included, and the tool does
        // not pass it on again. The tool is stopped while the server takes
        // the first, so that a second one sent by the tool would be counted,
        // not merged.
        row("Ctrl+C reaches the server once", server("echo $PPID > tool\nn=0\ntrap 'n=$((n+1)); : > interrupted' INT\n"
            "trap 'echo $n > seen; exit 3' TERM\n: > ready\n" + waits), {"-c", "cd \"$1\" && (" + until("[ -e ready ]") +
            "kill -STOP $(cat tool); printf '\\003'; " + until("[ -e interrupted ]") + "kill -CONT $(cat tool); kill $(cat tool)) | " +
            onTerminal.arg("launch --foreground") + " > /dev/null; s=$?; cat seen; exit $s"}, 3, "1\n", "");
#endif
    }

    void commands() const
    {
#ifdef Q_OS_WIN
        if (QString::fromLatin1(QTest::currentDataTag()).contains("no display"))
            QSKIP("Windows always has a display: the windows would open");
#endif
        QFETCH(Case, run);
        lay(run.before);
        const ProgramRun ran = kvx(run.arguments, run.input);
        for (const auto &[actual, expected] : {std::pair{ran.out, placed(run.out)}, std::pair{ran.err, placed(run.err)}})
            QVERIFY2(expected.endsWith("...") ? actual.startsWith(expected.chopped(3).toUtf8()) : actual == expected.toUtf8(), actual);
        QCOMPARE(ran.status, run.status);
        if (run.arguments.value(0) != "-c")
            QCOMPARE(contents(), run.after);
    }

    // show --json holds texts (ports and counts too) as strings, switches as
    // booleans, the map as a number beside its name; show's lines, given to
    // set one argument each in a fresh folder, save the file byte for byte.
    // The help groups the keys by what set accepts, in show's order.
    void showRoundTrips()
    {
        lay({{"kvxserver.conf", classicSaved(everySetting)}});
        // The quotes and the backslash as \u escapes: moc misreads \" in a raw string.
        QCOMPARE(QJsonDocument::fromJson(kvx({"show", "--json"}).out), QJsonDocument::fromJson(R"({
            "ServerName": "Den = \u0022Quoted\u0022 \u005c €", "ServerPort": "2010", "MaxPlayers": "32", "GameMap": 5,
            "GameMapName": "GTA3 - Staunton Island", "GameHour": "07", "GameMins": "5", "RandomWeather": false,
            "MOTDEnabled": true, "MOTDURL": "", "ASE": false, "ServerPassword": " ", "AdminServer": true,
            "AdminPlus": true, "AdminPort": "4100", "AdminPassword": "a", "AdminPlusPassword": "b",
            "AdminAllowShutdown": true, "StatLogging": true})"));
        const QStringList shown = QString::fromUtf8(kvx({"show"}).out).split('\n', Qt::SkipEmptyParts);
        QVERIFY(QFile::remove(m_dir.filePath("kvxserver.conf")));
        QCOMPARE(kvx(QStringList{"set"} + shown).status, 0);
        QCOMPARE(contents(), (Files{{"kvxserver.conf", classicSaved(everySetting)}}));
        const QString help = QString::fromUtf8(kvx({"--help"}).out);
        for (const char *group : {"  GameHour, GameMins     one or two digits, 0 to 23 and 0 to 59\n", "  RandomWeather, "
                                  "MOTDEnabled, ASE, AdminServer, AdminPlus, AdminAllowShutdown, StatLogging\n      "
                                  "                   0 or 1\n", "  ServerName, MOTDURL, ServerPassword, AdminPassword, "
                                  "AdminPlusPassword\n                         text without control characters"})
            QVERIFY2(help.contains(QLatin1String(group)), group);
    }

    // A start short of a Windows program's header is a native server's (a
    // script) to start as it is; the Windows programs are the Wine rows'. The
    // smallest start that holds it all (64 bytes, "PE" at 0x30) is one.
    void windowsProgramHeader()
    {
        for (const QByteArray &start : {QByteArray("\x7f" "ELF\x02\x01\x01").leftJustified(0x100, '\0'), QByteArray("MZ"),
                                        windowsProgram(0x8664).left(0x85), windowsProgram(0x8664).replace(0x80, 2, "NE"),
                                        windowsProgram(0x8664).replace(0x3C, 4, "\xff\xff\xff\xff")})
            QVERIFY2(programHeaderOf(start).kind == ProgramKind::Native, start.toHex().left(16));
        QByteArray smallest = windowsProgram(0x8664).left(0x40).replace(0x30, 6, QByteArray("PE\0\0\x64\x86", 6));
        smallest[0x3C] = char(0x30);
        QVERIFY(programHeaderOf(smallest).kind == ProgramKind::Windows64);
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
        const ProgramRun run = kvx({"launch", "--foreground"}, "in\n");
        QCOMPARE(run.out, "in Z:" + QByteArray(QFile::encodeName(m_dir.path())).replace('/', '\\') + "\r\n");
        // Wine's notes on itself (one of its own helper processes failing
        // on a cold start, seen once in CI) are not the server's stream.
        QCOMPARE(QString::fromUtf8(run.err).remove(QRegularExpression("^wine: [^\n]*\n", QRegularExpression::MultilineOption)),
                 QString("err\r\n"));
        QCOMPARE(run.status, 7);
#endif
    }

};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_cli.moc"
