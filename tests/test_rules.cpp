// The input rules of both front ends and the command line's checks, as plain
// functions: each table row is one text with several keys or values.

#include "rules/InputRules.h"
#include "rules/SettingChecks.h"

#include <QtTest>

class InputRulesTest : public QObject
{
    Q_OBJECT

private slots:
    // Each key on a field's text (a rule ending in '*': the text selected),
    // one verdict letter per key: '.' accepted, '-' swallowed silently, '2'
    // and '6' the range messages to 32 and 26, 'n' the numbers one, 'p' the port's.
    void keys()
    {
        const QMap<QChar, QString> verdicts{
            {'.', ""}, {'-', "refused"}, {'2', "refused!Server config Error|Please enter a number between 2 and 32"},
            {'6', "refused!Server config Error|Please enter a number between 2 and 26"},
            {'n', "refused!Server config error|Only numbers can be enterd.\r\nPlayer support for 2 to 26(VC) or 32(III) players."},
            {'p', "refused!Server config Error|Only numbers can be enterd."}};
        const QStringList rows[] = {
            {"III", "3", "230a", ".2.2"}, {"III", "4", "0", "2"}, {"III", "30", "1\b", "2."}, {"III", "", "a5", "2."},
            {"III", "0", "\b", "."}, {"III", "1", "a", "n"}, {"III*", "32", "9", "."}, {"III*", "3", "x", "n"},
            {"VC", "2", "670", ".6."}, {"VC", "3", "0", "6"}, {"VC*", "26", "9", "."}, {"VC", "", "a\b", "6."},
            {"VC", "0", "9", "."}, {"VC", "2x", "7", "6"}, {"VC", "99999999999999999999999", "1", "6"},
            {"port", "", "0", "."}, {"port", "1", "9\b-\u00e9", "..pp"}, {"hour", "2", "43a", "-.-"}, {"hour", "1", "9", "."},
            {"hour", "5", "x", "."}, {"minute", "7", "67", "-."}, {"minute", "5", "6", "."}, {"minute", "", "6", "."},
            {"minute", "7a", "6", "."}};
        for (const QStringList &row : rows) {
            const QString &rule = row[0], &text = row[1];
            const auto family = rule.startsWith("III") ? GameFamily::Gta3 : GameFamily::ViceCity;
            for (qsizetype k = 0; k < row[2].size(); ++k) {
                const QChar key = row[2][k];
                const KeyVerdict judged = rule == "port" ? digitsOnlyKey(key)
                                        : rule == "hour" ? KeyVerdict{hourKeyAccepted(text, key), {}}
                                        : rule == "minute" ? KeyVerdict{minuteKeyAccepted(text, key), {}}
                                                           : playerCountKey(family, text, rule.endsWith('*'), key);
                const std::optional<OperatorMessage> &box = judged.message;
                const QString seen = (judged.accepted ? "" : "refused")
                                   + (box ? (box->icon == OperatorMessage::Icon::Exclamation ? "!" : "?") + box->title + '|' + box->text : QString());
                QCOMPARE(text + ' ' + key + ": " + seen, text + ' ' + key + ": " + verdicts.value(row[3][k]));
            }
        }
    }

    // A field's text turned into another, in pairs of text and result: the
    // spinners' steps with their wrap, the ASE port, and the Vice City limit
    // of 26 players (the classic editor's map rule, and the wizard's on leaving page 2).
    void texts()
    {
        const QStringList rows[] = {
            {"hour up", "23", "0", "22", "23", "30", "31", "", "1", "12a", "13"}, {"hour down", "0", "23", "", "23", "-5", "-6"},
            {"minute up", "59", "0"}, {"minute down", "0", "59", "05", "4"}, {"ase", "2003", "2126", "65412", "65535", "65413", "", "", "", "20a", ""},
            {"Vice City - Stunt", "27", "26", "26", "26", "26x", "26x", "30x", "26", "many", "many"},
            {"Vice City - Deathmatch", "27", "26"}, {"Vice", "40", "26"}, {"GTA3 - Portland", "32", "32"}, {"vice city - stunt", "30", "30"}};
        for (const QStringList &row : rows) {
            const QString &rule = row[0];
            for (qsizetype i = 1; i < row.size(); i += 2) {
                const QString &text = row[i], &result = row[i + 1];
                if (rule == "ase")
                    QCOMPARE(asePortText(text), result);
                else if (rule.contains(" - ") || rule == "Vice")
                    QCOMPARE(classicMapRulePlayers(rule, text), result);
                else
                    QCOMPARE(spinValue(text, rule.endsWith("up") ? 1 : -1, rule.startsWith("hour") ? 23 : 59), result);
                if (rule.startsWith("Vice City"))
                    QCOMPARE(viceCityPlayers(text), result);
            }
        }
    }

    // Every edge of the command line's table of accepted values, and of the
    // values set accepts that cannot work: '+' marks a value let through. The
    // rule each refusal tells is pinned where test_cli runs the refusals.
    void settingChecks()
    {
        using K = SettingKind;
        const auto vc = GameFamily::ViceCity;
        const QList<QString> maps = {"Vice City - Deathmatch", "Vice City - Stunt", "GTA3 - Portland", "GTA3 - Shore Side Vale",
                                     "GTA3 - Staunton Island"};
        const auto refusal = [&maps](SettingKind kind, GameFamily family) {
            return [=](const QString &value) { return bool(settingRefusal(kind, value, family, maps)); };
        };
        const QList<std::pair<std::function<bool(const QString &)>, QStringList>> rows = {
            {refusal(K::Port, vc), {"+0", "+99999", "123456", "", "20x3", "-1"}}, {refusal(K::OptionalPort, vc), {"+", "+12345", "123456", "x"}},
            {refusal(K::PlayerCount, vc), {"+2", "+26", "1", "27"}}, {refusal(K::Hour, vc), {"+0", "+23", "24", "007", ""}},
            {refusal(K::PlayerCount, GameFamily::Gta3), {"+2", "+32", "+032", "1", "33", "99999999999999999999999"}},
            {refusal(K::Map, vc), {"+1", "+5", "+gta3 - SHORE side vale", "+GTA III - Shore side Vale", "+gta iii - portland", "0", "6",
                                   "05", "GTA3 - Portland ", "", "GTA III-Portland", "GTA 3 - Portland", "GTA III - "}},
            {refusal(K::Minute, vc), {"+7", "+59", "60", "007"}}, {refusal(K::Switch, vc), {"+0", "+1", "2", "01", ""}},
            {refusal(K::Text, vc), {"+a \"b\" ~\u00a0\u00e9", QString::fromUtf8("\0b", 2), "a\x1f", "a\x7f", "a\u009f"}},
            {[](const QString &port) { return bool(portProblem(port)); }, {"+1", "+65535", "+00080", "+x", "+123456", "0", "00000", "65536", "99999"}},
            {[](const QString &name) { return bool(serverNameProblem(name)); }, {"+abc", "+   ", "", "ab"}}};
        for (const auto &[refused, values] : rows) {
            for (const QString &value : values)
                QVERIFY2(refused(value.mid(value.startsWith('+'))) != value.startsWith('+'), qPrintable(value));
        }
        QVERIFY(samePort("02003", "2003") && !samePort("2003", "2004") && !samePort("", ""));
    }
};

QTEST_GUILESS_MAIN(InputRulesTest)
#include "test_rules.moc"
