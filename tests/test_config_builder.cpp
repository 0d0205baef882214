#include "config/ConfigBuilder.h"
#include "config/ConfigFile.h"
#include "config/ConfigTemplate.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using FieldChange = std::function<void(WizardFields &)>;

class ConfigBuilderTest : public QObject
{
    Q_OBJECT

private slots:
    // The fixtures hold the template text line by line, typed out apart from the code.
    void defaultDocumentsMatchTheFixturesByteForByte_data()
    {
        QTest::addColumn<ConfigDocument>("document");
        QTest::addColumn<QString>("fixture");
        QTest::newRow("wizard") << buildwizard(wizardDefaults()) << "default-wizard.conf";
        QTest::newRow("classic") << buildclassic(classicDefaults()) << "default-classic.conf";
    }

    void defaultDocumentsMatchTheFixturesByteForByte()
    {
        QFETCH(ConfigDocument, document);
        QFETCH(QString, fixture);
        QTemporaryDir dir;
        const QString path = configFilePath(dir.path());
        QVERIFY(saveconfig(path, document).ok);
        QFile saved(path), expected(QStringLiteral(KVX_FIXTURES "/") + fixture);
        QVERIFY(saved.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), expected.readAll());
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
        QCOMPARE(buildclassic(classic).line(ConfigLine::GameMap), QStringLiteral("Game 1"));
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
};

QTEST_GUILESS_MAIN(ConfigBuilderTest)
#include "test_config_builder.moc"
