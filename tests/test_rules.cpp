// The input rules of both front ends and the command line's checks, as plain
// functions: each table row is one text with several keys or values.

#include "rules/InputRules.h"
#include "rules/SettingChecks.h"

#include <QtTest>

class InputRulesTest : public QObject
{
    Q_OBJECT

private slots:
    // Each key on a field's text, one verdict letter per key: '.' accepted,
    // '-' swallowed silently, 'r' the range message, 'n' the numbers one, 'p' the port's.
    void keys()
    {
        const QMap<QChar, QString> messages{
            {'2', "Server config Error|Please enter a number between 2 and 32"},
            {'6', "Server config Error|Please enter a number between 2 and 26"},
            {'n', "Server config error|Only numbers can be enterd.\r\nPlayer support for 2 to 26(VC) or 32(III) players."},
            {'p', "Server config Error|Only numbers can be enterd."}};
        struct Row { QString rule, text; bool selection; QString keys, verdicts; };
        const Row rows[] = {
            {"III", "3", false, "230a", ".r.r"}, {"III", "4", false, "0", "r"}, {"III", "30", false, "1\b", "r."},
            {"III", "", false, "a5", "r."}, {"III", "0", false, "\b", "."}, {"III", "1", false, "a", "n"},
            {"III", "32", true, "9", "."}, {"III", "3", true, "x", "n"},
            {"VC", "2", false, "670", ".r."}, {"VC", "3", false, "0", "r"}, {"VC", "26", true, "9", "."},
            {"VC", "", false, "a\b", "r."}, {"VC", "0", false, "9", "."}, {"VC", "2x", false, "7", "r"},
            {"VC", "99999999999999999999999", false, "1", "r"},
            {"port", "", false, "0", "."}, {"port", "1", false, "9\b-\u00e9", "..pp"},
            {"hour", "2", false, "43a", "-.-"}, {"hour", "1", false, "9", "."}, {"hour", "5", false, "x", "."},
            {"minute", "7", false, "67", "-."}, {"minute", "5", false, "6", "."}, {"minute", "", false, "6", "."},
            {"minute", "7a", false, "6", "."},
        };
        for (const Row &row : rows) {
            for (qsizetype k = 0; k < row.keys.size(); ++k) {
                const QChar key = row.keys.at(k), verdict = row.verdicts.at(k);
                QString seen;
                if (row.rule == "hour" || row.rule == "minute") {
                    seen = (row.rule == "hour" ? hourKeyAccepted(row.text, key) : minuteKeyAccepted(row.text, key)) ? "" : "-";
                } else {
                    const KeyVerdict judged = row.rule == "port" ? digitsOnlyKey(key)
                        : playerCountKey(row.rule == "III" ? GameFamily::Gta3 : GameFamily::ViceCity, row.text, row.selection, key);
                    QCOMPARE(judged.accepted, verdict == '.');
                    if (judged.message) {
                        QCOMPARE(judged.message->icon, OperatorMessage::Icon::Exclamation);
                        seen = judged.message->title + "|" + judged.message->text;
                    }
                }
                const QChar message = verdict != 'r' ? verdict : row.rule == "III" ? QChar('2') : QChar('6');
                const QString expected = verdict == '-' ? "-" : messages.value(message);
                QCOMPARE(row.rule + " " + row.text + " " + key + ": " + seen, row.rule + " " + row.text + " " + key + ": " + expected);
            }
        }
    }

    // A field's text turned into another, in pairs of text and result: the
    // spinners' steps with their wrap, the ASE port, and the Vice City limit
    // of 26 players (the classic editor's map rule, and the wizard's on leaving page 2).
    void texts()
    {
        struct Row { QString rule, map; QStringList pairs; };
        const Row rows[] = {
            {"hour up", "", {"23", "0", "22", "23", "30", "31", "", "1", "12a", "13"}},
            {"hour down", "", {"0", "23", "", "23", "-5", "-6"}},
            {"minute up", "", {"59", "0"}},
            {"minute down", "", {"0", "59", "05", "4"}},
            {"ase", "", {"2003", "2126", "65412", "65535", "65413", "", "", "", "20a", ""}},
            {"map", "Vice City - Stunt", {"27", "26", "26", "26", "26x", "26x", "30x", "26", "many", "many"}},
            {"map", "Vice City - Deathmatch", {"27", "26"}},
            {"map", "Vice", {"40", "26"}},
            {"map", "GTA3 - Portland", {"32", "32"}},
            {"map", "vice city - stunt", {"30", "30"}},
        };
        for (const Row &row : rows) {
            for (qsizetype i = 0; i < row.pairs.size(); i += 2) {
                const QString &text = row.pairs.at(i), &result = row.pairs.at(i + 1);
                if (row.rule == "ase") {
                    QCOMPARE(asePortText(text), result);
                } else if (row.rule == "map") {
                    QCOMPARE(classicMapRulePlayers(row.map, text), result);
                    if (row.map.startsWith("Vice City"))
                        QCOMPARE(viceCityPlayers(text), result);
                } else {
                    QCOMPARE(spinValue(text, row.rule.endsWith("up") ? 1 : -1, row.rule.startsWith("hour") ? 23 : 59), result);
                }
            }
        }
    }

    // Every edge of the command line's table of accepted values. The rule each
    // refusal tells is pinned where test_cli runs the refusals.
    void settingChecks()
    {
        using K = SettingKind;
        const auto vc = GameFamily::ViceCity;
        struct Row { SettingKind kind; GameFamily family; QStringList accepted, refused; };
        const Row rows[] = {
            {K::Port, vc, {"0", "99999"}, {"123456", "", "20x3", "-1"}},
            {K::OptionalPort, vc, {"", "12345"}, {"123456", "x"}},
            {K::PlayerCount, vc, {"2", "26"}, {"1", "27"}},
            {K::PlayerCount, GameFamily::Gta3, {"2", "32", "032"}, {"1", "33", "99999999999999999999999"}},
            {K::Map, vc, {"1", "5", "gta3 - SHORE side vale", "GTA III - Shore side Vale", "gta iii - portland"},
             {"0", "6", "05", "GTA3 - Portland ", "", "GTA III-Portland", "GTA 3 - Portland", "GTA III - "}},
            {K::Hour, vc, {"0", "23"}, {"24", "007", ""}},
            {K::Minute, vc, {"7", "59"}, {"60", "007"}},
            {K::Switch, vc, {"0", "1"}, {"2", "01", ""}},
            {K::Text, vc, {"a \"b\" ~\u00a0\u00e9"}, {QString::fromUtf8("\0b", 2), "a\x1f", "a\x7f", "a\u009f"}},
        };
        const QList<QString> maps = {"Vice City - Deathmatch", "Vice City - Stunt", "GTA3 - Portland",
                                     "GTA3 - Shore Side Vale", "GTA3 - Staunton Island"};
        for (const Row &row : rows) {
            for (const QString &value : row.accepted)
                QVERIFY2(!settingRefusal(row.kind, value, row.family, maps), qPrintable(value));
            for (const QString &value : row.refused)
                QVERIFY2(settingRefusal(row.kind, value, row.family, maps), qPrintable(value));
        }
    }

    // Values set accepts that cannot work; a value set refuses is left to that rule.
    void workableValues()
    {
        for (const char *port : {"1", "65535", "00080", "x", "123456"})
            QVERIFY2(!portProblem(port), port);
        for (const char *port : {"0", "00000", "65536", "99999"})
            QVERIFY2(portProblem(port), port);
        for (const char *name : {"abc", "   "})
            QVERIFY2(!serverNameProblem(name), name);
        QVERIFY(serverNameProblem("") && serverNameProblem("ab"));
        QVERIFY(samePort("02003", "2003") && !samePort("2003", "2004") && !samePort("", ""));
    }
};

QTEST_GUILESS_MAIN(InputRulesTest)
#include "test_rules.moc"
