// The input rules of both front ends as plain functions, one table per kind:
// the key rules, and the rules that turn a field's text into another.

#include "rules/InputRules.h"

#include <QtTest>

class InputRulesTest : public QObject
{
    Q_OBJECT

private slots:
    // Each key rule on a field's text: "" accepted, "-" swallowed silently,
    // otherwise refused with "title|text".
    void keys_data()
    {
        QTest::addColumn<QString>("rule"); // III or VC (players), port, hour, minute
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("selection");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("verdict");
        const QString e32 = "Server config Error|Please enter a number between 2 and 32";
        const QString e26 = "Server config Error|Please enter a number between 2 and 26";
        const QString num = "Server config error|Only numbers can be enterd.\r\nPlayer support for 2 to 26(VC) or 32(III) players.";
        const QString port = "Server config Error|Only numbers can be enterd.";
        const QChar bs(8);
        QTest::newRow("III 3 then 2") << "III" << "3" << false << QChar('2') << "";
        QTest::newRow("III 3 then 3") << "III" << "3" << false << QChar('3') << e32;
        QTest::newRow("III 3 then 0") << "III" << "3" << false << QChar('0') << "";
        QTest::newRow("III 4 then 0") << "III" << "4" << false << QChar('0') << e32;
        QTest::newRow("III 30 then 1") << "III" << "30" << false << QChar('1') << e32;
        QTest::newRow("III 30 backspace") << "III" << "30" << false << bs << "";
        QTest::newRow("III empty letter") << "III" << "" << false << QChar('a') << e32;
        QTest::newRow("III empty digit") << "III" << "" << false << QChar('5') << "";
        QTest::newRow("III 0 backspace") << "III" << "0" << false << bs << "";
        QTest::newRow("III 3 letter") << "III" << "3" << false << QChar('a') << e32;
        QTest::newRow("III 1 letter") << "III" << "1" << false << QChar('a') << num;
        QTest::newRow("III 32 selected, 9") << "III" << "32" << true << QChar('9') << "";
        QTest::newRow("III 3 selected, letter") << "III" << "3" << true << QChar('x') << num;
        QTest::newRow("VC 2 then 6") << "VC" << "2" << false << QChar('6') << "";
        QTest::newRow("VC 2 then 7") << "VC" << "2" << false << QChar('7') << e26;
        QTest::newRow("VC 2 then 0") << "VC" << "2" << false << QChar('0') << "";
        QTest::newRow("VC 3 then 0") << "VC" << "3" << false << QChar('0') << e26;
        QTest::newRow("VC 26 selected, 9") << "VC" << "26" << true << QChar('9') << "";
        QTest::newRow("VC empty letter") << "VC" << "" << false << QChar('a') << e26;
        QTest::newRow("VC empty backspace") << "VC" << "" << false << bs << "";
        QTest::newRow("VC 0 then 9") << "VC" << "0" << false << QChar('9') << "";
        QTest::newRow("VC leading digits count") << "VC" << "2x" << false << QChar('7') << e26;
        QTest::newRow("VC huge value") << "VC" << "99999999999999999999999" << false << QChar('1') << e26;
        QTest::newRow("port 0") << "port" << "" << false << QChar('0') << "";
        QTest::newRow("port 9") << "port" << "1" << false << QChar('9') << "";
        QTest::newRow("port backspace") << "port" << "1" << false << bs << "";
        QTest::newRow("port minus") << "port" << "1" << false << QChar('-') << port;
        QTest::newRow("port e acute") << "port" << "1" << false << QChar(0xe9) << port;
        QTest::newRow("hour 2 then 4") << "hour" << "2" << false << QChar('4') << "-";
        QTest::newRow("hour 2 then 3") << "hour" << "2" << false << QChar('3') << "";
        QTest::newRow("hour 2 then letter") << "hour" << "2" << false << QChar('a') << "-";
        QTest::newRow("hour 1 then 9") << "hour" << "1" << false << QChar('9') << "";
        QTest::newRow("hour letter") << "hour" << "5" << false << QChar('x') << "";
        QTest::newRow("minute 7 then 6") << "minute" << "7" << false << QChar('6') << "-";
        QTest::newRow("minute 5 then 6") << "minute" << "5" << false << QChar('6') << "";
        QTest::newRow("minute 7 then 7") << "minute" << "7" << false << QChar('7') << "";
        QTest::newRow("minute empty then 6") << "minute" << "" << false << QChar('6') << "";
        QTest::newRow("minute not a number then 6") << "minute" << "7a" << false << QChar('6') << "";
    }

    void keys()
    {
        QFETCH(QString, rule);
        QFETCH(QString, text);
        QFETCH(bool, selection);
        QFETCH(QChar, key);
        QFETCH(QString, verdict);
        QString seen;
        if (rule == "hour" || rule == "minute") {
            seen = (rule == "hour" ? hourKeyAccepted(text, key) : minuteKeyAccepted(text, key)) ? "" : "-";
        } else {
            const KeyVerdict judged = rule == "port" ? digitsOnlyKey(key)
                                                     : playerCountKey(rule == "III" ? GameFamily::Gta3 : GameFamily::ViceCity, text, selection, key);
            QCOMPARE(judged.accepted, verdict.isEmpty());
            if (judged.message) {
                QCOMPARE(judged.message->icon, OperatorMessage::Icon::Exclamation);
                seen = judged.message->title + "|" + judged.message->text;
            }
        }
        QCOMPARE(seen, verdict);
    }

    // A field's text turned into another: the spinners' steps with their
    // wrap, the ASE port, and the Vice City limit of 26 players (the classic
    // editor's map rule, and the wizard's correction on leaving page 2).
    void texts_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("result");
        QTest::newRow("hour 0 down wraps") << "hour down" << "0" << "" << "23";
        QTest::newRow("hour 23 up wraps") << "hour up" << "23" << "" << "0";
        QTest::newRow("hour 22 up") << "hour up" << "22" << "" << "23";
        QTest::newRow("minute 59 up wraps") << "minute up" << "59" << "" << "0";
        QTest::newRow("minute 0 down wraps") << "minute down" << "0" << "" << "59";
        QTest::newRow("leading zero dropped") << "minute down" << "05" << "" << "4";
        QTest::newRow("outside the range steps on") << "hour up" << "30" << "" << "31";
        QTest::newRow("empty up") << "hour up" << "" << "" << "1";
        QTest::newRow("empty down wraps") << "hour down" << "" << "" << "23";
        QTest::newRow("letters after digits") << "hour up" << "12a" << "" << "13";
        QTest::newRow("negative steps on") << "hour down" << "-5" << "" << "-6";
        QTest::newRow("ASE default") << "ase" << "2003" << "" << "2126";
        QTest::newRow("ASE highest") << "ase" << "65412" << "" << "65535";
        QTest::newRow("ASE too large") << "ase" << "65413" << "" << "";
        QTest::newRow("ASE empty") << "ase" << "" << "" << "";
        QTest::newRow("ASE not a number") << "ase" << "20a" << "" << "";
        QTest::newRow("Stunt, 27") << "map" << "27" << "Vice City - Stunt" << "26";
        QTest::newRow("Deathmatch, 27") << "map" << "27" << "Vice City - Deathmatch" << "26";
        QTest::newRow("Stunt, 26 stays") << "map" << "26" << "Vice City - Stunt" << "26";
        QTest::newRow("Stunt, 26x stays") << "map" << "26x" << "Vice City - Stunt" << "26x";
        QTest::newRow("leading digits count") << "map" << "30x" << "Vice City - Stunt" << "26";
        QTest::newRow("typed Vice text") << "map" << "40" << "Vice" << "26";
        QTest::newRow("GTA III keeps 32") << "map" << "32" << "GTA3 - Portland" << "32";
        QTest::newRow("letter case counts") << "map" << "30" << "vice city - stunt" << "30";
        QTest::newRow("no number") << "map" << "many" << "Vice City - Stunt" << "many";
    }

    void texts()
    {
        QFETCH(QString, rule);
        QFETCH(QString, text);
        QFETCH(QString, map);
        QFETCH(QString, result);
        if (rule == "ase") {
            QCOMPARE(asePortText(text), result);
        } else if (rule == "map") {
            QCOMPARE(classicMapRulePlayers(map, text), result);
            if (map.startsWith("Vice City"))
                QCOMPARE(viceCityPlayers(text), result);
        } else {
            QCOMPARE(spinValue(text, rule.endsWith("up") ? 1 : -1, rule.startsWith("hour") ? 23 : 59), result);
        }
    }
};

QTEST_GUILESS_MAIN(InputRulesTest)
#include "test_rules.moc"
