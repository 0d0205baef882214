#include "config/ConfigBuilder.h"
#include "config/ConfigReader.h"

#include <QRandomGenerator>
#include <QtTest>

#include <functional>

class ConfigReaderTest : public QObject
{
    Q_OBJECT

private slots:
    // Files made by hand, and what the wizard reads from them beyond its defaults.
    void handMadeFiles()
    {
        using L = WizardLoad;
        const QList<std::pair<QStringList, std::function<void(L &)>>> rows = {
            {{"ServerName abcd"}, [](L &l) { l.fields.txtserver = "bc"; }}, // the value cut by position
            {{"ServerName \"one\"", "ServerName \"two\""}, [](L &l) { l.fields.txtserver = "two"; }},
            {{"#ServerName \"x\"", "servername \"x\"", "# ServerName", "SERVERPORT 1", ""}, [](L &) {}},
            {{"GameHour 07", "GameHour 123", "GameHour ", "GameMins 5", "GameMins 7 "}, [](L &l) {
                 l.fields.txthour = "07";
                 l.fields.txtminute = "7 ";
             }},
            {{"ASE 0", "RandomWeather 0", "MOTDEnabled x", "AdminAllowShutdown 1 ", "AdminServer 1"}, [](L &l) {
                 l.fields.ChkASE = l.fields.chkweather = Qt::Unchecked; // switches read the last character
                 l.fields.chkadmin = Qt::Checked;
             }},
            {{"AdminPlus 1", "AdminPlusPassword \"0\""}, [](L &l) {
                 l.fields.txtadminpluspwd = "0";
                 l.fields.chkadminplus = Qt::Checked;
             }},
            {{"GameMap 2", "GameMap 7", "GameMap 5"}, [](L &l) { l.fields.map = WizardMap::optgta3staunton; }},
            {{"ServerPasswordEnabled 1", "ServerPasswordEnabled 0", "ServerPassword \"pw\""}, [](L &l) { l.fields.txtpwd = ""; }},
            {{"ServerPassword \"early\"", "ServerPasswordEnabled 1", "ServerPassword \"late\""}, [](L &l) { l.fields.txtpwd = "late"; }},
            {{"ServerPassword \"pw\"", "ServerPasswordEnabled 1", "ServerPassword"}, [](L &l) { l.fields.txtpwd = "pw"; }},
            {{"#mode: classic", "#show page 1: 0"}, [](L &l) { l.firstPage = {Qt::Checked, true, false}; }},
            {{"#mode: classic", "#show page 1: 0", "#mode: wizard", "#mode: x"}, [](L &l) { l.firstPage.chkremember = Qt::Checked; }},
            {{"#show page 1: 0", "#mode: classic", "#show page 1: 1"}, [](L &l) { l.firstPage = {Qt::Unchecked, true, false}; }},
            {{"ServerPort", "ServerName \"", "MOTDURL", "AdminPassword \"", "AdminPort", "MaxPlayers 9"}, [](L &l) {
                 l.fields.txtplayers = "9"; // short lines yield nothing
             }},
            {{"ServerPort ", "AdminPort 1"}, [](L &l) {
                 l.fields.txtport = "";
                 l.fields.txtadminport = "1";
             }},
            {{"ServerSendLimitEnabled 1", "ServerSendLimit 5", "ServerSendLimitMaxAllowed 9", "ServerSendLimitLogDropped 1",
              "#ServerSendLimit 200000", "StatLogging 1"}, [](L &) {}},
        };
        for (const auto &[lines, change] : rows) {
            WizardLoad expected{wizardDefaults(), FirstPageChoices()};
            change(expected);
            QVERIFY2(loadwizard(lines) == expected, qPrintable(lines.join(" | ")));
        }
    }

    // The classic editor's own: the map by name, the statistics box only
    // ticked, and the map rule at each map line on the count read so far.
    void classicReader()
    {
        const QList<std::tuple<QStringList, QString, QString, Qt::CheckState>> rows = {
            {{"GameMap 4", "StatLogging 1", "StatLogging 0", "GameMap 9"}, "GTA3 - Shore Side Vale", "26", Qt::Checked},
            {{"MaxPlayers 30", "GameMap 1"}, "Vice City - Deathmatch", "26", Qt::Unchecked},
            {{"GameMap 1", "MaxPlayers 30", "StatLogging 0"}, "Vice City - Deathmatch", "30", Qt::Unchecked},
            {{"MaxPlayers 31", "GameMap 1", "GameMap 3"}, "GTA3 - Portland", "26", Qt::Unchecked},
            {{"MaxPlayers 31", "GameMap 3", "GameMap 1"}, "Vice City - Deathmatch", "26", Qt::Unchecked}};
        for (const auto &[lines, map, players, statLogging] : rows) {
            const ClassicFields read = loadclassic(lines);
            QCOMPARE(read.cmbgamemode, map);
            QCOMPARE(read.txtplayers, players);
            QCOMPARE(read.statLogging, statLogging);
        }
    }

    // A crash guard: random and mutated files never crash the readers. It
    // checks only that every text read is its default or a piece of the file;
    // the tables above judge the rules.
    void survivesRandomAndMutatedFiles()
    {
        QRandomGenerator random(20261206);
        const QStringList tool = buildwizard(wizardDefaults()).lines();
        const QString alphabet = QStringLiteral("SeverNamPort\"#: 0123456789GMHAEWdPlu \u00e9\u20ac");
        const auto letter = [&] { return alphabet.at(random.bounded(int(alphabet.size()))); };
        const auto texts = [](const CommonFields &f) {
            return QStringList{f.txtserver, f.txtport, f.txtplayers, f.txthour, f.txtminute,
                               f.txturl, f.txtpwd, f.txtadminport, f.txtadminpwd, f.txtadminpluspwd};
        };
        const QStringList defaults = texts(wizardDefaults());
        for (int round = 0; round < 400; ++round) {
            QStringList lines = tool;
            for (int m = random.bounded(1, 40); m > 0; --m) {
                QString &line = lines[random.bounded(int(lines.size()))];
                switch (random.bounded(4)) {
                case 0: line.truncate(random.bounded(int(line.size()) + 1)); break;
                case 1: line.insert(random.bounded(int(line.size()) + 1), letter()); break;
                case 2: line = lines.at(random.bounded(int(lines.size()))); break;
                default:
                    line.clear();
                    for (int n = random.bounded(30); n > 0; --n)
                        line += letter();
                }
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
};

QTEST_GUILESS_MAIN(ConfigReaderTest)
#include "test_config_reader.moc"
