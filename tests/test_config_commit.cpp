#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigTemplate.h"

#include <QMap>
#include <QtTest>

using WizardChange = std::function<void(WizardFields &, FirstPageChoices &)>;
using LineMap = QMap<int, QString>;

namespace {

// The lines a commit changed in a freshly built default document.
LineMap changedLines(const ConfigDocument &before, const ConfigDocument &after)
{
    LineMap changed;
    for (int i = 0; i < before.count(); ++i) {
        if (before.line(i) != after.line(i))
            changed.insert(i, after.line(i));
    }
    return changed;
}

// The template builds "AdminPlus 1"; every commit with Admin+ not ticked
// writes "AdminPlus 0".
LineMap plusOff(LineMap lines)
{
    lines.insert(162, QStringLiteral("AdminPlus 0"));
    return lines;
}

} // namespace

class ConfigCommitTest : public QObject
{
    Q_OBJECT

private slots:
    void commitWritesExactlyTheFieldsLines_data()
    {
        QTest::addColumn<WizardChange>("change");
        QTest::addColumn<LineMap>("expected");
        QTest::addColumn<QList<CommitAlert>>("alerts");

        QTest::newRow("nothing changed") << WizardChange([](WizardFields &, FirstPageChoices &) {}) << plusOff(LineMap())
                                         << QList<CommitAlert>();
        QTest::newRow("name and port") << WizardChange([](WizardFields &f, FirstPageChoices &) {
            f.txtserver = "A \"quoted\" one";
            f.txtport = "05000";
        }) << plusOff(LineMap{{5, "ServerName \"A \"quoted\" one\""}, {26, "ServerPort 05000"}})
                                       << QList<CommitAlert>();
        QTest::newRow("map and time") << WizardChange([](WizardFields &f, FirstPageChoices &) {
            f.map = WizardMap::optgta3staunton;
            f.txthour = "07";
            f.txtminute = "5";
        }) << plusOff(LineMap{{50, "GameMap 5"}, {57, "GameHour 07"}, {64, "GameMins 5"}}) << QList<CommitAlert>();
        QTest::newRow("cleared boxes") << WizardChange([](WizardFields &f, FirstPageChoices &) {
            f.chkweather = Qt::Unchecked;
            f.chkmotd = Qt::Unchecked;
            f.ChkASE = Qt::Unchecked;
        }) << plusOff(LineMap{{72, "RandomWeather 0"}, {77, "MOTDEnabled 0"}, {93, "ASE 0"}}) << QList<CommitAlert>();
        QTest::newRow("greyed boxes leave their lines") << WizardChange([](WizardFields &f, FirstPageChoices &) {
            f.chkweather = Qt::PartiallyChecked;
            f.chkmotd = Qt::PartiallyChecked;
            f.ChkASE = Qt::PartiallyChecked;
            f.chkshutdown = Qt::PartiallyChecked;
            f.chkadmin = Qt::PartiallyChecked;
        }) << plusOff(LineMap()) << QList<CommitAlert>();
        QTest::newRow("greyed admin plus counts as cleared") << WizardChange([](WizardFields &f, FirstPageChoices &) {
            f.chkadminplus = Qt::PartiallyChecked;
        }) << LineMap{{162, "AdminPlus 0"}} << QList<CommitAlert>();
        QTest::newRow("one-space password") << WizardChange([](WizardFields &f, FirstPageChoices &) { f.txtpwd = " "; })
                                            << plusOff(LineMap{{138, "ServerPasswordEnabled 1"}, {145, "ServerPassword \" \""}})
                                            << QList<CommitAlert>();
        QTest::newRow("admin complete") << WizardChange([](WizardFields &f, FirstPageChoices &) {
            f.chkadmin = Qt::Checked;
            f.txtadminpwd = "secret";
            f.txtadminport = "4100";
            f.chkshutdown = Qt::Checked;
        }) << plusOff(LineMap{{153, "AdminServer 1"}, {169, "AdminPort 4100"}, {176, "AdminPassword \"secret\""},
                              {191, "AdminAllowShutdown 1"}})
                                        << QList<CommitAlert>();
        QTest::newRow("admin empty: two alerts in order, lines kept")
            << WizardChange([](WizardFields &f, FirstPageChoices &) {
                   f.chkadmin = Qt::Checked;
                   f.txtadminpwd.clear();
                   f.txtadminport.clear();
               })
            << plusOff(LineMap{{153, "AdminServer 1"}}) << QList<CommitAlert>{CommitAlert::AdminPassword, CommitAlert::AdminPort};
        QTest::newRow("admin cleared: no checks") << WizardChange([](WizardFields &f, FirstPageChoices &) {
            f.txtadminpwd.clear();
            f.txtadminport.clear();
        }) << plusOff(LineMap()) << QList<CommitAlert>();
        QTest::newRow("admin plus without password, admin cleared")
            << WizardChange([](WizardFields &f, FirstPageChoices &) { f.chkadminplus = Qt::Checked; })
            << LineMap() << QList<CommitAlert>{CommitAlert::AdminPlusPassword};
        QTest::newRow("all three alerts") << WizardChange([](WizardFields &f, FirstPageChoices &) {
            f.chkadmin = Qt::Checked;
            f.chkadminplus = Qt::Checked;
            f.txtadminport.clear();
        }) << LineMap{{153, "AdminServer 1"}}
                                          << QList<CommitAlert>{CommitAlert::AdminPassword, CommitAlert::AdminPort,
                                                                CommitAlert::AdminPlusPassword};
        QTest::newRow("remember, classic") << WizardChange([](WizardFields &, FirstPageChoices &p) {
            p.chkremember = Qt::Checked;
            p.OptClassic = true;
            p.OptWizard = false;
        }) << plusOff(LineMap{{253, "#mode: classic"}, {254, "#show page 1: 0"}}) << QList<CommitAlert>();
        QTest::newRow("remember, wizard") << WizardChange([](WizardFields &, FirstPageChoices &p) {
            p.chkremember = Qt::Checked;
        }) << plusOff(LineMap{{254, "#show page 1: 0"}}) << QList<CommitAlert>();
        QTest::newRow("classic chosen but not remembered") << WizardChange([](WizardFields &, FirstPageChoices &p) {
            p.OptClassic = true;
            p.OptWizard = false;
        }) << plusOff(LineMap()) << QList<CommitAlert>();
    }

    void commitWritesExactlyTheFieldsLines()
    {
        QFETCH(WizardChange, change);
        QFETCH(LineMap, expected);
        QFETCH(QList<CommitAlert>, alerts);

        const WizardFields defaults = wizardDefaults();
        const ConfigDocument built = buildwizard(defaults);
        WizardFields fields = defaults;
        FirstPageChoices firstPage;
        change(fields, firstPage);
        ConfigDocument document = built;
        QCOMPARE(commitwizard(document, fields, firstPage), alerts);
        QCOMPARE(changedLines(built, document), expected);
        // Committing the same fields again changes nothing.
        const ConfigDocument once = document;
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
        QCOMPARE(document.line(ConfigLine::ServerPasswordEnabled), QStringLiteral("ServerPasswordEnabled 0"));
        QCOMPARE(document.line(ConfigLine::ServerPassword), QStringLiteral("ServerPassword \"loaded\""));
    }

    void classicCommitWritesStatLoggingAndExactMapNames_data()
    {
        QTest::addColumn<QString>("map");
        QTest::addColumn<Qt::CheckState>("check5");
        QTest::addColumn<QString>("mapLine");
        QTest::addColumn<QString>("statLine");
        QTest::newRow("exact name, ticked") << "GTA3 - Staunton Island" << Qt::Checked << "GameMap 5" << "StatLogging 1";
        QTest::newRow("case differs, greyed") << "gta3 - staunton island" << Qt::PartiallyChecked << "GameMap 3"
                                              << "StatLogging 0";
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
        fields.Check5 = Qt::Checked;
        ConfigDocument document = buildclassic(fields); // StatLogging stays fixed at 0 when built
        QCOMPARE(document.line(ConfigLine::StatLogging), QStringLiteral("StatLogging 0"));
        fields.cmbgamemode = map;
        fields.Check5 = check5;
        FirstPageChoices firstPage;
        firstPage.chkremember = Qt::Checked;
        firstPage.OptClassic = true;
        firstPage.OptWizard = false;
        commitclassic(document, fields, firstPage);
        QCOMPARE(document.line(ConfigLine::GameMap), mapLine);
        QCOMPARE(document.line(ConfigLine::StatLogging), statLine);
        QCOMPARE(document.line(ConfigLine::Mode), QStringLiteral("#mode: classic"));
        QCOMPARE(document.line(ConfigLine::ShowPage1), QStringLiteral("#show page 1: 0"));
    }

    void wizardNeverWritesStatLogging()
    {
        ConfigDocument document = buildwizard(wizardDefaults());
        document.setLine(ConfigLine::StatLogging, QStringLiteral("StatLogging 1"));
        commitwizard(document, wizardDefaults(), {});
        QCOMPARE(document.line(ConfigLine::StatLogging), QStringLiteral("StatLogging 1"));
    }

    void alertTexts()
    {
        QCOMPARE(commitAlertTitle(), QStringLiteral("KVX Alert"));
        QCOMPARE(commitAlertText(CommitAlert::AdminPassword), QStringLiteral("The Adminpanel password needs to be filled in"));
        QCOMPARE(commitAlertText(CommitAlert::AdminPort), QStringLiteral("The Adminpanel port needs to be filled in"));
        QCOMPARE(commitAlertText(CommitAlert::AdminPlusPassword),
                 QStringLiteral("The Admin plus password needs to be filled in"));
    }
};

QTEST_GUILESS_MAIN(ConfigCommitTest)
#include "test_config_commit.moc"
