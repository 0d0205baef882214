// The document the two front ends build and commit: the template with the
// fields folded in, and the commit that rewrites exactly the fields' lines.

#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "config/ConfigReader.h"
#include "config/ConfigTemplate.h"
#include "support/Fixture.h"
#include "support/ToolFolder.h"

#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

using LineMap = QMap<int, QString>;
using Alerts = QList<CommitAlert>;

namespace {

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
        QCOMPARE(crLfBytes(buildwizard(wizardDefaults()).lines()), fixture("default-wizard.conf"));
        QCOMPARE(crLfBytes(buildclassic(classicDefaults()).lines()), fixture("default-classic.conf"));
    }

    void variantsDifferOnlyInTheirOwnLines()
    {
        WizardFields wizard = wizardDefaults();
        wizard.map = WizardMap::optgta3ssv;
        ClassicFields classic;
        static_cast<CommonFields &>(classic) = wizard;
        classic.cmbgamemode = QStringLiteral("GTA3 - Shore Side Vale");
        const ConfigDocument a = buildwizard(wizard), b = buildclassic(classic);
        QList<int> differing;
        for (int i = 0; i < ConfigLine::Count; ++i) {
            if (a.line(i) != b.line(i))
                differing << i;
        }
        QCOMPARE(differing, (QList<int>{2, 47, 48}));
        // A map text that matches no name exactly, case included, keeps "Game 1".
        classic.cmbgamemode = QStringLiteral("gta3 - shore side vale");
        QCOMPARE(buildclassic(classic).line(50), QStringLiteral("Game 1"));
    }

    // Building takes the fields as they stand, a greyed box as 0, and writes
    // MOTDEnabled as 1 whatever its box.
    void buildTakesTheFieldsAsTheyStand()
    {
        WizardFields fields = wizardDefaults();
        fields.txtserver.clear();
        fields.txtport = "02003x";
        fields.map = WizardMap::optvicestunt;
        fields.chkweather = Qt::PartiallyChecked;
        fields.chkmotd = Qt::Unchecked;
        fields.txtpwd = " ";
        QCOMPARE(crLfBytes(buildwizard(fields).lines()),
                 fixture("default-wizard.conf", {{5, "ServerName \"\""}, {26, "ServerPort 02003x"}, {50, "GameMap 2"}, {72, "RandomWeather 0"},
                                                 {138, "ServerPasswordEnabled 1"}, {145, "ServerPassword \" \""}}));
    }

    // Odd values in every field, committed over the built defaults: each lands
    // on its own line in its form, the saved file holds that and nothing else,
    // and both readers take the same fields back. Quotes and spaces inside,
    // leading zeros, empty texts, Windows-1252.
    void everyFieldCommittedSavedAndReadBack()
    {
        WizardFields fields = wizardDefaults();
        fields.txtserver = "The \"best\" Caf\u00e9 \u20ac\u0160\u00ff";
        fields.txtport = "0042";
        fields.txtplayers.clear();
        fields.map = WizardMap::optvicestunt;
        fields.txthour = "05";
        fields.txtminute = "7";
        fields.chkweather = fields.chkmotd = fields.ChkASE = Qt::Unchecked;
        fields.txturl.clear();
        fields.txtpwd = " ";
        fields.chkadmin = fields.chkadminplus = fields.chkshutdown = Qt::Checked;
        fields.txtadminport = "00041";
        fields.txtadminpwd = "a";
        fields.txtadminpluspwd = "b\"c";
        ConfigDocument document = buildwizard(wizardDefaults());
        QCOMPARE(commitwizard(document, fields, {Qt::Checked, true, false}), Alerts());
        QTemporaryDir dir;
        QFile saved(dir.filePath("kvxserver.conf"));
        QVERIFY(saveconfig(saved.fileName(), document).ok());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(),
                 fixture("default-wizard.conf",
                         {{5, "ServerName \"The \"best\" Caf\xe9 \x80\x8a\xff\""}, {26, "ServerPort 0042"}, {41, "MaxPlayers "},
                          {50, "GameMap 2"}, {57, "GameHour 05"}, {64, "GameMins 7"}, {72, "RandomWeather 0"}, {77, "MOTDEnabled 0"},
                          {83, "MOTDURL \"\""}, {93, "ASE 0"}, {138, "ServerPasswordEnabled 1"}, {145, "ServerPassword \" \""},
                          {153, "AdminServer 1"}, {169, "AdminPort 00041"}, {176, "AdminPassword \"a\""},
                          {183, "AdminPlusPassword \"b\"c\""}, {191, "AdminAllowShutdown 1"}, {253, "#mode: classic"}, {254, "#show page 1: 0"}}));
        const Result<TextLines> read = loadconfig(saved.fileName());
        QCOMPARE(loadwizard(read->lines), (WizardLoad{fields, {Qt::Checked, true, false}}));
        const ClassicFields classic = loadclassic(read->lines);
        QCOMPARE(static_cast<const CommonFields &>(classic), static_cast<const CommonFields &>(fields));
        QCOMPARE(classic.cmbgamemode, "Vice City - Stunt");
    }

    // Over the wizard's built defaults: the lines a commit changes, and its alerts.
    void commitWritesExactlyTheFieldsLines()
    {
        using F = WizardFields;
        using P = FirstPageChoices;
        const QList<std::tuple<std::function<void(F &, P &)>, LineMap, Alerts>> rows = {
            {[](F &, P &) {}, plusOff({}), {}},
            {[](F &f, P &) { f.chkweather = f.chkmotd = f.ChkASE = f.chkshutdown = f.chkadmin = Qt::PartiallyChecked; },
             plusOff({}), {}}, // greyed boxes leave their lines
            {[](F &f, P &) { f.chkadmin = Qt::Checked; f.txtadminport.clear(); }, // empty: lines kept, two alerts
             plusOff({{153, "AdminServer 1"}}), {CommitAlert::txtadminpwd, CommitAlert::txtadminport}},
            {[](F &f, P &) { f.txtadminport.clear(); }, plusOff({}), {}}, // admin cleared: no checks
            {[](F &f, P &) { f.chkadminplus = Qt::Checked; }, {}, {CommitAlert::txtadminpluspwd}},
            {[](F &f, P &) { f.chkadmin = f.chkadminplus = Qt::Checked; f.txtadminport.clear(); }, {{153, "AdminServer 1"}},
             {CommitAlert::txtadminpwd, CommitAlert::txtadminport, CommitAlert::txtadminpluspwd}},
            {[](F &, P &p) { p.chkremember = Qt::Checked; }, plusOff({{254, "#show page 1: 0"}}), {}},
            {[](F &, P &p) { p.OptClassic = true; p.OptWizard = false; }, plusOff({}), {}}};
        const ConfigDocument built = buildwizard(wizardDefaults());
        for (const auto &[change, expected, alerts] : rows) {
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
    }

    // A cleared password keeps the loaded one; the wizard never writes StatLogging.
    void wizardCommitLeavesLinesItDoesNotOwn()
    {
        WizardFields fields = wizardDefaults();
        fields.txtpwd = QStringLiteral("loaded");
        ConfigDocument document = buildwizard(fields);
        document.setLine(129, QStringLiteral("StatLogging 1"));
        fields.txtpwd.clear();
        commitwizard(document, fields, {});
        QCOMPARE(document.line(138), QStringLiteral("ServerPasswordEnabled 0"));
        QCOMPARE(document.line(145), QStringLiteral("ServerPassword \"loaded\""));
        QCOMPARE(document.line(129), QStringLiteral("StatLogging 1"));
    }

    void classicCommitWritesStatLoggingAndExactMapNames()
    {
        const QList<std::tuple<QString, Qt::CheckState, QString, QString>> rows = {
            {"GTA3 - Staunton Island", Qt::Checked, "GameMap 5", "StatLogging 1"},
            {"gta3 - staunton island", Qt::PartiallyChecked, "GameMap 3", "StatLogging 0"},
            {"Liberty", Qt::Unchecked, "GameMap 3", "StatLogging 0"}};
        for (const auto &[map, statLogging, mapLine, statLine] : rows) {
            ClassicFields fields = classicDefaults();
            fields.cmbgamemode = QStringLiteral("GTA3 - Portland");
            ConfigDocument document = buildclassic(fields);
            fields.cmbgamemode = map;
            fields.statLogging = statLogging;
            commitclassic(document, fields, {Qt::Checked, true, false});
            QCOMPARE(document.line(50), mapLine);
            QCOMPARE(document.line(129), statLine);
            QCOMPARE(document.line(253), QStringLiteral("#mode: classic"));
            QCOMPARE(document.line(254), QStringLiteral("#show page 1: 0"));
        }
    }
};

QTEST_GUILESS_MAIN(ConfigDocumentTest)
#include "test_config_document.moc"
