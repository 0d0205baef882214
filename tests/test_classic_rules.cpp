// The classic editor's field rules, driven by keys and clicks as the
// operator gives them.

#include "test_classic_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace {

const QString range26 = QStringLiteral("Server config Error: Please enter a number between 2 and 26");
const QString range32 = QStringLiteral("Server config Error: Please enter a number between 2 and 32");
const QString onlyNumbers = QStringLiteral("Server config Error: Only numbers can be enterd.");
const QString notANumber = QStringLiteral(
    "Server config error: Only numbers can be enterd.\r\nPlayer support for 2 to 26(VC) or 32(III) players.");

const QString viceDm = QStringLiteral("Vice City - Deathmatch");
const QString portland = QStringLiteral("GTA3 - Portland");

} // namespace

class TestClassicRules : public QObject
{
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void spinners_data();
    void spinners();
    void spinnerArrowKeys();
    void mapRule_data();
    void mapRule();
};

void TestClassicRules::keys_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("messages");

    const auto row = [](const char *tag, const char *field, const QString &map, const char *text, bool selected,
                        QChar key, const char *after, const QStringList &messages = {}) {
        QTest::newRow(tag) << QString::fromLatin1(field) << map << QString::fromLatin1(text) << selected << key
                           << QString::fromLatin1(after) << messages;
    };
    const QChar backspace(8);
    row("GTA 3, 2", "txtplayers", portland, "3", false, '2', "32");
    row("GTA 3, 3", "txtplayers", portland, "3", false, '3', "3", {range32});
    row("GTA 32, 0", "txtplayers", portland, "32", false, '0', "32", {range32});
    row("GTA 1, 5", "txtplayers", portland, "1", false, '5', "15");
    row("GTA 32 selected, 9", "txtplayers", portland, "32", true, '9', "9");
    row("GTA empty, a", "txtplayers", portland, "", false, 'a', "", {range32});
    row("VC 2, 7", "txtplayers", viceDm, "2", false, '7', "2", {range26});
    row("VC 2, 6", "txtplayers", viceDm, "2", false, '6', "26");
    row("VC 3, 1", "txtplayers", viceDm, "3", false, '1', "3", {range26});
    row("VC 26, backspace", "txtplayers", viceDm, "26", false, backspace, "2");
    row("VC 3 selected, 7", "txtplayers", viceDm, "3", true, '7', "7");
    row("VC empty, a", "txtplayers", viceDm, "", false, 'a', "", {range26});
    row("VC 1, a", "txtplayers", viceDm, "1", false, 'a', "1", {notANumber});
    row("VC 1 selected, a", "txtplayers", viceDm, "1", true, 'a', "1", {notANumber});
    // The family comes from the text's exact "GTA" prefix.
    row("typed gta3, 3, 1", "txtplayers", "gta3", "3", false, '1', "3", {range26});
    row("port -", "txtport", viceDm, "12", false, '-', "12", {onlyNumbers});
    row("port 7", "txtport", viceDm, "12", false, '7', "127");
    row("port backspace", "txtport", viceDm, "12", false, backspace, "1");
    row("admin port x", "txtadminport", viceDm, "12", false, 'x', "12", {onlyNumbers});
    row("admin port 7", "txtadminport", viceDm, "12", false, '7', "127");
    row("hour 2, 4", "txthour", viceDm, "2", false, '4', "2");
    row("hour 2, 3", "txthour", viceDm, "2", false, '3', "23");
    row("hour 1, 9", "txthour", viceDm, "1", false, '9', "19");
    row("hour 5, 9", "txthour", viceDm, "5", false, '9', "59");
    row("hour 12, x", "txthour", viceDm, "12", false, 'x', "12x");
    row("minute 7, 6", "txtminute", viceDm, "7", false, '6', "7");
    row("minute 7, 7", "txtminute", viceDm, "7", false, '7', "77");
    row("minute 5, 6", "txtminute", viceDm, "5", false, '6', "56");
    row("minute empty, 6", "txtminute", viceDm, "", false, '6', "6");
    // A text that spells no number has no value to compare; the key passes.
    row("minute 9a, 6", "txtminute", viceDm, "9a", false, '6', "9a6");
}

void TestClassicRules::keys()
{
    QFETCH(QString, field);
    QFETCH(QString, map);
    QFETCH(QString, text);
    QFETCH(bool, selected);
    QFETCH(QChar, key);
    QFETCH(QString, after);
    QFETCH(QStringList, messages);

    ClassicHarness harness;
    harness.open();
    harness.control<QComboBox>("cmbgamemode")->setEditText(map);
    auto *edit = harness.control<QLineEdit>(field.toLatin1());
    edit->setText(text);
    if (selected)
        edit->selectAll();

    if (key == QChar(8))
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClick(edit, key.toLatin1());

    QCOMPARE(edit->text(), after);
    QCOMPARE(harness.dialogs.texts(), messages);
    for (const MessageBox::Shown &shown : std::as_const(harness.dialogs.messages))
        QCOMPARE(shown.icon, MessageBox::Icon::Exclamation);
}

void TestClassicRules::spinners_data()
{
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");

    QTest::newRow("hour 23 up") << "UDhourUp" << "txthour" << "23" << "0";
    QTest::newRow("hour 0 down") << "UDhourDown" << "txthour" << "0" << "23";
    QTest::newRow("hour 05 down") << "UDhourDown" << "txthour" << "05" << "4";
    QTest::newRow("hour 30 up") << "UDhourUp" << "txthour" << "30" << "31";
    QTest::newRow("hour empty up") << "UDhourUp" << "txthour" << "" << "1";
    QTest::newRow("hour 7x up") << "UDhourUp" << "txthour" << "7x" << "8";
    QTest::newRow("minute 59 up") << "udminuteUp" << "txtminute" << "59" << "0";
    QTest::newRow("minute 0 down") << "udminuteDown" << "txtminute" << "0" << "59";
    QTest::newRow("minute 60 up") << "udminuteUp" << "txtminute" << "60" << "61";
}

void TestClassicRules::spinners()
{
    QFETCH(QString, arrow);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, after);

    ClassicHarness harness;
    harness.open();
    auto *edit = harness.control<QLineEdit>(field.toLatin1());
    edit->setText(text);
    QTest::mouseClick(harness.control<QToolButton>(arrow.toLatin1()), Qt::LeftButton);
    QCOMPARE(edit->text(), after);
    // The other time field is not touched.
    QCOMPARE(harness.classic->fields().txthour, field == "txthour" ? after : QStringLiteral("12"));
    QCOMPARE(harness.classic->fields().txtminute, field == "txtminute" ? after : QStringLiteral("30"));
}

void TestClassicRules::spinnerArrowKeys()
{
    ClassicHarness harness;
    harness.open();
    auto *up = harness.control<QToolButton>("udminuteUp");
    up->setFocus();
    QTest::keyClick(up, Qt::Key_Up);
    QCOMPARE(harness.classic->fields().txtminute, QStringLiteral("31"));
    QTest::keyClick(up, Qt::Key_Down);
    QTest::keyClick(up, Qt::Key_Down);
    QCOMPARE(harness.classic->fields().txtminute, QStringLiteral("29"));
}

void TestClassicRules::mapRule_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("players");
    QTest::addColumn<QString>("typed");   // typed into the edit part, or
    QTest::addColumn<int>("arrowSteps");  // picked with the arrow keys
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("after");

    QTest::newRow("typed Stunt, 32") << portland << "32" << "Vice City - Stunt" << 0 << "Vice City - Stunt" << "26";
    QTest::newRow("typed Stunt, 3") << portland << "3" << "Vice City - Stunt" << 0 << "Vice City - Stunt" << "3";
    QTest::newRow("typed Vice, 30") << portland << "30" << "Vice" << 0 << "Vice" << "26";
    QTest::newRow("typed vice, 30") << portland << "30" << "vice" << 0 << "vice" << "30";
    QTest::newRow("typed Portland, 32") << viceDm << "32" << portland << 0 << portland << "32";
    QTest::newRow("picked Deathmatch, 30") << "GTA3 - Staunton Island" << "30" << "" << 1 << viceDm << "26";
    QTest::newRow("picked Stunt, 27") << "GTA3 - Staunton Island" << "27" << "" << 2 << "Vice City - Stunt" << "26";
    QTest::newRow("picked Shore Side, 32") << portland << "32" << "" << 1 << "GTA3 - Shore Side Vale" << "32";
    QTest::newRow("picked back to GTA, 26") << viceDm << "26" << "" << -1 << "GTA3 - Staunton Island" << "26";
}

void TestClassicRules::mapRule()
{
    QFETCH(QString, from);
    QFETCH(QString, players);
    QFETCH(QString, typed);
    QFETCH(int, arrowSteps);
    QFETCH(QString, map);
    QFETCH(QString, after);

    ClassicHarness harness;
    harness.open();
    auto *combo = harness.control<QComboBox>("cmbgamemode");
    combo->setEditText(from);
    auto *count = harness.control<QLineEdit>("txtplayers");
    count->setText(players);

    if (!typed.isEmpty()) {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), typed);
    }
    for (int step = 0; step < qAbs(arrowSteps); ++step)
        QTest::keyClick(combo, arrowSteps > 0 ? Qt::Key_Down : Qt::Key_Up);

    QCOMPARE(combo->currentText(), map);
    QCOMPARE(count->text(), after);
    QCOMPARE(harness.dialogs.messages.size(), 0);
}

QTEST_MAIN(TestClassicRules)
#include "test_classic_rules.moc"
