#include "rules/SettingChecks.h"

#include <QtTest>

namespace {

const QList<QString> mapNames = {QStringLiteral("Vice City - Deathmatch"), QStringLiteral("Vice City - Stunt"),
                                 QStringLiteral("GTA3 - Portland"), QStringLiteral("GTA3 - Shore Side Vale"),
                                 QStringLiteral("GTA3 - Staunton Island")};

} // namespace

class SettingChecksTest : public QObject
{
    Q_OBJECT

private slots:
    // The edges of every accepted range, typed from the command line's table.
    void acceptedValues_data()
    {
        QTest::addColumn<SettingKind>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<GameFamily>("family");
        QTest::addColumn<bool>("accepted");
        const auto vc = GameFamily::ViceCity;
        const auto gta = GameFamily::Gta3;
        const struct {
            const char *name;
            SettingKind kind;
            const char *value;
            GameFamily family;
            bool accepted;
        } rows[] = {
            {"port 1 digit", SettingKind::Port, "0", vc, true},
            {"port 5 digits", SettingKind::Port, "99999", vc, true},
            {"port 6 digits", SettingKind::Port, "100000", vc, false},
            {"port empty", SettingKind::Port, "", vc, false},
            {"port Arabic-Indic digit", SettingKind::Port, "\xd9\xa3", vc, false},
            {"admin port empty", SettingKind::OptionalPort, "", vc, true},
            {"admin port 5 digits", SettingKind::OptionalPort, "00001", vc, true},
            {"admin port space", SettingKind::OptionalPort, " ", vc, false},
            {"players 2", SettingKind::PlayerCount, "2", vc, true},
            {"players 26 VC", SettingKind::PlayerCount, "26", vc, true},
            {"players 27 VC", SettingKind::PlayerCount, "27", vc, false},
            {"players 32 GTA", SettingKind::PlayerCount, "32", gta, true},
            {"players 032 GTA", SettingKind::PlayerCount, "032", gta, true},
            {"players 33 GTA", SettingKind::PlayerCount, "33", gta, false},
            {"players 1", SettingKind::PlayerCount, "1", gta, false},
            {"players huge", SettingKind::PlayerCount, "99999999999999999999999", gta, false},
            {"players +5", SettingKind::PlayerCount, "+5", gta, false},
            {"map 1", SettingKind::Map, "1", vc, true},
            {"map 5", SettingKind::Map, "5", vc, true},
            {"map 0", SettingKind::Map, "0", vc, false},
            {"map 05", SettingKind::Map, "05", vc, false},
            {"map name any case", SettingKind::Map, "gta3 - SHORE side vale", vc, true},
            {"map name with a space more", SettingKind::Map, "GTA3 - Portland ", vc, false},
            {"hour 0", SettingKind::Hour, "0", vc, true},
            {"hour 09", SettingKind::Hour, "09", vc, true},
            {"hour 23", SettingKind::Hour, "23", vc, true},
            {"hour 24", SettingKind::Hour, "24", vc, false},
            {"hour empty", SettingKind::Hour, "", vc, false},
            {"minute 59", SettingKind::Minute, "59", vc, true},
            {"minute 60", SettingKind::Minute, "60", vc, false},
            {"minute 5a", SettingKind::Minute, "5a", vc, false},
            {"switch 0", SettingKind::Switch, "0", vc, true},
            {"switch 1", SettingKind::Switch, "1", vc, true},
            {"switch 01", SettingKind::Switch, "01", vc, false},
            {"text empty", SettingKind::Text, "", vc, true},
            {"text quote and euro", SettingKind::Text, "a \"b\" \xe2\x82\xac", vc, true},
            {"text DEL", SettingKind::Text, "a\x7f", vc, false},
            {"text C1 control", SettingKind::Text, "a\xc2\x85", vc, false},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name) << row.kind << QString::fromUtf8(row.value) << row.family << row.accepted;
        QTest::newRow("text NUL inside") << SettingKind::Text << QString::fromUtf8("a\0b", 3) << vc << false;
    }

    void acceptedValues()
    {
        QFETCH(SettingKind, kind);
        QFETCH(QString, value);
        QFETCH(GameFamily, family);
        QFETCH(bool, accepted);
        QCOMPARE(!settingRefusal(kind, value, family, mapNames).has_value(), accepted);
    }

    void mapNumbers()
    {
        QCOMPARE(mapNumberOf(QStringLiteral("3"), mapNames), 3);
        QCOMPARE(mapNumberOf(QStringLiteral("vice city - stunt"), mapNames), 2);
        QCOMPARE(mapNumberOf(QStringLiteral("Vice City"), mapNames), std::nullopt);
    }

    void charactersAreNamedByCodePoint_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("described");
        QTest::newRow("visible") << QString::fromUtf8("x\xe2\x82\xac") << QString::fromUtf8("\"\xe2\x82\xac\" (U+20AC)");
        QTest::newRow("invisible separator") << QString::fromUtf8("x\xe2\x80\xa8") << QString::fromUtf8("\"\xe2\x80\xa8\" (U+2028)");
        QTest::newRow("control") << QStringLiteral("x\t") << QStringLiteral("U+0009");
        QTest::newRow("surrogate pair, one character") << QString::fromUtf8("x\xf0\x9f\x98\x80")
                                                       << QString::fromUtf8("\"\xf0\x9f\x98\x80\" (U+1F600)");
        QTest::newRow("lone surrogate, alone") << (QStringLiteral("x") + QChar(0xd83d) + QStringLiteral("y"))
                                               << QStringLiteral("U+D83D");
    }

    void charactersAreNamedByCodePoint()
    {
        QFETCH(QString, text);
        QFETCH(QString, described);
        QCOMPARE(describeCharacterAt(text, 1), described);
    }
};

QTEST_GUILESS_MAIN(SettingChecksTest)
#include "test_rules_settings.moc"
