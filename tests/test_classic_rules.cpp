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

void typeKey(QWidget *field, QChar key)
{
    if (key == QChar(8))
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClick(field, key.toLatin1());
}

} // namespace

class TestClassicRules : public QObject
{
    Q_OBJECT

private slots:
    void playerCount_data();
    void playerCount();
    void portsTakeDigitsOnly_data();
    void portsTakeDigitsOnly();
    void timeKeys_data();
    void timeKeys();
    void spinners_data();
    void spinners();
    void spinnerArrowKeys();
    void mapRule_data();
    void mapRule();
};

void TestClassicRules::playerCount_data()
{
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("messages");

    const QChar backspace(8);
    QTest::newRow("GTA 3 then 2") << portland << "3" << false << QChar('2') << "32" << QStringList();
    QTest::newRow("GTA 3 then 3") << portland << "3" << false << QChar('3') << "3" << QStringList{range32};
    QTest::newRow("GTA 32 then 0") << portland << "32" << false << QChar('0') << "32" << QStringList{range32};
    QTest::newRow("GTA 1 then 5") << portland << "1" << false << QChar('5') << "15" << QStringList();
    QTest::newRow("GTA 32 selected, 9") << portland << "32" << true << QChar('9') << "9" << QStringList();
    QTest::newRow("GTA empty, a") << portland << "" << false << QChar('a') << "" << QStringList{range32};
    QTest::newRow("VC 2 then 7") << viceDm << "2" << false << QChar('7') << "2" << QStringList{range26};
    QTest::newRow("VC 2 then 6") << viceDm << "2" << false << QChar('6') << "26" << QStringList();
    QTest::newRow("VC 3 then 1") << viceDm << "3" << false << QChar('1') << "3" << QStringList{range26};
    QTest::newRow("VC 3 then backspace") << viceDm << "3" << false << backspace << "" << QStringList();
    QTest::newRow("VC 26 then backspace") << viceDm << "26" << false << backspace << "2" << QStringList();
    QTest::newRow("VC 3 selected, 7") << viceDm << "3" << true << QChar('7') << "7" << QStringList();
    QTest::newRow("VC 2 selected, 9") << viceDm << "2" << true << QChar('9') << "9" << QStringList();
    QTest::newRow("VC empty, a") << viceDm << "" << false << QChar('a') << "" << QStringList{range26};
    QTest::newRow("VC 1, a") << viceDm << "1" << false << QChar('a') << "1" << QStringList{notANumber};
    QTest::newRow("VC 1 selected, a") << viceDm << "1" << true << QChar('a') << "1" << QStringList{notANumber};
    QTest::newRow("typed map Vice") << "Vice" << "2" << false << QChar('7') << "2" << QStringList{range26};
    QTest::newRow("typed map gta") << "gta3" << "3" << false << QChar('1') << "3" << QStringList{range26};
}

void TestClassicRules::playerCount()
{
    QFETCH(QString, map);
    QFETCH(QString, text);
    QFETCH(bool, selected);
    QFETCH(QChar, key);
    QFETCH(QString, after);
    QFETCH(QStringList, messages);

    ClassicHarness harness;
    harness.open();
    harness.control<QComboBox>("cmbgamemode")->setEditText(map);
    auto *players = harness.control<QLineEdit>("txtplayers");
    players->setText(text);
    if (selected)
        players->selectAll();

    typeKey(players, key);

    QCOMPARE(players->text(), after);
    QCOMPARE(harness.dialogs.texts(), messages);
    for (const MessageBox::Shown &shown : std::as_const(harness.dialogs.messages))
        QCOMPARE(shown.icon, MessageBox::Icon::Exclamation);
}

void TestClassicRules::portsTakeDigitsOnly_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("messages");

    for (const char *field : {"txtport", "txtadminport"}) {
        const QString name = QString::fromLatin1(field);
        QTest::addRow("%s -", field) << name << QChar('-') << "12" << QStringList{onlyNumbers};
        QTest::addRow("%s x", field) << name << QChar('x') << "12" << QStringList{onlyNumbers};
        QTest::addRow("%s 7", field) << name << QChar('7') << "127" << QStringList();
        QTest::addRow("%s backspace", field) << name << QChar(8) << "1" << QStringList();
    }
}

void TestClassicRules::portsTakeDigitsOnly()
{
    QFETCH(QString, field);
    QFETCH(QChar, key);
    QFETCH(QString, after);
    QFETCH(QStringList, messages);

    ClassicHarness harness;
    harness.open();
    auto *port = harness.control<QLineEdit>(field.toLatin1());
    port->setText(QStringLiteral("12"));
    typeKey(port, key);
    QCOMPARE(port->text(), after);
    QCOMPARE(harness.dialogs.texts(), messages);
}

void TestClassicRules::timeKeys_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QString>("after");

    QTest::newRow("hour 2, 4") << "txthour" << "2" << QChar('4') << "2";
    QTest::newRow("hour 2, 3") << "txthour" << "2" << QChar('3') << "23";
    QTest::newRow("hour 2, a") << "txthour" << "2" << QChar('a') << "2";
    QTest::newRow("hour 1, 9") << "txthour" << "1" << QChar('9') << "19";
    QTest::newRow("hour 5, 9") << "txthour" << "5" << QChar('9') << "59";
    QTest::newRow("hour 12, x") << "txthour" << "12" << QChar('x') << "12x";
    QTest::newRow("minute 7, 6") << "txtminute" << "7" << QChar('6') << "7";
    QTest::newRow("minute 7, 7") << "txtminute" << "7" << QChar('7') << "77";
    QTest::newRow("minute 5, 6") << "txtminute" << "5" << QChar('6') << "56";
    QTest::newRow("minute empty, 6") << "txtminute" << "" << QChar('6') << "6";
    // A text that spells no number has no value to compare; the key passes.
    QTest::newRow("minute 9a, 6") << "txtminute" << "9a" << QChar('6') << "9a6";
}

void TestClassicRules::timeKeys()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QChar, key);
    QFETCH(QString, after);

    ClassicHarness harness;
    harness.open();
    auto *edit = harness.control<QLineEdit>(field.toLatin1());
    edit->setText(text);
    typeKey(edit, key);
    QCOMPARE(edit->text(), after);
    QCOMPARE(harness.dialogs.messages.size(), 0);
}

void TestClassicRules::spinners_data()
{
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");

    QTest::newRow("hour 23 up") << "UDhourUp" << "txthour" << "23" << "0";
    QTest::newRow("hour 0 down") << "UDhourDown" << "txthour" << "0" << "23";
    QTest::newRow("hour 12 up") << "UDhourUp" << "txthour" << "12" << "13";
    QTest::newRow("hour 05 down") << "UDhourDown" << "txthour" << "05" << "4";
    QTest::newRow("hour 30 up") << "UDhourUp" << "txthour" << "30" << "31";
    QTest::newRow("hour empty up") << "UDhourUp" << "txthour" << "" << "1";
    QTest::newRow("hour empty down") << "UDhourDown" << "txthour" << "" << "23";
    QTest::newRow("hour 7x up") << "UDhourUp" << "txthour" << "7x" << "8";
    QTest::newRow("minute 59 up") << "udminuteUp" << "txtminute" << "59" << "0";
    QTest::newRow("minute 0 down") << "udminuteDown" << "txtminute" << "0" << "59";
    QTest::newRow("minute 30 down") << "udminuteDown" << "txtminute" << "30" << "29";
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
