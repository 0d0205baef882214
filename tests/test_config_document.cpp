// The document the two front ends build and commit: the template with the
// fields folded in, and the commit that rewrites exactly the fields' lines.

#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigTemplate.h"
#include "support/Fixture.h"

#include <QMap>
#include <QtTest>

using FieldChange = std::function<void(WizardFields &)>;
using Change = std::function<void(WizardFields &, FirstPageChoices &)>;
using LineMap = QMap<int, QString>;
using Alerts = QList<CommitAlert>;

namespace {

// Where the template puts the settings these tests look at.
namespace Line {
constexpr int GameMap = 50;
constexpr int StatLogging = 129;
constexpr int ServerPasswordEnabled = 138;
constexpr int ServerPassword = 145;
}

// The template builds "AdminPlus 1"; a commit with Admin+ not ticked writes 0.
LineMap plusOff(LineMap lines)
{
    lines.insert(162, QStringLiteral("AdminPlus 0"));
    return lines;
}

} // namespace

class ConfigDocumentTest : public QObject
{
    Q_OBJECT

private slots:
    // The fixtures hold the template text line by line, typed out apart from the code.
    void defaultDocumentsMatchTheFixtures()
    {
        QCOMPARE(buildwizard(wizardDefaults()).lines().join("\r\n").toLatin1() + "\r\n", fixture("default-wizard.conf"));
        QCOMPARE(buildclassic(classicDefaults()).lines().join("\r\n").toLatin1() + "\r\n", fixture("default-classic.conf"));
    }

    void variantsDifferOnlyInTheirOwnLines()
    {
        WizardFields wizard = wizardDefaults();
        wizard.map = WizardMap::optgta3ssv;
        ClassicFields classic;
        static_cast<CommonFields &>(classic) = wizard;
        classic.cmbgamemode = QStringLiteral("GTA3 - Shore Side Vale");
        const ConfigDocument a = buildwizard(wizard);
        ConfigDocument b = buildclassic(classic);
        QList<int> differing;
        for (int i = 0; i < ConfigLine::Count; ++i) {
            if (a.line(i) != b.line(i))
                differing << i;
        }
        QCOMPARE(differing, (QList<int>{2, 47, 48}));

        // A map text that matches no name exactly, case included, keeps "Game 1".
        classic.cmbgamemode = QStringLiteral("gta3 - shore side vale");
        QCOMPARE(buildclassic(classic).line(Line::GameMap), QStringLiteral("Game 1"));
    }

    void valueLinesTakeFieldsAsTheyStand_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<FieldChange>("change");
        QTest::newRow("empty name") << 5 << "ServerName \"\"" << FieldChange([](WizardFields &f) { f.txtserver.clear(); });
        QTest::newRow("quote inside") << 5 << "ServerName \"a \"b\" c\""
                                      << FieldChange([](WizardFields &f) { f.txtserver = "a \"b\" c"; });
        QTest::newRow("no password") << 138 << "ServerPasswordEnabled 0" << FieldChange([](WizardFields &) {});
        QTest::newRow("one-space password") << 138 << "ServerPasswordEnabled 1"
                                            << FieldChange([](WizardFields &f) { f.txtpwd = " "; });
        QTest::newRow("password line") << 145 << "ServerPassword \" \""
                                       << FieldChange([](WizardFields &f) { f.txtpwd = " "; });
        QTest::newRow("greyed box is 0") << 72 << "RandomWeather 0"
                                         << FieldChange([](WizardFields &f) { f.chkweather = Qt::PartiallyChecked; });
        QTest::newRow("port as typed") << 26 << "ServerPort 02003x" << FieldChange([](WizardFields &f) { f.txtport = "02003x"; });
        QTest::newRow("map") << 50 << "GameMap 2" << FieldChange([](WizardFields &f) { f.map = WizardMap::optvicestunt; });
        QTest::newRow("motd switch fixed") << 77 << "MOTDEnabled 1"
                                           << FieldChange([](WizardFields &f) { f.chkmotd = Qt::Unchecked; });
    }

    void valueLinesTakeFieldsAsTheyStand()
    {
        QFETCH(int, index);
        QFETCH(QString, expected);
        QFETCH(FieldChange, change);
        WizardFields fields = wizardDefaults();
        change(fields);
        QCOMPARE(buildwizard(fields).line(index), expected);
    }

    void commitWritesExactlyTheFieldsLines_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<LineMap>("expected");
        QTest::addColumn<Alerts>("alerts");
        using F = WizardFields;
        using P = FirstPageChoices;
        QTest::newRow("nothing changed") << Change([](F &, P &) {}) << plusOff({}) << Alerts();
        QTest::newRow("texts as typed") << Change([](F &f, P &) { f.txtserver = "A \"q\""; f.txtport = "05000"; f.txthour = "07"; })
                                        << plusOff({{5, "ServerName \"A \"q\"\""}, {26, "ServerPort 05000"}, {57, "GameHour 07"}})
                                        << Alerts();
        QTest::newRow("map") << Change([](F &f, P &) { f.map = WizardMap::optgta3staunton; }) << plusOff({{50, "GameMap 5"}})
                             << Alerts();
        QTest::newRow("cleared boxes") << Change([](F &f, P &) { f.chkweather = f.chkmotd = f.ChkASE = Qt::Unchecked; })
                                       << plusOff({{72, "RandomWeather 0"}, {77, "MOTDEnabled 0"}, {93, "ASE 0"}}) << Alerts();
        QTest::newRow("greyed boxes leave their lines")
            << Change([](F &f, P &) { f.chkweather = f.chkmotd = f.ChkASE = f.chkshutdown = f.chkadmin = Qt::PartiallyChecked; })
            << plusOff({}) << Alerts();
        QTest::newRow("one-space password") << Change([](F &f, P &) { f.txtpwd = " "; })
                                            << plusOff({{138, "ServerPasswordEnabled 1"}, {145, "ServerPassword \" \""}})
                                            << Alerts();
        QTest::newRow("admin complete")
            << Change([](F &f, P &) { f.chkadmin = f.chkshutdown = Qt::Checked; f.txtadminpwd = "s"; f.txtadminport = "41"; })
            << plusOff({{153, "AdminServer 1"}, {169, "AdminPort 41"}, {176, "AdminPassword \"s\""}, {191, "AdminAllowShutdown 1"}})
            << Alerts();
        QTest::newRow("admin empty: lines kept, two alerts")
            << Change([](F &f, P &) { f.chkadmin = Qt::Checked; f.txtadminport.clear(); })
            << plusOff({{153, "AdminServer 1"}}) << Alerts{CommitAlert::txtadminpwd, CommitAlert::txtadminport};
        QTest::newRow("admin cleared: no checks") << Change([](F &f, P &) { f.txtadminport.clear(); }) << plusOff({}) << Alerts();
        QTest::newRow("admin plus alone") << Change([](F &f, P &) { f.chkadminplus = Qt::Checked; }) << LineMap()
                                          << Alerts{CommitAlert::txtadminpluspwd};
        QTest::newRow("all three alerts in order")
            << Change([](F &f, P &) { f.chkadmin = f.chkadminplus = Qt::Checked; f.txtadminport.clear(); })
            << LineMap{{153, "AdminServer 1"}}
            << Alerts{CommitAlert::txtadminpwd, CommitAlert::txtadminport, CommitAlert::txtadminpluspwd};
        QTest::newRow("remember classic") << Change([](F &, P &p) { p.chkremember = Qt::Checked; p.OptClassic = true; p.OptWizard = false; })
                                          << plusOff({{253, "#mode: classic"}, {254, "#show page 1: 0"}}) << Alerts();
        QTest::newRow("remember wizard") << Change([](F &, P &p) { p.chkremember = Qt::Checked; })
                                         << plusOff({{254, "#show page 1: 0"}}) << Alerts();
        QTest::newRow("classic not remembered") << Change([](F &, P &p) { p.OptClassic = true; p.OptWizard = false; })
                                                << plusOff({}) << Alerts();
    }

    void commitWritesExactlyTheFieldsLines()
    {
        QFETCH(Change, change);
        QFETCH(LineMap, expected);
        QFETCH(Alerts, alerts);
        const ConfigDocument built = buildwizard(wizardDefaults());
        WizardFields fields = wizardDefaults();
        FirstPageChoices firstPage;
        change(fields, firstPage);
        ConfigDocument document = built;
        QCOMPARE(commitwizard(document, fields, firstPage), alerts);
        LineMap changed;
        for (int i = 0; i < built.count(); ++i) {
            if (built.line(i) != document.line(i))
                changed.insert(i, document.line(i));
        }
        QCOMPARE(changed, expected);
        const ConfigDocument once = document; // a second commit changes nothing
        commitwizard(document, fields, firstPage);
        QCOMPARE(document, once);
    }

    void clearedPasswordKeepsTheLoadedOne()
    {
        WizardFields fields = wizardDefaults();
        fields.txtpwd = QStringLiteral("loaded");
        ConfigDocument document = buildwizard(fields);
        fields.txtpwd.clear();
        commitwizard(document, fields, {});
        QCOMPARE(document.line(Line::ServerPasswordEnabled), QStringLiteral("ServerPasswordEnabled 0"));
        QCOMPARE(document.line(Line::ServerPassword), QStringLiteral("ServerPassword \"loaded\""));
    }

    void classicCommitWritesStatLoggingAndExactMapNames_data()
    {
        QTest::addColumn<QString>("map");
        QTest::addColumn<Qt::CheckState>("check5");
        QTest::addColumn<QString>("mapLine");
        QTest::addColumn<QString>("statLine");
        QTest::newRow("exact name, ticked") << "GTA3 - Staunton Island" << Qt::Checked << "GameMap 5" << "StatLogging 1";
        QTest::newRow("case differs, greyed") << "gta3 - staunton island" << Qt::PartiallyChecked << "GameMap 3" << "StatLogging 0";
        QTest::newRow("free text, cleared") << "Liberty" << Qt::Unchecked << "GameMap 3" << "StatLogging 0";
    }

    void classicCommitWritesStatLoggingAndExactMapNames()
    {
        QFETCH(QString, map);
        QFETCH(Qt::CheckState, check5);
        QFETCH(QString, mapLine);
        QFETCH(QString, statLine);
        ClassicFields fields = classicDefaults();
        fields.cmbgamemode = QStringLiteral("GTA3 - Portland");
        ConfigDocument document = buildclassic(fields);
        fields.cmbgamemode = map;
        fields.statLogging = check5;
        commitclassic(document, fields, {Qt::Checked, true, false});
        QCOMPARE(document.line(Line::GameMap), mapLine);
        QCOMPARE(document.line(Line::StatLogging), statLine);
        QCOMPARE(document.line(ConfigLine::Mode), QStringLiteral("#mode: classic"));
        QCOMPARE(document.line(ConfigLine::ShowPage1), QStringLiteral("#show page 1: 0"));
    }

    void wizardNeverWritesStatLogging()
    {
        ConfigDocument document = buildwizard(wizardDefaults());
        document.setLine(Line::StatLogging, QStringLiteral("StatLogging 1"));
        commitwizard(document, wizardDefaults(), {});
        QCOMPARE(document.line(Line::StatLogging), QStringLiteral("StatLogging 1"));
    }
};

QTEST_GUILESS_MAIN(ConfigDocumentTest)
#include "test_config_document.moc"
