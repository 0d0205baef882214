#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "config/ConfigReader.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using Assignments = QList<FieldAssignment>;

namespace {

FieldAssignment set(const char *field, const QString &value)
{
    return {QString::fromLatin1(field), value};
}

} // namespace

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

        WizardFields back = wizardDefaults();
        back.txtpwd = "stale";
        FirstPageChoices choices;
        applyAssignments(back, choices, loadwizard(read->lines));
        QCOMPARE(back, fields);
        QVERIFY(choices.chkremember == Qt::Checked && choices.OptClassic && !choices.OptWizard);
        ClassicFields classic = classicDefaults();
        applyAssignments(classic, loadclassic(read->lines));
        QCOMPARE(static_cast<const CommonFields &>(classic), static_cast<const CommonFields &>(fields));
        QCOMPARE(classic.cmbgamemode, "Vice City - Stunt");
    }

    void handMadeFiles_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Assignments>("wizard");

        QTest::newRow("value cut by position") << QStringList{"ServerName abcd"} << Assignments{set("txtserver", "bc")};
        QTest::newRow("last of two wins, in order")
            << QStringList{"ServerName \"one\"", "ServerName \"two\""}
            << Assignments{set("txtserver", "one"), set("txtserver", "two")};
        QTest::newRow("disabled, lower case and comment lines")
            << QStringList{"#ServerName \"x\"", "servername \"x\"", "# ServerName", "SERVERPORT 1", ""} << Assignments();
        QTest::newRow("hour by length")
            << QStringList{"GameHour 7", "GameHour 07", "GameHour 123", "GameHour ", "GameMins 5"}
            << Assignments{set("txthour", "7"), set("txthour", "07"), set("txtminute", "5")};
        QTest::newRow("switches read the last character")
            << QStringList{"ASE 1", "RandomWeather 0", "MOTDEnabled x", "AdminAllowShutdown 1 "}
            << Assignments{set("ChkASE", "1"), set("chkweather", "0")};
        QTest::newRow("admin plus password never touches the box")
            << QStringList{"AdminPlusPassword \"1\"", "AdminPlus 1"}
            << Assignments{set("txtadminpluspwd", "1"), set("chkadminplus", "1")};
        QTest::newRow("map digits") << QStringList{"GameMap 2", "GameMap 7", "GameMap 5"}
                                    << Assignments{set("optvicestunt", "1"), set("optgta3staunton", "1")};
        QTest::newRow("password disabled empties even before a password")
            << QStringList{"ServerPasswordEnabled 0", "ServerPassword \"pw\""} << Assignments{set("txtpwd", "")};
        QTest::newRow("password enabled takes the last password line of the file")
            << QStringList{"ServerPassword \"early\"", "ServerPasswordEnabled 1", "ServerPassword \"late\""}
            << Assignments{set("txtpwd", "late")};
        QTest::newRow("password enabled without password line") << QStringList{"ServerPasswordEnabled 1"} << Assignments();
        QTest::newRow("password alone is not read") << QStringList{"ServerPassword \"pw\""} << Assignments();
        QTest::newRow("skip page, classic") << QStringList{"#mode: classic", "#show page 1: 0"}
                                            << Assignments{set("chkremember", "1"), set("OptClassic", "1")};
        QTest::newRow("skip page, later mode line wins")
            << QStringList{"#show page 1: 0", "#mode: classic", "#mode: wizard"}
            << Assignments{set("chkremember", "1"), set("OptWizard", "1")};
        QTest::newRow("skip page without mode") << QStringList{"#show page 1: 0"} << Assignments{set("chkremember", "1")};
        QTest::newRow("show page ignores the mode") << QStringList{"#mode: classic", "#show page 1: 1"}
                                                    << Assignments{set("chkremember", "0")};
        QTest::newRow("short lines yield nothing")
            << QStringList{"ServerPort", "ServerName \"", "MOTDURL", "AdminPassword \"", "MaxPlayers 9"}
            << Assignments{set("txtplayers", "9")};
        QTest::newRow("bare value may be empty") << QStringList{"ServerPort "} << Assignments{set("txtport", "")};
        QTest::newRow("send limits are dropped")
            << QStringList{"ServerSendLimitEnabled 1", "ServerSendLimit 5", "ServerSendLimitMaxAllowed 9",
                           "ServerSendLimitLogDropped 1", "#ServerSendLimit 200000"}
            << Assignments();
    }

    void handMadeFiles()
    {
        QFETCH(QStringList, lines);
        QFETCH(Assignments, wizard);
        QCOMPARE(loadwizard(lines), wizard);
    }

    void classicReaderDiffersWhereItShould()
    {
        const QStringList lines = {"GameMap 4", "StatLogging 1", "StatLogging 0", "#show page 1: 0", "#mode: classic",
                                   "MOTDURL \"http://x/y\""};
        QCOMPARE(loadclassic(lines), (Assignments{set("cmbgamemode", "GTA3 - Shore Side Vale"), set("Check5", "1"),
                                                  set("txturl", "http://x/y")}));
        QCOMPARE(loadwizard(lines), (Assignments{set("optgta3ssv", "1"), set("chkremember", "1"),
                                                 set("OptClassic", "1"), set("txturl", "http://x/y")}));
    }

    // A crash guard: random and mutated files never crash the readers. It
    // checks only that every text assigned is a piece of the file, which no
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
            for (const Assignments &result : {loadwizard(lines), loadclassic(lines)}) {
                for (const FieldAssignment &a : result) {
                    if (a.field.startsWith(QLatin1String("txt")))
                        QVERIFY2(whole.contains(a.value), qPrintable(a.field + ": " + a.value));
                    else if (a.field == QLatin1String("cmbgamemode"))
                        QVERIFY(classicMapNames().contains(a.value));
                    else
                        QVERIFY(a.value == QLatin1String("0") || a.value == QLatin1String("1"));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(ConfigReaderTest)
#include "test_config_reader.moc"
