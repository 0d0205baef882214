#include "config/ConfigBuilder.h"
#include "config/ConfigFile.h"
#include "config/ConfigTemplate.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class ConfigBuilderTest : public QObject
{
    Q_OBJECT

private:
    static QByteArray fixture(const char *name)
    {
        QFile file(QStringLiteral(KVX_FIXTURES "/") + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("missing fixture %s", name);
        return file.readAll();
    }

    static QByteArray saved(const ConfigDocument &document)
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kvxserver.conf"));
        const SaveResult result = saveconfig(path, document);
        if (!result.ok)
            qFatal("save failed: %s", qPrintable(result.error));
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private slots:
    void defaultDocumentsMatchTheFixturesByteForByte_data()
    {
        QTest::addColumn<bool>("classic");
        QTest::addColumn<QString>("fixtureName");
        QTest::newRow("wizard") << false << "default-wizard.conf";
        QTest::newRow("classic") << true << "default-classic.conf";
    }

    void defaultDocumentsMatchTheFixturesByteForByte()
    {
        QFETCH(bool, classic);
        QFETCH(QString, fixtureName);
        const ConfigDocument document = classic ? buildclassic(classicDefaults()) : buildwizard(wizardDefaults());
        QCOMPARE(document.count(), 255);
        QCOMPARE(document.line(0), QStringLiteral("# ServerName"));
        QCOMPARE(document.line(251), QString());
        QCOMPARE(document.line(253), QStringLiteral("#mode: wizard"));
        QCOMPARE(document.line(254), QStringLiteral("#show page 1: 1"));
        QCOMPARE(saved(document), fixture(qPrintable(fixtureName)));
    }

    void templateTextHasItsFixedShape()
    {
        int longest = 0;
        for (int i = 0; i < ConfigLine::Count; ++i) {
            const QString line = templateLine(i, TemplateVariant::Wizard);
            QVERIFY2(!line.contains(u'\t'), qPrintable(QString::number(i)));
            longest = qMax(longest, int(line.size()));
        }
        QCOMPARE(longest, 141);
        QCOMPARE(templateLine(34, TemplateVariant::Wizard).size(), 141);
        QCOMPARE(templateLine(84, TemplateVariant::Wizard), QString());
        QCOMPARE(templateLine(85, TemplateVariant::Wizard), QString());
        QVERIFY(templateLine(47, TemplateVariant::Wizard).endsWith(QLatin1String("Stunt ")));
        QVERIFY(templateLine(48, TemplateVariant::Classic).endsWith(QLatin1String("Vale ")));
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
        b = buildclassic(classic);
        QCOMPARE(b.line(ConfigLine::GameMap), QStringLiteral("Game 1"));
    }

    void valueLinesTakeFieldsAsTheyStand_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<std::function<void(WizardFields &)>>("change");

        QTest::newRow("empty name") << ConfigLine::ServerName << "ServerName \"\""
                                    << std::function<void(WizardFields &)>([](WizardFields &f) { f.txtserver.clear(); });
        QTest::newRow("quote inside name") << ConfigLine::ServerName << "ServerName \"My \"best\" server\""
                                           << std::function<void(WizardFields &)>(
                                                  [](WizardFields &f) { f.txtserver = "My \"best\" server"; });
        QTest::newRow("empty password") << ConfigLine::ServerPasswordEnabled << "ServerPasswordEnabled 0"
                                        << std::function<void(WizardFields &)>([](WizardFields &f) { f.txtpwd.clear(); });
        QTest::newRow("one-space password") << ConfigLine::ServerPasswordEnabled << "ServerPasswordEnabled 1"
                                            << std::function<void(WizardFields &)>([](WizardFields &f) { f.txtpwd = " "; });
        QTest::newRow("one-space password line") << ConfigLine::ServerPassword << "ServerPassword \" \""
                                                 << std::function<void(WizardFields &)>(
                                                        [](WizardFields &f) { f.txtpwd = " "; });
        QTest::newRow("greyed weather") << ConfigLine::RandomWeather << "RandomWeather 0"
                                        << std::function<void(WizardFields &)>(
                                               [](WizardFields &f) { f.chkweather = Qt::PartiallyChecked; });
        QTest::newRow("ticked admin") << ConfigLine::AdminServer << "AdminServer 1"
                                      << std::function<void(WizardFields &)>(
                                             [](WizardFields &f) { f.chkadmin = Qt::Checked; });
        QTest::newRow("port as typed") << ConfigLine::ServerPort << "ServerPort 02003x"
                                       << std::function<void(WizardFields &)>([](WizardFields &f) { f.txtport = "02003x"; });
        QTest::newRow("vice stunt") << ConfigLine::GameMap << "GameMap 2"
                                    << std::function<void(WizardFields &)>(
                                           [](WizardFields &f) { f.map = WizardMap::optvicestunt; });
        QTest::newRow("motd switch is fixed") << ConfigLine::MOTDEnabled << "MOTDEnabled 1"
                                              << std::function<void(WizardFields &)>(
                                                     [](WizardFields &f) { f.chkmotd = Qt::Unchecked; });
    }

    void valueLinesTakeFieldsAsTheyStand()
    {
        QFETCH(int, index);
        QFETCH(QString, expected);
        QFETCH(std::function<void(WizardFields &)>, change);
        WizardFields fields = wizardDefaults();
        change(fields);
        QCOMPARE(buildwizard(fields).line(index), expected);
    }
};

QTEST_GUILESS_MAIN(ConfigBuilderTest)
#include "test_config_builder.moc"
