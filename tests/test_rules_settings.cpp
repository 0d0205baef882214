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
    // The edges of the accepted ranges the command line's own tests do not
    // reach, typed from its table of checks.
    void acceptedValues_data()
    {
        QTest::addColumn<SettingKind>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<GameFamily>("family");
        QTest::addColumn<bool>("accepted");
        const auto vc = GameFamily::ViceCity;
        const auto gta = GameFamily::Gta3;
        QTest::newRow("port 0") << SettingKind::Port << "0" << vc << true;
        QTest::newRow("port 99999") << SettingKind::Port << "99999" << vc << true;
        QTest::newRow("port of other digits") << SettingKind::Port << QString::fromUtf8("\xd9\xa3") << vc << false;
        QTest::newRow("admin port 00001") << SettingKind::OptionalPort << "00001" << vc << true;
        QTest::newRow("admin port space") << SettingKind::OptionalPort << " " << vc << false;
        QTest::newRow("players 2") << SettingKind::PlayerCount << "2" << vc << true;
        QTest::newRow("players 26 VC") << SettingKind::PlayerCount << "26" << vc << true;
        QTest::newRow("players 032 GTA") << SettingKind::PlayerCount << "032" << gta << true;
        QTest::newRow("players +5") << SettingKind::PlayerCount << "+5" << gta << false;
        QTest::newRow("players too long to read") << SettingKind::PlayerCount << "99999999999999999999999" << gta << false;
        QTest::newRow("map 05") << SettingKind::Map << "05" << vc << false;
        QTest::newRow("map name in other case") << SettingKind::Map << "gta3 - SHORE side vale" << vc << true;
        QTest::newRow("map name with a space more") << SettingKind::Map << "GTA3 - Portland " << vc << false;
        QTest::newRow("hour 09") << SettingKind::Hour << "09" << vc << true;
        QTest::newRow("hour empty") << SettingKind::Hour << "" << vc << false;
        QTest::newRow("minute 59") << SettingKind::Minute << "59" << vc << true;
        QTest::newRow("switch 01") << SettingKind::Switch << "01" << vc << false;
        QTest::newRow("text DEL") << SettingKind::Text << "a\x7f" << vc << false;
        QTest::newRow("text C1 control") << SettingKind::Text << QString(QChar(0x85)) << vc << false;
        QTest::newRow("text NUL") << SettingKind::Text << QString::fromUtf8("a\0b", 3) << vc << false;
        QTest::newRow("text quote") << SettingKind::Text << "a \"b\"" << vc << true;
    }

    void acceptedValues()
    {
        QFETCH(SettingKind, kind);
        QFETCH(QString, value);
        QFETCH(GameFamily, family);
        QFETCH(bool, accepted);
        QCOMPARE(!settingRefusal(kind, value, family, mapNames).has_value(), accepted);
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
                                               << QString("\"") + QChar(0xd83d) + "\" (U+D83D)";
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
