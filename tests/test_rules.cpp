#include "rules/InputRules.h"

#include <QtTest>

namespace {

const QString range32 = QStringLiteral("Please enter a number between 2 and 32");
const QString range26 = QStringLiteral("Please enter a number between 2 and 26");
const QString onlyNumbers = QStringLiteral("Only numbers can be enterd.\r\nPlayer support for 2 to 26(VC) or 32(III) players.");
const QChar backspace(8);

} // namespace

class InputRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void playerCount_data()
    {
        QTest::addColumn<GameFamily>("family");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("selection");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message"); // title and text, or empty

        const auto gta = GameFamily::Gta3;
        const auto vc = GameFamily::ViceCity;
        const QString e32 = "Server config Error|" + range32;
        const QString e26 = "Server config Error|" + range26;
        const QString num = "Server config error|" + onlyNumbers;

        QTest::newRow("gta 3 then 2") << gta << "3" << false << QChar('2') << true << "";
        QTest::newRow("gta 3 then 3") << gta << "3" << false << QChar('3') << false << e32;
        QTest::newRow("gta 30 then 1") << gta << "30" << false << QChar('1') << false << e32;
        QTest::newRow("gta 30 backspace") << gta << "30" << false << backspace << true << "";
        QTest::newRow("gta empty letter") << gta << "" << false << QChar('a') << false << e32;
        QTest::newRow("gta 3 letter") << gta << "3" << false << QChar('a') << false << e32;
        QTest::newRow("gta 1 letter") << gta << "1" << false << QChar('a') << false << num;
        QTest::newRow("gta 32 selected then 9") << gta << "32" << true << QChar('9') << true << "";
        QTest::newRow("gta 3 selected letter") << gta << "3" << true << QChar('x') << false << num;
        QTest::newRow("vc 2 then 6") << vc << "2" << false << QChar('6') << true << "";
        QTest::newRow("vc 2 then 7") << vc << "2" << false << QChar('7') << false << e26;
        QTest::newRow("vc 3 then 0") << vc << "3" << false << QChar('0') << false << e26;
        QTest::newRow("vc 26 selected then 9") << vc << "26" << true << QChar('9') << true << "";
        QTest::newRow("vc empty letter") << vc << "" << false << QChar('a') << false << e26;
        QTest::newRow("vc leading digits count") << vc << "2x" << false << QChar('7') << false << e26;
        QTest::newRow("vc huge value") << vc << "99999999999999999999999" << false << QChar('1') << false << e26;
        QTest::newRow("empty then digit") << gta << "" << false << QChar('5') << true << "";
        QTest::newRow("empty backspace") << vc << "" << false << backspace << true << "";
        QTest::newRow("0 then digit") << vc << "0" << false << QChar('9') << true << "";
        QTest::newRow("0 backspace") << gta << "0" << false << backspace << true << "";
        QTest::newRow("vc 2 then 0") << vc << "2" << false << QChar('0') << true << "";
        QTest::newRow("gta 3 then 0") << gta << "3" << false << QChar('0') << true << "";
        QTest::newRow("gta 4 then 0") << gta << "4" << false << QChar('0') << false << e32;
    }

    void playerCount()
    {
        QFETCH(GameFamily, family);
        QFETCH(QString, text);
        QFETCH(bool, selection);
        QFETCH(QChar, key);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        const KeyVerdict verdict = playerCountKey(family, text, selection, key);
        QCOMPARE(verdict.accepted, accepted);
        const QString shown = verdict.message ? verdict.message->title + "|" + verdict.message->text : QString();
        QCOMPARE(shown, message);
        if (verdict.message)
            QCOMPARE(verdict.message->icon, OperatorMessage::Icon::Exclamation);
    }

    void digitsOnly()
    {
        for (QChar key : {QChar('0'), QChar('9'), backspace})
            QVERIFY(digitsOnlyKey(key).accepted);
        for (QChar key : {QChar('-'), QChar('a'), QChar(' '), QChar(0xe9)}) {
            const KeyVerdict verdict = digitsOnlyKey(key);
            QVERIFY(!verdict.accepted);
            QCOMPARE(verdict.message->title, QStringLiteral("Server config Error"));
            QCOMPARE(verdict.message->text, QStringLiteral("Only numbers can be enterd."));
        }
    }

    void timeKeys_data()
    {
        QTest::addColumn<bool>("minute");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("hour 2 then 4") << false << "2" << QChar('4') << false;
        QTest::newRow("hour 2 then 3") << false << "2" << QChar('3') << true;
        QTest::newRow("hour 2 then letter") << false << "2" << QChar('a') << false;
        QTest::newRow("hour 1 then 9") << false << "1" << QChar('9') << true;
        QTest::newRow("hour 5 then 9") << false << "5" << QChar('9') << true;
        QTest::newRow("minute 7 then 6") << true << "7" << QChar('6') << false;
        QTest::newRow("minute 5 then 6") << true << "5" << QChar('6') << true;
        QTest::newRow("minute empty then 6") << true << "" << QChar('6') << true;
        QTest::newRow("minute non-number then 6") << true << "7a" << QChar('6') << true;
    }

    void timeKeys()
    {
        QFETCH(bool, minute);
        QFETCH(QString, text);
        QFETCH(QChar, key);
        QFETCH(bool, accepted);
        QCOMPARE(minute ? minuteKeyAccepted(text, key) : hourKeyAccepted(text, key), accepted);
    }

    void spinners_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("result");
        QTest::newRow("hour 0 down wraps") << "0" << -1 << 23 << "23";
        QTest::newRow("hour 23 up wraps") << "23" << 1 << 23 << "0";
        QTest::newRow("minute 59 up wraps") << "59" << 1 << 59 << "0";
        QTest::newRow("minute 0 down wraps") << "0" << -1 << 59 << "59";
        QTest::newRow("leading zero dropped") << "05" << -1 << 59 << "4";
        QTest::newRow("outside the range steps on") << "30" << 1 << 23 << "31";
        QTest::newRow("empty counts as 0") << "" << 1 << 23 << "1";
        QTest::newRow("empty down wraps") << "" << -1 << 23 << "23";
        QTest::newRow("letters after digits") << "12a" << 1 << 23 << "13";
        QTest::newRow("no digits") << "ab" << 1 << 59 << "1";
        QTest::newRow("negative steps on") << "-5" << -1 << 23 << "-6";
    }

    void spinners()
    {
        QFETCH(QString, text);
        QFETCH(int, step);
        QFETCH(int, maximum);
        QFETCH(QString, result);
        QCOMPARE(spinValue(text, step, maximum), result);
    }

    void hugeTextsStayPositiveNumbers()
    {
        bool ok = false;
        const qint64 up = spinValue(QStringLiteral("999999999999999999999999"), 1, 23).toLongLong(&ok);
        QVERIFY(ok);
        QVERIFY(up > 999999999);
    }

    void asePort_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("ase");
        QTest::newRow("default") << "2003" << "2126";
        QTest::newRow("after backspace") << "200" << "323";
        QTest::newRow("highest") << "65412" << "65535";
        QTest::newRow("too large") << "65413" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("not a number") << "20a" << "";
        QTest::newRow("huge") << "99999999999999999999" << "";
    }

    void asePort()
    {
        QFETCH(QString, port);
        QFETCH(QString, ase);
        QCOMPARE(asePortText(port), ase);
    }

    // A Vice City map holds 26 players at most: the classic editor's map
    // rule, and the wizard's correction on leaving the map page.
    void viceCityLimit_data()
    {
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("players");
        QTest::addColumn<QString>("after");
        QTest::newRow("Stunt, 27") << "Vice City - Stunt" << "27" << "26";
        QTest::newRow("Deathmatch, 27") << "Vice City - Deathmatch" << "27" << "26";
        QTest::newRow("Stunt, 26 stays") << "Vice City - Stunt" << "26" << "26";
        QTest::newRow("leading digits count") << "Vice City - Stunt" << "30x" << "26";
        QTest::newRow("typed Vice text") << "Vice" << "40" << "26";
        QTest::newRow("GTA III keeps 32") << "GTA3 - Portland" << "32" << "32";
        QTest::newRow("letter case counts") << "vice city - stunt" << "30" << "30";
        QTest::newRow("no number") << "Vice City - Stunt" << "many" << "many";
    }

    void viceCityLimit()
    {
        QFETCH(QString, map);
        QFETCH(QString, players);
        QFETCH(QString, after);
        QCOMPARE(classicMapRulePlayers(map, players), after);
        if (map.startsWith("Vice City"))
            QCOMPARE(viceCityPlayers(players), after);
    }
};

QTEST_GUILESS_MAIN(InputRulesTest)
#include "test_rules.moc"
