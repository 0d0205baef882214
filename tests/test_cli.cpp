// The command line, run as the real executable in a temporary folder with no
// display: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset for every
// run, so a run that reached for a window would end with the toolkit's abort.

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using Lines = QMap<int, QByteArray>; // line number, counted from 1 -> bytes

namespace {

const QString executable = QStringLiteral(KVX_EXECUTABLE);

struct Run {
    int status = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
};

QProcessEnvironment noDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

Run runProgram(const QString &program, const QStringList &arguments, const QByteArray &input = {},
               const QProcessEnvironment &environment = noDisplay(), const QString &workingFolder = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingFolder);
#ifdef Q_OS_UNIX
    // A run that aborts must not leave a core file behind.
    process.setChildProcessModifier([] {
        const rlimit none{0, 0};
        setrlimit(RLIMIT_CORE, &none);
    });
#endif
    process.start(program, arguments);
    if (!process.waitForStarted())
        qFatal("cannot start %s", qPrintable(program));
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        qFatal("%s did not end", qPrintable(program));
    return {process.exitCode(), process.exitStatus() == QProcess::CrashExit, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

Run kvx(const QStringList &arguments, const QByteArray &input = {})
{
    return runProgram(executable, arguments, input);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes, bool executableFile = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    if (executableFile)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// A fixture with some of its lines replaced.
QByteArray fixture(const QString &name, const Lines &changes = {})
{
    QList<QByteArray> lines = readFile(QStringLiteral(KVX_FIXTURES "/") + name).split('\n');
    lines.removeLast(); // after the last line's LF
    for (auto it = changes.begin(); it != changes.end(); ++it)
        lines[it.key() - 1] = it.value() + '\r';
    return lines.join('\n') + '\n';
}

// What the classic editor's commit changes in its freshly built document:
// the two switches the template writes as 1 and its defaults clear.
Lines committedClassicDefaults(Lines more = {})
{
    more.insert(78, more.value(78, "MOTDEnabled 0"));
    more.insert(163, more.value(163, "AdminPlus 0"));
    return more;
}

const QByteArray handEdited = fixture(QStringLiteral("default-wizard.conf"), {{201, "ChatFloodMaxCount 5"}});
const QString noDisplayHint = QStringLiteral("kvxconfig: there is no display to show the windows on; use the command "
                                             "line instead (see kvxconfig --help), or connect with ssh -X to show the "
                                             "windows on your own display.\n");

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString conf() const { return m_dir.filePath(QStringLiteral("kvxserver.conf")); }
    QString backup() const { return m_dir.filePath(QStringLiteral("kvxserver.conf.bak")); }
    QString motd() const { return m_dir.filePath(QStringLiteral("motd.txt")); }
    // The arguments with --folder and the test's folder after the command.
    QStringList in(QStringList arguments) const
    {
        arguments.insert(1, m_dir.path());
        arguments.insert(1, QStringLiteral("--folder"));
        return arguments;
    }

private slots:
    void init()
    {
        // Every test starts from an empty server folder.
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
    }

    void setWritesAsTheClassicEditorSaves_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: no file
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("backedUp");
        QTest::addColumn<QStringList>("messages"); // standard error, line by line; %1 the backup's path

        const QString wizard = QStringLiteral("default-wizard.conf");
        const QString classic = QStringLiteral("default-classic.conf");
        const QString plusAlert = QStringLiteral("warning: The Admin plus password needs to be filled in");
        const QString backedUp = QStringLiteral("kvxconfig: kvxserver.conf held changes made by hand, which the "
                                                       "template's text replaced; the old file is kept in %1.");

        QTest::newRow("fresh folder, no values") << QByteArray() << QStringList()
                                                 << fixture(classic, committedClassicDefaults()) << false
                                                 << QStringList();
        QTest::newRow("fresh folder, every kind of value")
            << QByteArray()
            << QStringList{"ServerName=Den \"Quoted\" €", "serverport=2010", "GAMEMAP=gta3 - staunton island",
                           "MaxPlayers=32", "GameHour=07", "GameMins=5", "RandomWeather=0", "MOTDEnabled=1",
                           "ASE=0", "StatLogging=1", "ServerPassword=secret", "AdminPort=4100",
                           "MOTDURL=http://example.org/m.rtf", "AdminAllowShutdown=1"}
            << fixture(classic, committedClassicDefaults({{6, "ServerName \"Den \"Quoted\" \x80\""},
                                                          {27, "ServerPort 2010"}, {42, "MaxPlayers 32"},
                                                          {51, "GameMap 5"}, {58, "GameHour 07"},
                                                          {65, "GameMins 5"}, {73, "RandomWeather 0"},
                                                          {78, "MOTDEnabled 1"}, {84, "MOTDURL \"http://example.org/m.rtf\""},
                                                          {94, "ASE 0"}, {130, "StatLogging 1"},
                                                          {139, "ServerPasswordEnabled 1"},
                                                          {146, "ServerPassword \"secret\""},
                                                          {192, "AdminAllowShutdown 1"}}))
            << false << QStringList();
        // The admin port is written only with the admin panel on.
        QTest::newRow("a map by number; the admin port only with the panel on")
            << fixture(classic, committedClassicDefaults({{42, "MaxPlayers 20"}}))
            << QStringList{"GameMap=2", "AdminPort=4100"}
            << fixture(classic, committedClassicDefaults({{42, "MaxPlayers 20"}, {51, "GameMap 2"}})) << false
            << QStringList();
        QTest::newRow("a key given twice takes its last value")
            << QByteArray() << QStringList{"ServerPort=1", "SERVERPORT=2"}
            << fixture(classic, committedClassicDefaults({{27, "ServerPort 2"}})) << false << QStringList();
        QTest::newRow("tool-written wizard file, no values")
            << fixture(wizard) << QStringList()
            << fixture(classic, {{51, "GameMap 3"}, {170, "AdminPort 4003"}}) << false << QStringList{plusAlert};
        QTest::newRow("remembered first-page choice is kept")
            << fixture(wizard, {{254, "#mode: classic"}, {255, "#show page 1: 0"}}) << QStringList{"AdminPlus=0"}
            << fixture(classic, {{51, "GameMap 3"}, {163, "AdminPlus 0"}, {170, "AdminPort 4003"},
                                 {254, "#mode: classic"}, {255, "#show page 1: 0"}})
            << false << QStringList();
        QTest::newRow("an emptied password turns it off and keeps its line")
            << fixture(classic, committedClassicDefaults({{139, "ServerPasswordEnabled 1"}, {146, "ServerPassword \"old\""}}))
            << QStringList{"ServerPassword="}
            << fixture(classic, committedClassicDefaults({{146, "ServerPassword \"old\""}})) << false
            << QStringList();
        QTest::newRow("admin panel on without password and port: both alerts, old lines kept")
            << fixture(classic, committedClassicDefaults({{177, "AdminPassword \"kept\""}}))
            << QStringList{"AdminServer=1", "AdminPassword="}
            << fixture(classic, committedClassicDefaults({{154, "AdminServer 1"}, {177, "AdminPassword \"kept\""}}))
            << false << QStringList{"warning: The Adminpanel password needs to be filled in",
                           "warning: The Adminpanel port needs to be filled in"};
        QTest::newRow("hand-edited file: template text back, old file in the backup")
            << handEdited << QStringList{"ServerPort=2010"}
            << fixture(classic, {{27, "ServerPort 2010"}, {51, "GameMap 3"}, {170, "AdminPort 4003"}}) << true
            << QStringList{plusAlert, backedUp};
    }

    void setWritesAsTheClassicEditorSaves()
    {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, values);
        QFETCH(QByteArray, after);
        QFETCH(bool, backedUp);
        QFETCH(QStringList, messages);
        if (!before.isEmpty())
            writeFile(conf(), before);

        const Run run = kvx(in(QStringList{"set"} + values));
        QString err;
        for (const QString &message : std::as_const(messages))
            err += QString(message).replace("%1", QDir::toNativeSeparators(backup())) + '\n';
        QCOMPARE(QString::fromUtf8(run.err), err);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(readFile(conf()), after);
        QCOMPARE(readFile(backup()), backedUp ? before : QByteArray("<missing>"));
    }

    void refusedValuesWriteNothing_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("message"); // the first line on standard error

        // The hand-edited file is on a GTA III map with 26 players.
        QTest::newRow("port with a letter") << QStringList{"ServerPort=20x3"}
                                            << "ServerPort \"20x3\" is refused: a port is 1 to 5 digits.";
        QTest::newRow("port of six digits") << QStringList{"ServerPort=123456"}
                                            << "ServerPort \"123456\" is refused: a port is 1 to 5 digits.";
        QTest::newRow("empty server port") << QStringList{"ServerPort="}
                                           << "ServerPort \"\" is refused: a port is 1 to 5 digits.";
        QTest::newRow("admin port with a sign") << QStringList{"AdminPort=-1"}
                                                << "AdminPort \"-1\" is refused: a port is 1 to 5 digits, or empty.";
        QTest::newRow("one player") << QStringList{"MaxPlayers=1"}
                                    << "MaxPlayers \"1\" is refused: a whole number from 2 to 32 for a GTA III map.";
        QTest::newRow("33 players on GTA III") << QStringList{"MaxPlayers=33"}
                                               << "MaxPlayers \"33\" is refused: a whole number from 2 to 32 for a GTA III map.";
        QTest::newRow("27 players with a Vice City map given")
            << QStringList{"MaxPlayers=27", "GameMap=vice city - stunt"}
            << "MaxPlayers \"27\" is refused: a whole number from 2 to 26 for a Vice City map.";
        QTest::newRow("players with a space") << QStringList{"MaxPlayers= 20"}
                                              << "MaxPlayers \" 20\" is refused: a whole number from 2 to 32 for a GTA III map.";
        QTest::newRow("map 6") << QStringList{"GameMap=6"}
                               << "GameMap \"6\" is refused: a map is a number from 1 to 5 or one of the names "
                                  "\"Vice City - Deathmatch\", \"Vice City - Stunt\", \"GTA3 - Portland\", "
                                  "\"GTA3 - Shore Side Vale\", \"GTA3 - Staunton Island\".";
        QTest::newRow("hour 24") << QStringList{"GameHour=24"}
                                 << "GameHour \"24\" is refused: an hour is one or two digits, 0 to 23.";
        QTest::newRow("hour of three digits") << QStringList{"GameHour=007"}
                                              << "GameHour \"007\" is refused: an hour is one or two digits, 0 to 23.";
        QTest::newRow("minute 60") << QStringList{"GameMins=60"}
                                   << "GameMins \"60\" is refused: a minute is one or two digits, 0 to 59.";
        QTest::newRow("switch 2") << QStringList{"ASE=2"} << "ASE \"2\" is refused: a switch is 0 or 1.";
        QTest::newRow("switch yes") << QStringList{"StatLogging=yes"} << "StatLogging \"yes\" is refused: a switch is 0 or 1.";
        QTest::newRow("control character, shown by its code point")
            << QStringList{"ServerName=a\x1b[2Jb"}
            << "ServerName \"a<U+001B>[2Jb\" is refused: a text holds no control character, and this one holds U+001B.";
        QTest::newRow("character outside Windows-1252")
            << QStringList{QString::fromUtf8("AdminPassword=x\u2028")}
            << QString::fromUtf8("AdminPassword \"x\u2028\" is refused: kvxserver.conf holds only characters of the "
                                 "Windows-1252 code page, and this value holds \"\u2028\" (U+2028).");
        QTest::newRow("unknown key") << QStringList{"Port=1"}
                                     << "there is no setting \"Port\"; the settings are ServerName, ServerPort, "
                                        "MaxPlayers, GameMap, GameHour, GameMins, RandomWeather, MOTDEnabled, MOTDURL, "
                                        "ASE, ServerPassword, AdminServer, AdminPlus, AdminPort, AdminPassword, "
                                        "AdminPlusPassword, AdminAllowShutdown, StatLogging.";
        QTest::newRow("no equals sign") << QStringList{"ServerPort"} << "set: \"ServerPort\" is not KEY=VALUE";
    }

    void refusedValuesWriteNothing()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        writeFile(conf(), handEdited);
        const Run run = kvx(in(QStringList{"set"} + values));
        QCOMPARE(run.status, 2);
        QCOMPARE(QString::fromUtf8(run.err).section('\n', 0, 0), "kvxconfig: " + message);
        QCOMPARE(readFile(conf()), handEdited);
        QVERIFY(!QFile::exists(backup()));
    }

    // A new map judges the player count read from the file, which the map
    // rule does not lower here.
    void newMapJudgesThePlayerCountRead()
    {
        writeFile(conf(), fixture(QStringLiteral("default-classic.conf"),
                                  committedClassicDefaults({{42, "MaxPlayers 30"}, {51, "GameMap 3"}})));
        const QByteArray before = readFile(conf());
        Run run = kvx(in({"set", "GameMap=Vice City - Stunt"}));
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, QByteArray("kvxconfig: MaxPlayers \"30\", as kvxserver.conf holds it, is over the limit of 26 "
                                     "players for Vice City - Stunt, a Vice City map: give MaxPlayers too, for example "
                                     "MaxPlayers=26.\nkvxconfig: nothing was written.\n"));
        QCOMPARE(readFile(conf()), before);
        run = kvx(in({"set", "GameMap=Vice City - Stunt", "MaxPlayers=26"}));
        QCOMPARE(run.status, 0);
        QCOMPARE(readFile(conf()), fixture(QStringLiteral("default-classic.conf"),
                                           committedClassicDefaults({{51, "GameMap 2"}})));
    }

    void exitStatusesAndStreams_data()
    {
        QTest::addColumn<QString>("setUp"); // what lies in the server folder
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // standard output starts with this
        QTest::addColumn<QString>("err"); // standard error starts with this

        QTest::newRow("--help") << "" << QStringList{"--help"} << 0 << "Usage:\n  kvxconfig --help | -h" << "";
        QTest::newRow("-h") << "" << QStringList{"-h"} << 0 << "Usage:\n" << "";
        QTest::newRow("a command's --help") << "" << QStringList{"set", "--help"} << 0 << "Usage:\n" << "";
        QTest::newRow("--version") << "" << QStringList{"--version"} << 0 << "kvxconfig 0.5\n" << "";
        QTest::newRow("show without a file") << "" << QStringList{"show"} << 1 << ""
                                             << "kvxconfig: there is no kvxserver.conf in ";
        QTest::newRow("check without a file") << "" << QStringList{"check"} << 1 << ""
                                              << "kvxconfig: there is no kvxserver.conf in ";
        QTest::newRow("unreadable file") << "conf folder" << QStringList{"show"} << 1 << "" << "kvxconfig: ";
        QTest::newRow("set over an unreadable file") << "conf folder" << QStringList{"set"} << 1 << "" << "kvxconfig: ";
        QTest::newRow("backup cannot be written") << "hand-edited, backup folder" << QStringList{"set"} << 1 << ""
                                                  << "warning: The Admin plus password needs to be filled in\n"
                                                     "kvxconfig: "; // the save's own reason follows
        QTest::newRow("motd from a missing file") << "" << QStringList{"motd", "--set", "/nonexistent/m.txt"} << 1
                                                  << "" << "kvxconfig: /nonexistent/m.txt could not be read: ";
        QTest::newRow("motd.txt unreadable") << "motd folder" << QStringList{"motd"} << 1 << "" << "kvxconfig: ";
        QTest::newRow("no server") << "" << QStringList{"launch"} << 1 << ""
                                   << "kvxconfig: %1 cannot be started: there is no such file.";
        QTest::newRow("server is a folder") << "server folder" << QStringList{"launch", "--foreground"} << 1 << ""
                                            << "kvxconfig: %1 cannot be started: it is a folder, not a program.";
        QTest::newRow("server not executable") << "server file" << QStringList{"launch"} << 1 << ""
                                               << "kvxconfig: %1 could not be started: ";
        QTest::newRow("check, classic-written file") << "classic-written" << QStringList{"check"} << 0 << "" << "";
        QTest::newRow("unknown option") << "" << QStringList{"show", "--bogus"} << 2 << ""
                                        << "kvxconfig: show: Unknown option 'bogus'.\nUsage: kvxconfig show [--json]";
        QTest::newRow("stray argument") << "" << QStringList{"check", "now"} << 2 << ""
                                        << "kvxconfig: check: unexpected argument \"now\"";
        QTest::newRow("motd --set without a file") << "" << QStringList{"motd", "--set"} << 2 << ""
                                                   << "kvxconfig: motd: Missing value after '--set'.";
        QTest::newRow("motd not UTF-8") << "latin-1 file" << QStringList{"motd", "--set", "%2"} << 2 << ""
                                        << "kvxconfig: %2 is not UTF-8 text; motd.txt was not changed.";
    }

    void exitStatusesAndStreams()
    {
        QFETCH(QString, setUp);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const QString latin1 = m_dir.filePath(QStringLiteral("latin1.txt"));
        if (setUp == "conf folder")
            QVERIFY(QDir(m_dir.path()).mkdir("kvxserver.conf"));
        if (setUp == "motd folder")
            QVERIFY(QDir(m_dir.path()).mkdir("motd.txt"));
        if (setUp == "server folder")
            QVERIFY(QDir(m_dir.path()).mkdir("KVXServer.exe"));
        if (setUp == "server file")
            writeFile(m_dir.filePath("KVXServer.exe"), "not a program");
        if (setUp == "hand-edited, backup folder") {
            writeFile(conf(), handEdited);
            QVERIFY(QDir(m_dir.path()).mkdir("kvxserver.conf.bak"));
        }
        if (setUp == "classic-written")
            writeFile(conf(), fixture(QStringLiteral("default-classic.conf"), committedClassicDefaults()));
        if (setUp == "latin-1 file")
            writeFile(latin1, "caf\xe9\n");
        for (QString &argument : arguments)
            argument.replace("%2", latin1);

        const Run run = kvx(in(arguments));
        const QString server = QDir::toNativeSeparators(m_dir.filePath("KVXServer.exe"));
        err.replace("%1", server).replace("%2", latin1);
        QVERIFY2(run.out.startsWith(out.toUtf8()), run.out);
        QVERIFY2(run.err.startsWith(err.toUtf8()), run.err);
        QCOMPARE(run.out.isEmpty(), out.isEmpty());
        QCOMPARE(run.err.isEmpty(), err.isEmpty());
        QCOMPARE(run.status, status);
        if (setUp.startsWith("hand-edited")) {
            QCOMPARE(readFile(conf()), handEdited);
        }
    }

    void checkReportsWhatASaveWouldFlag()
    {
        writeFile(conf(), fixture(QStringLiteral("default-wizard.conf"),
                                  {{201, "ChatFloodMaxCount 5"}, {58, "GameHour 99"}, {154, "AdminServer 1"},
                                   {229, "ServerSendLimitEnabled 1"}, {6, "ServerName \"a\tb\""}}) +
                      "# my own comment\r\n");
        const QByteArray before = readFile(conf());
        const Run run = kvx(in({"check"}));
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(QString::fromUtf8(run.out).split('\n'),
                 QStringList({"line 201: a save would replace \"ChatFloodMaxCount 5\" with \"ChatFloodMaxCount 2\"",
                              "line 229: a save would replace \"ServerSendLimitEnabled 1\" with "
                              "\"#ServerSendLimitEnabled 1\"",
                              "the file has 256 lines; a save writes the template's 255",
                              "ServerName \"a<U+0009>b\" would be refused by set: a text holds no control character, "
                              "and this one holds U+0009.",
                              "GameHour \"99\" would be refused by set: an hour is one or two digits, 0 to 23.",
                              "warning: The Adminpanel password needs to be filled in",
                              "warning: The Admin plus password needs to be filled in", ""}));
        QCOMPARE(readFile(conf()), before);
        QVERIFY(!QFile::exists(backup()));
    }

    void showJsonParses()
    {
        QVERIFY(kvx(in({"set", "ServerName=Tab \"quote\" \\ é", "GameMap=4", "RandomWeather=0", "AdminServer=1",
                        "AdminPort=4100", "AdminPassword=pw"}))
                    .status == 0);
        const Run run = kvx(in({"show", "--json"}));
        QCOMPARE(run.status, 0);
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(run.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QVariantMap expected{
            {"ServerName", QString::fromUtf8("Tab \"quote\" \\ é")}, {"ServerPort", "2003"}, {"MaxPlayers", "26"},
            {"GameMap", 4}, {"GameMapName", "GTA3 - Shore Side Vale"}, {"GameHour", "12"}, {"GameMins", "30"},
            {"RandomWeather", false}, {"MOTDEnabled", false}, {"MOTDURL", "http://www.example.com/kvx/motd.rtf"},
            {"ASE", true}, {"ServerPassword", ""}, {"AdminServer", true}, {"AdminPlus", false},
            {"AdminPort", "4100"}, {"AdminPassword", "pw"}, {"AdminPlusPassword", ""},
            {"AdminAllowShutdown", false}, {"StatLogging", false}};
        QCOMPARE(object.toVariantMap(), expected);
        QCOMPARE(object.value("GameMap").type(), QJsonValue::Double);
        QCOMPARE(object.value("ASE").type(), QJsonValue::Bool);
    }

    void showFedBackToSetWritesTheSameFile_data()
    {
        QTest::addColumn<QStringList>("values"); // what the classic-written file was saved with
        QTest::newRow("defaults") << QStringList();
        QTest::newRow("every setting changed")
            << QStringList{"ServerName=My = server", "ServerPort=2100", "MaxPlayers=31", "GameMap=GTA3 - Portland",
                           "GameHour=5", "GameMins=07", "RandomWeather=0", "MOTDEnabled=1", "MOTDURL=",
                           "ASE=0", "ServerPassword= ", "AdminServer=1", "AdminPlus=1", "AdminPort=4100",
                           "AdminPassword=a", "AdminPlusPassword=b", "AdminAllowShutdown=1", "StatLogging=1"};
    }

    void showFedBackToSetWritesTheSameFile()
    {
        QFETCH(QStringList, values);
        QCOMPARE(kvx(in(QStringList{"set"} + values)).status, 0);
        const QByteArray written = readFile(conf());
        const Run show = kvx(in({"show"}));
        QCOMPARE(show.status, 0);
        QStringList lines = QString::fromUtf8(show.out).split('\n');
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.size(), 18);
        // Over the same file, and onto a fresh folder, where every value
        // comes from show.
        QCOMPARE(kvx(in(QStringList{"set"} + lines)).status, 0);
        QCOMPARE(readFile(conf()), written);
        QFile::remove(conf());
        QCOMPARE(kvx(in(QStringList{"set"} + lines)).status, 0);
        QCOMPARE(readFile(conf()), written);
    }

    void motdRoundTrips_data()
    {
        QTest::addColumn<QByteArray>("file"); // motd.txt, or null for none
        QTest::addColumn<QByteArray>("printed");
        QTest::newRow("no motd.txt: the editor's empty text") << QByteArray() << QByteArray();
        QTest::newRow("two lines") << QByteArray("Welcome\r\n\r\nHave fun.\r\n") << QByteArray("Welcome\n\nHave fun.\n");
        QTest::newRow("Windows-1252 to UTF-8") << QByteArray("caf\xe9 \x80\r\n") << QByteArray("caf\xc3\xa9 \xe2\x82\xac\n");
        QTest::newRow("blank last line kept") << QByteArray("a\r\n\r\n") << QByteArray("a\n\n");
        QTest::newRow("only a line break") << QByteArray("\r\n") << QByteArray();
    }

    void motdRoundTrips()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, printed);
        if (!file.isNull())
            writeFile(motd(), file);
        const Run run = kvx(in({"motd"}));
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, printed);
        const QString saved = m_dir.filePath("printed.txt");
        writeFile(saved, run.out);
        QCOMPARE(kvx(in({"motd", "--set", saved})).status, 0);
        QCOMPARE(readFile(motd()), file.isNull() ? QByteArray("\r\n") : file);
    }

    void motdFromStandardInput_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("LF") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("CR LF, no final break") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("only one final break dropped") << QByteArray("a\n\n") << QByteArray("a\r\n\r\n");
        QTest::newRow("byte-order mark dropped") << QByteArray("\xef\xbb\xbfx") << QByteArray("x\r\n");
        QTest::newRow("empty") << QByteArray() << QByteArray("\r\n");
    }

    void motdFromStandardInput()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, file);
        const Run run = kvx(in({"motd", "--set", "-"}), input);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.status, 0);
        QCOMPARE(readFile(motd()), file);
        QVERIFY(!QFile::exists(conf())); // motd writes motd.txt alone
    }

    void motdRefusesWhatTheCodePageLacks()
    {
        writeFile(motd(), "old\r\n");
        const Run run = kvx(in({"motd", "--set", "-"}), "line\xe2\x80\xa8two\n");
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, QString::fromUtf8("kvxconfig: the message of the day holds \"\u2028\" (U+2028), which the "
                                            "Windows-1252 code page of motd.txt cannot hold; motd.txt was not "
                                            "changed.\n").toUtf8());
        QCOMPARE(readFile(motd()), QByteArray("old\r\n"));
    }

#ifdef Q_OS_UNIX
    void launchForegroundPassesTheServerThrough_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("output, error and status") << QByteArray("echo out; echo err >&2; exit 7") << QByteArray() << 7
                                                  << QByteArray("out\n") << QByteArray("err\n");
        QTest::newRow("working folder is the server folder") << QByteArray("pwd") << QByteArray() << 0
                                                             << QByteArray("%1\n") << QByteArray();
        QTest::newRow("standard input") << QByteArray("read line; echo \"got $line\"") << QByteArray("stop\n") << 0
                                        << QByteArray("got stop\n") << QByteArray();
        QTest::newRow("ended by a signal") << QByteArray("kill -TERM $$") << QByteArray() << 128 + 15
                                           << QByteArray() << QByteArray();
    }

    void launchForegroundPassesTheServerThrough()
    {
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        writeFile(m_dir.filePath("KVXServer.exe"), "#!/bin/sh\n" + script + "\n", true);
        // Started from elsewhere, so that the working folder is the tool's doing.
        const Run run = runProgram(executable, in({"launch", "--foreground"}), input, noDisplay(), QDir::rootPath());
        QCOMPARE(run.crashed, false);
        QCOMPARE(run.status, status);
        QCOMPARE(run.out, QByteArray(out).replace("%1", m_dir.path().toUtf8()));
        QCOMPARE(run.err, err);
    }

    // A SIGTERM sent to the tool (as systemd or a container runtime sends it)
    // reaches the server, and the tool ends with the server's status.
    void launchForegroundPassesSigtermOn()
    {
        writeFile(m_dir.filePath("KVXServer.exe"),
                  "#!/bin/sh\necho $$ > server.pid\ntrap 'echo got-term; exit 42' TERM\necho ready\n"
                  "while :; do sleep 0.05; done\n",
                  true);
        // A failing run must not leave the stand-in server looping.
        auto stopServer = qScopeGuard([this] {
            if (const int pid = readFile(m_dir.filePath("server.pid")).trimmed().toInt(); pid > 0)
                ::kill(pid, SIGKILL);
        });
        QProcess process;
        process.setProcessEnvironment(noDisplay());
        process.start(executable, in({"launch", "--foreground"}));
        QVERIFY(process.waitForReadyRead(20000));
        QCOMPARE(process.readAllStandardOutput(), QByteArray("ready\n"));
        process.terminate();
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 42);
        QCOMPARE(process.readAllStandardOutput(), QByteArray("got-term\n"));
        stopServer.dismiss(); // it ended; its id may already be another's
    }

    // Detached, the tool prints the server's process id and does not hold a
    // caller's pipe open while the server runs.
    void launchDetachedPrintsTheProcessId()
    {
        const QString marker = m_dir.filePath("pid");
        writeFile(m_dir.filePath("KVXServer.exe"), "#!/bin/sh\necho $$ > pid.tmp; mv pid.tmp pid; exec sleep 30\n", true);
        QElapsedTimer timer;
        timer.start();
        const Run run = runProgram(QStringLiteral("/bin/sh"),
                                   {"-c", "pid=$(\"$0\" launch --folder \"$1\"); status=$?; echo \"$pid\"; exit $status",
                                    executable, m_dir.path()});
        QVERIFY2(timer.elapsed() < 20000, "the caller waited for the server");
        QCOMPARE(run.status, 0);
        QTRY_VERIFY(QFile::exists(marker));
        const QByteArray pid = run.out.trimmed();
        QCOMPARE(readFile(marker).trimmed(), pid);
        ::kill(pid.toInt(), SIGKILL);
    }

    // The tool's own folder has a name that is not UTF-8: it must not fall
    // back to the current folder.
    void unknownToolFolderWritesNowhere()
    {
        QTemporaryDir current;
        const QString script = QStringLiteral(
            "set -e; bad=\"$1/bad$(printf '\\377')\"; mkdir \"$bad\"; cp \"$0\" \"$bad/kvxconfig\"; cd \"$2\"; "
            "set +e; \"$bad/kvxconfig\" set ServerName=x; echo \"status $?\"; "
            "echo Welcome | \"$bad/kvxconfig\" motd --set -; echo \"status $?\"; "
            "\"$bad/kvxconfig\" set --folder \"$2/given\" ServerName=x; echo \"status $?\"; rm -rf \"$bad\"");
        QVERIFY(QDir(current.path()).mkdir("given"));
        const Run run = runProgram(QStringLiteral("/bin/sh"), {"-c", script, executable, m_dir.path(), current.path()});
        QCOMPARE(run.out, QByteArray("status 1\nstatus 1\nstatus 0\n"));
        const QByteArray message = "kvxconfig: The folder this tool lies in could not be determined (its name is not "
                                   "valid in the system's encoding), so nothing was read or written. Give the server "
                                   "folder with --folder DIR.\n";
        QCOMPARE(run.err, message + message);
        QCOMPARE(QDir(current.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"given"});
        QVERIFY(QFile::exists(current.filePath("given/kvxserver.conf")));
    }
#endif

    void windowsWithoutADisplayAreNotAttempted_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no arguments") << QStringList();
        QTest::newRow("-listen") << QStringList{"-listen"};
        QTest::newRow("not a command") << QStringList{"shows"};
        QTest::newRow("a command not first") << QStringList{"-reverse", "show"};
    }

    void windowsWithoutADisplayAreNotAttempted()
    {
        QFETCH(QStringList, arguments);
        const Run run = kvx(arguments);
        QCOMPARE(run.crashed, false);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err, noDisplayHint.toUtf8());
    }

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    void unreachableDisplayGetsTheHintBeforeTheAbort()
    {
        QProcessEnvironment environment = noDisplay();
        environment.insert("DISPLAY", ":4711"); // no X server there
        const Run run = runProgram(executable, {}, {}, environment);
        QVERIFY(run.crashed || run.status != 0);
        QVERIFY2(run.err.endsWith(noDisplayHint.toUtf8()), run.err);
    }
#endif
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_cli.moc"
