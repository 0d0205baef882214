#include "rules/SettingChecks.h"

#include <QtTest>

class SettingChecksTest : public QObject
{
    Q_OBJECT

private slots:
    // Every edge of the command line's table of accepted values. The rule each
    // refusal tells is pinned where test_cli runs the refusals.
    void accepted_data()
    {
        QTest::addColumn<SettingKind>("kind");
        QTest::addColumn<GameFamily>("family"); // judges player counts only
        QTest::addColumn<QStringList>("accepted");
        QTest::addColumn<QStringList>("refused");
        using K = SettingKind;
        const auto vc = GameFamily::ViceCity;
        QTest::newRow("port") << K::Port << vc << QStringList{"0", "99999"} << QStringList{"123456", "", "20x3", "-1"};
        QTest::newRow("admin port") << K::OptionalPort << vc << QStringList{"", "12345"} << QStringList{"123456", "x"};
        QTest::newRow("Vice City players") << K::PlayerCount << vc << QStringList{"2", "26"} << QStringList{"1", "27"};
        QTest::newRow("GTA III players") << K::PlayerCount << GameFamily::Gta3 << QStringList{"2", "32", "032"}
                                         << QStringList{"1", "33", "99999999999999999999999"};
        QTest::newRow("map, names in any case") << K::Map << vc
                                                << QStringList{"1", "5", "gta3 - SHORE side vale",
                                                               "GTA III - Shore side Vale", "gta iii - portland"}
                                                << QStringList{"0", "6", "05", "GTA3 - Portland ", "",
                                                               "GTA III-Portland", "GTA 3 - Portland", "GTA III - "};
        QTest::newRow("hour") << K::Hour << vc << QStringList{"0", "23"} << QStringList{"24", "007", ""};
        QTest::newRow("minute") << K::Minute << vc << QStringList{"7", "59"} << QStringList{"60", "007"};
        QTest::newRow("switch") << K::Switch << vc << QStringList{"0", "1"} << QStringList{"2", "01", ""};
        QTest::newRow("text: control characters, the first one first")
            << K::Text << vc << QStringList{QString::fromUtf8("a \"b\" ~\u00a0\u00e9")}
            << QStringList{QString::fromUtf8("\0b", 2), "a\x1f", "a\x7f", QString::fromUtf8("a\u009f")};
    }

    void accepted()
    {
        QFETCH(SettingKind, kind);
        QFETCH(GameFamily, family);
        QFETCH(QStringList, accepted);
        QFETCH(QStringList, refused);
        const QList<QString> maps = {"Vice City - Deathmatch", "Vice City - Stunt", "GTA3 - Portland",
                                     "GTA3 - Shore Side Vale", "GTA3 - Staunton Island"};
        for (const QString &value : accepted)
            QVERIFY2(!settingRefusal(kind, value, family, maps), qPrintable(value));
        for (const QString &value : refused)
            QVERIFY2(settingRefusal(kind, value, family, maps), qPrintable(value));
    }

    // Values set accepts that cannot work. A value set refuses is left to
    // that rule, so it is no problem here.
    void workable_data()
    {
        QTest::addColumn<bool>("port"); // a port, or else a server name
        QTest::addColumn<QStringList>("workable");
        QTest::addColumn<QStringList>("unworkable");
        QTest::newRow("port") << true << QStringList{"1", "65535", "00080", "x", "123456"}
                              << QStringList{"0", "00000", "65536", "99999"};
        QTest::newRow("server name") << false << QStringList{"abc", "   "} << QStringList{"", "ab"};
    }

    void workable()
    {
        QFETCH(bool, port);
        QFETCH(QStringList, workable);
        QFETCH(QStringList, unworkable);
        const auto problem = [port](const QString &value) { return port ? portProblem(value) : serverNameProblem(value); };
        for (const QString &value : workable)
            QVERIFY2(!problem(value), qPrintable(value));
        for (const QString &value : unworkable)
            QVERIFY2(problem(value), qPrintable(value));
        QVERIFY(samePort("02003", "2003"));
        QVERIFY(!samePort("2003", "2004"));
        QVERIFY(!samePort("", ""));
    }
};

QTEST_GUILESS_MAIN(SettingChecksTest)
#include "test_rules_settings.moc"
