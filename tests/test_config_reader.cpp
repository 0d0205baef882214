#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "config/ConfigReader.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

using Change = std::function<void(WizardLoad &)>;

// The wizard's defaults with a row's changes.
WizardLoad changed(const Change &change)
{
    WizardLoad load{wizardDefaults(), FirstPageChoices()};
    change(load);
    return load;
}

} // namespace

Q_DECLARE_METATYPE(Change)

class ConfigReaderTest : public QObject
{
    Q_OBJECT

private slots:
    // Odd values survive build, commit, save, read and apply in both readers:
    // quotes and spaces inside, leading zeros, empty texts, Windows-1252.
    void savedFieldsReadBack()
    {
        WizardFields fields = wizardDefaults();
        fields.txthour = "05";
        fields.txtport = "0042";
        fields.txtplayers.clear();
        fields.txtserver = "The \"best\" Caf\u00e9 \u20ac\u0160\u00ff";
        fields.txtpwd = " ";
        fields.txturl.clear();
        fields.map = WizardMap::optvicestunt;
        fields.chkadmin = fields.chkadminplus = fields.chkshutdown = Qt::Checked;
        fields.chkweather = fields.chkmotd = fields.ChkASE = Qt::Unchecked;
        fields.txtadminpwd = "a";
        fields.txtadminpluspwd = "b\"c";
        ConfigDocument document = buildwizard(fields);
        commitwizard(document, fields, {Qt::Checked, true, false});
        QTemporaryDir dir;
        QVERIFY(saveconfig(dir.filePath("kvxserver.conf"), document).ok());
        const Result<TextLines> read = loadconfig(dir.filePath("kvxserver.conf"));
        QCOMPARE(read->lines, document.lines());

        const WizardLoad back = loadwizard(read->lines);
        QCOMPARE(back.fields, fields);
        QCOMPARE(back.firstPage, (FirstPageChoices{Qt::Checked, true, false}));
        const ClassicFields classic = loadclassic(read->lines);
        QCOMPARE(static_cast<const CommonFields &>(classic), static_cast<const CommonFields &>(fields));
        QCOMPARE(classic.cmbgamemode, "Vice City - Stunt");
    }

    void handMadeFiles_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Change>("wizard");

        QTest::newRow("value cut by position") << QStringList{"ServerName abcd"}
                                               << Change([](WizardLoad &l) { l.fields.txtserver = "bc"; });
        QTest::newRow("last of two wins") << QStringList{"ServerName \"one\"", "ServerName \"two\""}
                                          << Change([](WizardLoad &l) { l.fields.txtserver = "two"; });
        QTest::newRow("disabled, lower case and comment lines")
            << QStringList{"#ServerName \"x\"", "servername \"x\"", "# ServerName", "SERVERPORT 1", ""}
            << Change([](WizardLoad &) {});
        QTest::newRow("hour by length")
            << QStringList{"GameHour 07", "GameHour 123", "GameHour ", "GameMins 5", "GameMins 7 "}
            << Change([](WizardLoad &l) { l.fields.txthour = "07"; l.fields.txtminute = "7 "; });
        QTest::newRow("switches read the last character")
            << QStringList{"ASE 0", "RandomWeather 0", "MOTDEnabled x", "AdminAllowShutdown 1 ", "AdminServer 1"}
            << Change([](WizardLoad &l) {
                   l.fields.ChkASE = l.fields.chkweather = Qt::Unchecked;
                   l.fields.chkadmin = Qt::Checked;
               });
        QTest::newRow("admin plus password never touches the box")
            << QStringList{"AdminPlus 1", "AdminPlusPassword \"0\""}
            << Change([](WizardLoad &l) { l.fields.txtadminpluspwd = "0"; l.fields.chkadminplus = Qt::Checked; });
        QTest::newRow("map digits") << QStringList{"GameMap 2", "GameMap 7", "GameMap 5"}
                                    << Change([](WizardLoad &l) { l.fields.map = WizardMap::optgta3staunton; });
        QTest::newRow("password disabled empties even before a password")
            << QStringList{"ServerPasswordEnabled 1", "ServerPasswordEnabled 0", "ServerPassword \"pw\""}
            << Change([](WizardLoad &l) { l.fields.txtpwd = ""; });
        QTest::newRow("password enabled takes the last password line of the file")
            << QStringList{"ServerPassword \"early\"", "ServerPasswordEnabled 1", "ServerPassword \"late\""}
            << Change([](WizardLoad &l) { l.fields.txtpwd = "late"; });
        QTest::newRow("a password line too short is passed over")
            << QStringList{"ServerPassword \"pw\"", "ServerPasswordEnabled 1", "ServerPassword"}
            << Change([](WizardLoad &l) { l.fields.txtpwd = "pw"; });
        QTest::newRow("skip page, classic") << QStringList{"#mode: classic", "#show page 1: 0"} << Change([](WizardLoad &l) {
            l.firstPage = {Qt::Checked, true, false};
        });
        QTest::newRow("skip page, later mode line wins")
            << QStringList{"#mode: classic", "#show page 1: 0", "#mode: wizard", "#mode: x"}
            << Change([](WizardLoad &l) { l.firstPage.chkremember = Qt::Checked; });
        QTest::newRow("show page ignores the mode") << QStringList{"#show page 1: 0", "#mode: classic", "#show page 1: 1"}
                                                    << Change([](WizardLoad &l) { l.firstPage = {Qt::Unchecked, true, false}; });
        QTest::newRow("short lines yield nothing")
            << QStringList{"ServerPort", "ServerName \"", "MOTDURL", "AdminPassword \"", "AdminPort", "MaxPlayers 9"}
            << Change([](WizardLoad &l) { l.fields.txtplayers = "9"; });
        QTest::newRow("bare value may be empty") << QStringList{"ServerPort ", "AdminPort 1"}
                                                 << Change([](WizardLoad &l) { l.fields.txtport = ""; l.fields.txtadminport = "1"; });
        QTest::newRow("send limits are dropped")
            << QStringList{"ServerSendLimitEnabled 1", "ServerSendLimit 5", "ServerSendLimitMaxAllowed 9",
                           "ServerSendLimitLogDropped 1", "#ServerSendLimit 200000", "StatLogging 1"}
            << Change([](WizardLoad &) {});
    }

    void handMadeFiles()
    {
        QFETCH(QStringList, lines);
        QFETCH(Change, wizard);
        QCOMPARE(loadwizard(lines), changed(wizard));
    }

    // The classic editor's own: the map by name, the statistics box only
    // ticked, and the map rule at each map line on the count read so far.
    void classicReader_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("players");
        QTest::addColumn<Qt::CheckState>("statLogging");

        QTest::newRow("map and statistics") << QStringList{"GameMap 4", "StatLogging 1", "StatLogging 0", "GameMap 9"}
                                            << "GTA3 - Shore Side Vale" << "26" << Qt::Checked;
        QTest::newRow("players before the map the editor starts with") << QStringList{"MaxPlayers 30", "GameMap 1"}
                                                                       << "Vice City - Deathmatch" << "26" << Qt::Unchecked;
        QTest::newRow("map before the players") << QStringList{"GameMap 1", "MaxPlayers 30", "StatLogging 0"}
                                                << "Vice City - Deathmatch" << "30" << Qt::Unchecked;
        QTest::newRow("two maps, the rule at the first") << QStringList{"MaxPlayers 31", "GameMap 1", "GameMap 3"}
                                                         << "GTA3 - Portland" << "26" << Qt::Unchecked;
        QTest::newRow("two maps, the rule at the second") << QStringList{"MaxPlayers 31", "GameMap 3", "GameMap 1"}
                                                          << "Vice City - Deathmatch" << "26" << Qt::Unchecked;
    }

    void classicReader()
    {
        QFETCH(QStringList, lines);
        const ClassicFields read = loadclassic(lines);
        QTEST(read.cmbgamemode, "map");
        QTEST(read.txtplayers, "players");
        QTEST(read.statLogging, "statLogging");
    }

    // A crash guard: random and mutated files never crash the readers. It
    // checks only that every text read is its default or a piece of the file, which no
    // slip in a rule breaks; the tables above judge the rules.
    void survivesRandomAndMutatedFiles()
    {
        QRandomGenerator random(20261206);
        const QStringList tool = buildwizard(wizardDefaults()).lines();
        const QString alphabet = QStringLiteral("SeverNamPort\"#: 0123456789GMHAEWdPlu \u00e9\u20ac");
        for (int round = 0; round < 400; ++round) {
            QStringList lines = tool;
            const int mutations = random.bounded(1, 40);
            for (int m = 0; m < mutations; ++m) {
                const int at = random.bounded(int(lines.size()));
                QString line = lines.at(at);
                switch (random.bounded(4)) {
                case 0: line.truncate(random.bounded(int(line.size()) + 1)); break;
                case 1: line.insert(random.bounded(int(line.size()) + 1), alphabet.at(random.bounded(int(alphabet.size())))); break;
                case 2: lines.insert(at, lines.at(random.bounded(int(lines.size())))); break;
                default: {
                    QString noise;
                    for (int n = random.bounded(30); n > 0; --n)
                        noise += alphabet.at(random.bounded(int(alphabet.size())));
                    line = noise;
                }
                }
                lines[at] = line;
            }
            const QString whole = lines.join(QLatin1Char('\n'));
            const ClassicFields classic = loadclassic(lines);
            QVERIFY(classicMapNames().contains(classic.cmbgamemode));
            const auto texts = [](const CommonFields &f) {
                return QStringList{f.txtserver, f.txtport,    f.txtplayers,  f.txthour,    f.txtminute,
                                   f.txturl,    f.txtpwd,     f.txtadminport, f.txtadminpwd, f.txtadminpluspwd};
            };
            const QStringList defaults = texts(wizardDefaults());
            for (const QStringList &read : {texts(loadwizard(lines).fields), texts(classic)}) {
                for (qsizetype i = 0; i < read.size(); ++i)
                    QVERIFY2(read.at(i) == defaults.at(i) || whole.contains(read.at(i)), qPrintable(read.at(i)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(ConfigReaderTest)
#include "test_config_reader.moc"
