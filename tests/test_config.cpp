// The configuration core: the document the front ends build and commit (the
// template with the fields folded in), the readers, and the file on disk.

#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "config/ConfigReader.h"
#include "config/ConfigTemplate.h"
#include "support/Fixture.h"
#include "support/ToolFolder.h"

#include <QRandomGenerator>
#include <QtTest>

#include <functional>

using Alerts = QList<CommitAlert>;

namespace {

// A temporary folder with a kvxserver.conf of the given bytes in it.
struct ConfFolder {
    QTemporaryDir dir;
    const QString path = dir.filePath("kvxserver.conf");
    explicit ConfFolder(const QByteArray &bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

} // namespace

class ConfigTest : public QObject
{
    Q_OBJECT

private slots:
    // The fixtures hold the template text line by line, typed out apart from
    // the code. Building takes the fields as they stand, a greyed box as 0,
    // MOTDEnabled as 1 whatever its box; the classic editor writes its map by
    // exact name, else "Game 1".
    void buildsTheTemplateWithTheFields()
    {
        WizardFields odd = wizardDefaults();
        odd.txtserver.clear(), odd.txtport = "02003x", odd.map = WizardMap::optvicestunt, odd.txtpwd = " ";
        odd.chkweather = Qt::PartiallyChecked, odd.chkmotd = Qt::Unchecked;
        QCOMPARE(crLfBytes(buildwizard(odd).lines()),
                 fixture("default-wizard.conf", {{5, "ServerName \"\""}, {26, "ServerPort 02003x"}, {50, "GameMap 2"}, {72, "RandomWeather 0"},
                                                 {138, "ServerPasswordEnabled 1"}, {145, "ServerPassword \" \""}}));
        ClassicFields classic = classicDefaults();
        for (const auto &[name, line] : {std::pair{"GTA3 - Shore Side Vale", "GameMap 4"}, {"gta3 - shore side vale", "Game 1"}}) {
            classic.cmbgamemode = name;
            QCOMPARE(crLfBytes(buildclassic(classic).lines()), fixture("default-classic.conf", {{50, line}}));
        }
    }

    // Odd values in every field, committed over the built defaults: each lands
    // on its own line in its form, the saved file holds that and nothing else,
    // and both readers take the same fields back. Quotes and spaces inside,
    // leading zeros, empty texts, Windows-1252.
    void everyFieldCommittedSavedAndReadBack()
    {
        WizardFields fields = wizardDefaults();
        fields.txtserver = "The \"best\" Caf\u00e9 \u20ac\u0160\u00ff", fields.txtport = "0042", fields.txtplayers.clear();
        fields.map = WizardMap::optvicestunt, fields.txthour = "05", fields.txtminute = "7", fields.txturl.clear(), fields.txtpwd = " ";
        fields.chkweather = fields.chkmotd = fields.ChkASE = Qt::Unchecked;
        fields.chkadmin = fields.chkadminplus = fields.chkshutdown = Qt::Checked;
        fields.txtadminport = "00041", fields.txtadminpwd = "a", fields.txtadminpluspwd = "b\"c";
        ConfigDocument committedDefaults = buildwizard(wizardDefaults());
        commitwizard(committedDefaults, wizardDefaults(), {});
        ConfFolder folder(crLfBytes(committedDefaults.lines()));
        ConfigDocument document = buildwizard(wizardDefaults());
        QCOMPARE(commitwizard(document, fields, {Qt::Checked, true, false}), Alerts());
        QVERIFY(saveconfig(folder.path, document).ok());
        QCOMPARE(contents(folder.path),
                 fixture("default-wizard.conf",
                         {{5, "ServerName \"The \"best\" Caf\xe9 \x80\x8a\xff\""}, {26, "ServerPort 0042"}, {41, "MaxPlayers "},
                          {50, "GameMap 2"}, {57, "GameHour 05"}, {64, "GameMins 7"}, {72, "RandomWeather 0"}, {77, "MOTDEnabled 0"},
                          {83, "MOTDURL \"\""}, {93, "ASE 0"}, {138, "ServerPasswordEnabled 1"}, {145, "ServerPassword \" \""},
                          {153, "AdminServer 1"}, {169, "AdminPort 00041"}, {176, "AdminPassword \"a\""},
                          {183, "AdminPlusPassword \"b\"c\""}, {191, "AdminAllowShutdown 1"}, {253, "#mode: classic"}, {254, "#show page 1: 0"}}));
        const Result<TextLines> read = loadconfig(folder.path);
        QCOMPARE(loadwizard(read->lines), (WizardLoad{fields, {Qt::Checked, true, false}}));
        const ClassicFields classic = loadclassic(read->lines);
        QCOMPARE(static_cast<const CommonFields &>(classic), static_cast<const CommonFields &>(fields));
        QCOMPARE(classic.cmbgamemode, "Vice City - Stunt");
        // Setting lines that all hold other values, in the tool's own forms,
        // are no hand edits: saving over them keeps no backup, either way.
        QVERIFY(saveconfig(folder.path, committedDefaults).ok());
        QVERIFY(!QFileInfo::exists(backupFilePath(folder.path)));
    }

    // Over a document built with a password and a StatLogging line the wizard
    // does not own: the lines a commit changes, and its alerts. Every row
    // clears the password, which clears its switch and keeps its line. The
    // classic editor's commit writes its map by exact name and StatLogging.
    void commitWritesExactlyTheFieldsLines()
    {
        using F = WizardFields;
        using P = FirstPageChoices;
        using Lines = QMap<int, QByteArray>;
        const Lines plusOff{{162, "AdminPlus 0"}}; // the template builds it as 1
        const QList<std::tuple<std::function<void(F &, P &)>, Lines, Alerts>> rows = {
            {[](F &f, P &) { f.chkweather = f.chkmotd = f.ChkASE = f.chkshutdown = f.chkadmin = Qt::PartiallyChecked; },
             plusOff, {}}, // greyed boxes leave their lines
            {[](F &f, P &) { f.txtadminport.clear(); }, plusOff, {}}, // admin cleared: no checks
            {[](F &f, P &) { f.chkadminplus = Qt::Checked; }, {}, {CommitAlert::txtadminpluspwd}},
            {[](F &f, P &) { f.chkadmin = f.chkadminplus = Qt::Checked; f.txtadminport.clear(); }, {{153, "AdminServer 1"}},
             {CommitAlert::txtadminpwd, CommitAlert::txtadminport, CommitAlert::txtadminpluspwd}}, // empty: lines kept
            {[](F &, P &p) { p.chkremember = Qt::Checked; }, {{162, "AdminPlus 0"}, {254, "#show page 1: 0"}}, {}},
            {[](F &, P &p) { p.OptClassic = true; p.OptWizard = false; }, plusOff, {}}};
        WizardFields loaded = wizardDefaults();
        loaded.txtpwd = "loaded";
        ConfigDocument built = buildwizard(loaded);
        built.setLine(129, "StatLogging 1");
        for (auto [change, expected, alerts] : rows) {
            expected.insert(129, "StatLogging 1");
            expected.insert(145, "ServerPassword \"loaded\"");
            WizardFields fields = wizardDefaults();
            FirstPageChoices firstPage;
            change(fields, firstPage);
            ConfigDocument document = built;
            QCOMPARE(commitwizard(document, fields, firstPage), alerts);
            QCOMPARE(crLfBytes(document.lines()), fixture("default-wizard.conf", expected));
        }
        ClassicFields classic = classicDefaults();
        classic.cmbgamemode = "GTA3 - Portland";
        const ConfigDocument portland = buildclassic(classic);
        for (const auto &[map, statLogging, lines] : {std::tuple{"GTA3 - Staunton Island", Qt::Checked, "GameMap 5|StatLogging 1"},
                                                      {"gta3 - staunton island", Qt::PartiallyChecked, "GameMap 3|StatLogging 0"}}) {
            ConfigDocument document = portland;
            classic.cmbgamemode = map;
            classic.statLogging = statLogging;
            commitclassic(document, classic, {});
            QCOMPARE(document.line(50) + '|' + document.line(129), lines);
        }
    }

    // Files made by hand, and what the wizard reads from them beyond its defaults.
    void handMadeFiles()
    {
        using L = WizardLoad;
        const QList<std::pair<QStringList, std::function<void(L &)>>> rows = {
            {{"ServerName abcd"}, [](L &l) { l.fields.txtserver = "bc"; }}, // the value cut by position
            {{"ServerName \"one\"", "ServerName \"two\""}, [](L &l) { l.fields.txtserver = "two"; }},
            {{"#ServerName \"x\"", "servername \"x\"", "# ServerName", "SERVERPORT 1", ""}, [](L &) {}},
            {{"GameHour 07", "GameHour 123", "GameHour ", "GameMins 5", "GameMins 7 "},
             [](L &l) { l.fields.txthour = "07"; l.fields.txtminute = "7 "; }},
            {{"ASE 0", "RandomWeather 0", "MOTDEnabled x", "AdminAllowShutdown 1 ", "AdminServer 1"}, // the last character
             [](L &l) { l.fields.ChkASE = l.fields.chkweather = Qt::Unchecked; l.fields.chkadmin = Qt::Checked; }},
            {{"AdminPlus 1", "AdminPlusPassword \"0\""}, [](L &l) { l.fields.txtadminpluspwd = "0"; l.fields.chkadminplus = Qt::Checked; }},
            {{"GameMap 2", "GameMap 7", "GameMap 5", "GameMap 6", "GameMap 0"}, [](L &l) { l.fields.map = WizardMap::optgta3staunton; }},
            {{"ServerPasswordEnabled 1", "ServerPasswordEnabled 0", "ServerPassword \"pw\""}, [](L &l) { l.fields.txtpwd = ""; }},
            {{"ServerPassword \"early\"", "ServerPasswordEnabled 1", "ServerPassword \"late\""}, [](L &l) { l.fields.txtpwd = "late"; }},
            {{"ServerPassword \"pw\"", "ServerPasswordEnabled 1", "ServerPassword"}, [](L &l) { l.fields.txtpwd = "pw"; }},
            {{"#mode: classic", "#show page 1: 0"}, [](L &l) { l.firstPage = {Qt::Checked, true, false}; }},
            {{"#mode: classic", "#show page 1: 0", "#mode: wizard", "#mode: x"}, [](L &l) { l.firstPage.chkremember = Qt::Checked; }},
            {{"#show page 1: 0", "#mode: classic", "#show page 1: 1"}, [](L &l) { l.firstPage = {Qt::Unchecked, true, false}; }},
            {{"ServerPort", "ServerName \"", "MOTDURL", "AdminPassword \"", "AdminPort", "MaxPlayers 9"}, // too short
             [](L &l) { l.fields.txtplayers = "9"; }},
            {{"ServerPort ", "AdminPort 1"}, [](L &l) { l.fields.txtport = ""; l.fields.txtadminport = "1"; }},
            {{"ServerSendLimitEnabled 1", "ServerSendLimit 5", "ServerSendLimitMaxAllowed 9", "ServerSendLimitLogDropped 1",
              "#ServerSendLimit 200000", "StatLogging 1"}, [](L &) {}}};
        for (const auto &[lines, change] : rows) {
            WizardLoad expected{wizardDefaults(), FirstPageChoices()};
            change(expected);
            QVERIFY2(loadwizard(lines) == expected, qPrintable(lines.join(" | ")));
        }
        // The classic editor's own: the map by name, the statistics box only
        // ticked, and the map rule at each map line on the count read so far.
        const QList<std::pair<QStringList, QString>> classicRows = {
            {{"GameMap 5", "StatLogging 1", "StatLogging 0", "GameMap 9"}, "GTA3 - Staunton Island|26|2"},
            {{"MaxPlayers 30", "GameMap 1"}, "Vice City - Deathmatch|26|0"},
            {{"GameMap 1", "MaxPlayers 30", "StatLogging 0"}, "Vice City - Deathmatch|30|0"},
            {{"MaxPlayers 31", "GameMap 1", "GameMap 3"}, "GTA3 - Portland|26|0"}};
        for (const auto &[lines, read] : classicRows) {
            const ClassicFields classic = loadclassic(lines);
            QCOMPARE(classic.cmbgamemode + '|' + classic.txtplayers + '|' + QString::number(classic.statLogging), read);
        }
    }

    // A crash guard: random and mutated files never crash the readers. It
    // checks only that every text read is its default or a piece of the file;
    // the tables above judge the rules.
    void survivesRandomAndMutatedFiles()
    {
        QRandomGenerator random(20261206);
        const QString alphabet = QStringLiteral("SeverNamPort\"#: 0123456789GMHAEWdPlu \u00e9\u20ac");
        const auto texts = [](const CommonFields &f) {
            return QStringList{f.txtserver, f.txtport, f.txtplayers, f.txthour, f.txtminute,
                               f.txturl, f.txtpwd, f.txtadminport, f.txtadminpwd, f.txtadminpluspwd};
        };
        const QStringList defaults = texts(wizardDefaults());
        for (int round = 0; round < 400; ++round) {
            QStringList lines = buildwizard(wizardDefaults()).lines();
            for (int m = random.bounded(1, 40); m > 0; --m) {
                QString &line = lines[random.bounded(int(lines.size()))];
                const int kind = random.bounded(3);
                line = kind == 0 ? line.left(random.bounded(int(line.size()) + 1)) : kind == 1 ? lines.at(random.bounded(int(lines.size()))) : line;
                for (int n = kind == 2 ? random.bounded(30) : 0; n > 0; --n)
                    line.insert(random.bounded(int(line.size()) + 1), alphabet.at(random.bounded(int(alphabet.size()))));
            }
            const QString whole = lines.join(QLatin1Char('\n'));
            const ClassicFields classic = loadclassic(lines);
            QVERIFY(classicMapNames().contains(classic.cmbgamemode));
            for (const QStringList &read : {texts(loadwizard(lines).fields), texts(classic)}) {
                for (qsizetype i = 0; i < read.size(); ++i)
                    QVERIFY2(read.at(i) == defaults.at(i) || whole.contains(read.at(i)), qPrintable(read.at(i)));
            }
        }
    }

    // Lines end at every kind of break. Every byte but the line breaks reads
    // to a character and writes back as the same byte, the five that
    // Windows-1252 leaves undefined included; a longer old file is replaced whole.
    void linesAndBytesRoundTrip()
    {
        const QList<std::pair<QByteArray, QStringList>> rows = {
            {"", {}}, {"\r\na\r\n\r\n", {"", "a", ""}}, {"a\r\nb", {"a", "b"}}, {"ASE 1\rASE 0", {"ASE 1", "ASE 0"}},
            {"a\nb\n", {"a", "b"}}, {"a\n\rb\n\nc", {"a", "", "b", "", "c"}},
            // The file is read in 64 KiB pieces; this CR ends the first, its LF starts the second.
            {QByteArray(65535, 'x') + "\r\nASE 1\r\n", {QString(65535, 'x'), "ASE 1"}}};
        for (const auto &[bytes, lines] : rows)
            QCOMPARE(loadconfig(ConfFolder(bytes).path)->lines, lines);
        QByteArray line;
        for (int b = 0; b < 256; ++b)
            line += b == '\r' || b == '\n' ? QByteArray() : QByteArray(1, char(b));
        const QByteArray bytes = line + "\r\n\r\n" + line + "\r\n";
        ConfFolder folder(bytes), longer(QByteArray(20000, 'x'));
        const QStringList read = loadconfig(folder.path)->lines;
        QCOMPARE(read.value(0).mid(0x80 - 2, 1), QString(QChar(0x20ac))); // the euro sign; CR and LF are not in the line
        QVERIFY(saveconfig(longer.path, ConfigDocument(read)).ok());
        QCOMPARE(contents(longer.path), bytes);
    }

    // A save that cannot be made leaves the old file byte for byte, leaves no
    // temporary, and says why: a line the code page cannot hold or that would
    // split, a folder at the file's path, a folder that is missing.
    void refusedSavesKeepTheOldFile()
    {
        const QString lacks = "kvxserver.conf was not saved: the setting %1 holds the character \"%2\" (U+%3), which the "
                              "Windows-1252 code page of the file cannot hold.";
        const QString splits = "kvxserver.conf was not saved: %1 holds a line break, which would split its line in two.";
        const QList<std::tuple<int, QString, QString>> rows = {
            {5, "ServerName \"ab\u4e2d\"", lacks.arg("ServerName", "\u4e2d", "4E2D")},
            {176, "AdminPassword \"x\U0001F600\"", lacks.arg("AdminPassword", "\U0001F600", "1F600")},
            {83, "MOTDURL \"a\u2028\"", lacks.arg("MOTDURL", "\u2028", "2028")},
            {145, QString("ServerPassword \"") + QChar(0xd83d) + "x\"", lacks.arg("ServerPassword", QChar(0xd83d), "D83D")},
            {5, "ServerName \"a\nASE 0\"", splits.arg("the setting ServerName")}, {216, "\r", splits.arg("line 217")}};
        for (const auto &[index, badLine, error] : rows) {
            ConfFolder folder("old contents\r\n");
            ConfigDocument document = buildwizard(wizardDefaults());
            document.setLine(index, badLine);
            QCOMPARE(saveconfig(folder.path, document).error(), error);
            QCOMPARE(QDir(folder.dir.path()).entryList(QDir::Files), QStringList{"kvxserver.conf"});
            QCOMPARE(contents(folder.path), QByteArray("old contents\r\n"));
        }
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("kvxserver.conf/inside")); // a folder where the file should be
        const QString path = dir.filePath("kvxserver.conf"), shown = QDir::toNativeSeparators(path);
        QCOMPARE(loadconfig(path).error(), shown + " could not be read: it is a folder, not a regular file");
        QCOMPARE(saveconfig(path, buildwizard(wizardDefaults())).error(), shown + " could not be written: it is a folder, not a regular file");
        QVERIFY(QFileInfo(dir.filePath("kvxserver.conf/inside")).isDir());
        const QString missing = dir.filePath("missing/kvxserver.conf");
        const QString error = saveconfig(missing, buildwizard(wizardDefaults())).error();
#ifdef Q_OS_WIN
        QVERIFY2(error.startsWith(QDir::toNativeSeparators(missing) + " could not be written: "), qPrintable(error));
        // A shortcut to nothing is neither a file nor a folder.
        QVERIFY(QFile::link(dir.filePath("none"), dir.filePath("dangling.lnk")));
        QCOMPARE(loadconfig(dir.filePath("dangling.lnk")).error(), QDir::toNativeSeparators(dir.filePath("dangling.lnk")) + " could not be read: it is not a regular file");
#else
        QCOMPARE(error, QDir::toNativeSeparators(missing) + " could not be written: No such file or directory");
#endif
        QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
    }

    // A save over a file with hand edits keeps the old file as a backup; a
    // file the tool wrote itself makes none.
    void handEditsAreBackedUp()
    {
        ConfigDocument written = buildwizard(wizardDefaults());
        commitwizard(written, wizardDefaults(), {});
        const QList<std::pair<QByteArray, bool>> rows = {
            {fixture("default-wizard.conf", {{72, "RandomWeather  0"}}), true}, // a setting line in another form
            {fixture("default-classic.conf", {{50, "Game 1"}, {129, "StatLogging 1"}}), false}, // the classic editor's own
            {fixture("default-wizard.conf", {{200, "ChatFloodMaxCount 5"}}), true},
            {"# my note\r\n" + fixture("default-wizard.conf"), true},
            {crLfBytes(written.lines().mid(0, written.count() - 1)), true}}; // the last line missing
        for (const auto &[old, backup] : rows) {
            ConfFolder folder(old);
            QVERIFY(saveconfig(folder.path, written).ok());
            QCOMPARE(contents(backupFilePath(folder.path)), backup ? old : QByteArray("<none>"));
            QCOMPARE(contents(folder.path), fixture("default-wizard.conf", committedWizard()));
        }
    }
};

QTEST_GUILESS_MAIN(ConfigTest)
#include "test_config.moc"
