// The windows worked from the keyboard, and the wiring of each field's rule
// in both front ends: real key clicks into shown, active windows. The rules'
// own tables are in test_rules.cpp.

#include "support/ToolRun.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// A key pressed in `field` on wizard page `page` (0: the classic editor),
// after `map` is chosen (a wizard option button; the classic list's text).
// With `on`, the key goes to that control instead, or with no key it is
// clicked, or `sent` is typed into it (the classic map list).
struct KeyRow {
    int page;
    QString map, field, text;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    // message: none when empty; sent: the event's text, where a real
    // keyboard sends one Qt's test tools do not
    QString after, message = {}, on = {}, sent = {};
    bool selected = false; // the field's text selected before the key
};

} // namespace

Q_DECLARE_METATYPE(KeyRow)

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    // Enter on a focused button (the row's name is its caption) presses it:
    // the file it writes (the started server's mark) appears and its window goes.
    void enterPressesFocusedButton_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("button");
        QTest::newRow("Launch!") << "wizard" << "cmdnext";
        QTest::newRow("Save && return") << "classic -listen" << "Command2";
        QTest::newRow("Save and go back") << "MOTD editor" << "Command1";
    }
    void enterPressesFocusedButton()
    {
        QFETCH(QString, kind);
        ToolRun tool;
        tool.show(kind);
        tool.folder.writeStandInServer();
        tool.enterPages(kind == "wizard" ? 7 : 0);
        QFETCH(QString, button);
        QPointer<QPushButton> pressed = tool.get<QPushButton>(button);
        QCOMPARE(pressed->text(), QString::fromLatin1(QTest::currentDataTag()));
        pressed->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pressed, Qt::Key_Return);
        QTRY_VERIFY(tool.folder.exists(QTest::currentDataTag() == QByteArray("Launch!") ? "server-started" : button == "Command2" ? "kvxserver.conf" : "motd.txt"));
        QVERIFY(pressed.isNull() || !pressed->isVisible());
        QCOMPARE(tool.dialogs.texts(), QStringList());
    }

    // Where the focus is when a window or wizard page appears (by Enter on
    // Next; or, after choosing `map` on page 2, by Alt+B from page 3), and
    // the round Tab and Shift+Tab make from there: on the wizard, the page's
    // fields before the buttons; a spinner takes the focus on its up arrow.
    void focusAndTabOrder_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("round");
        const QString buttons = " cmdabout cmdback cmdcancel cmdnext";
        QTest::newRow("1") << "wizard" << 1 << "" << "OptWizard chkremember cmdabout cmdcancel cmdnext";
        QTest::newRow("2") << "wizard" << 2 << "" << "optgta3portland" + buttons;
        QTest::newRow("2, Vice City chosen") << "wizard" << 2 << "optvicedm" << "optvicedm" + buttons;
        QTest::newRow("3") << "wizard" << 3 << "" << "txtserver txtport ChkASE" + buttons;
        QTest::newRow("4") << "wizard" << 4 << "" << "txtplayers" + buttons;
        QTest::newRow("5") << "wizard" << 5 << "" << "txthour UDhourUp txtminute udminuteUp chkweather" + buttons;
        QTest::newRow("6") << "wizard" << 6 << ""
                           << "txtpwd chkadmin chkshutdown chkadminplus txtadminport txtadminpwd txtadminpluspwd" + buttons;
        QTest::newRow("7") << "wizard" << 7 << "" << "chkmotd cmdchangemotd" + buttons;
        QTest::newRow("MOTD editor") << "MOTD editor" << 1 << "" << "Command1 txtmotd txturl";
        QTest::newRow("classic") << "classic" << 2 << ""
                                 << "txtplayers txtport cmbgamemode txtpwd chkmotd Text8 Check5 chkadmin chkshutdown "
                                    "txtadminport txtadminpwd Command2 Command3 Command1 ChkASE txthour txtminute "
                                    "udminuteUp UDhourUp chkweather chkadminplus txtadminpluspwd Command4 txturl txtserver";
    }
    void focusAndTabOrder()
    {
        QFETCH(QString, kind);
        QFETCH(int, page);
        QFETCH(QString, map);
        ToolRun tool;
        tool.show(kind);
        tool.enterPages(page);
        if (!map.isEmpty()) {
            QTest::mouseClick(tool.get(map), Qt::LeftButton);
            tool.enterPages(page + 1);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
        }
        QTRY_COMPARE(tool.wizard->currentPage(), page);
        const auto name = [](QWidget *focused) { // the map list's edit part counts as the list
            return focused->objectName().isEmpty() ? focused->parentWidget()->objectName() : focused->objectName();
        };
        QWidget *const first = QApplication::focusWidget();
        QVERIFY(first);
        QStringList walked;
        for (QWidget *focused = first; walked.size() < 40 && (walked.isEmpty() || focused != first); focused = QApplication::focusWidget()) {
            walked << name(focused);
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QTEST(walked.join(' '), "round");
        QTest::keyClick(first, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), walked.last());
    }

    // Each field's rule, reading the map chosen last. Every key with a
    // character code (Ctrl+A to Ctrl+Z 1 to 26, Enter 13, Escape 27) goes
    // through the rule, the code worked out from the key, not from the text
    // Qt's test tools send; Tab (which moves the focus), Alt+letter and keys
    // without a code are never judged. The clipboard holds "ab7".
    void fieldRules_data()
    {
        QTest::addColumn<KeyRow>("row");
        const QString digits = "Server config Error: Only numbers can be enterd.";
        const QString range = "Server config Error: Please enter a number between 2 and ";
        const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier;
        const QString portland = "GTA3 - Portland", viceDm = "Vice City - Deathmatch";
        QTest::newRow("III 3 then 2") << KeyRow{4, "optgta3ssv", "txtplayers", "3", Qt::Key_2, none, "32"};
        QTest::newRow("VC 2 then 7") << KeyRow{4, "optvicedm", "txtplayers", "2", Qt::Key_7, none, "2", range + "26"};
        QTest::newRow("VC selection") << KeyRow{4, "optvicestunt", "txtplayers", "26", Qt::Key_9, none, "9", "", "", "", true};
        QTest::newRow("players Ctrl+V") << KeyRow{4, "", "txtplayers", "26", Qt::Key_V, ctrl, "26", range + "32"};
        QTest::newRow("port letter") << KeyRow{3, "", "txtport", "2003", Qt::Key_A, none, "2003", digits};
        QTest::newRow("port Backspace") << KeyRow{3, "", "txtport", "2003", Qt::Key_Backspace, none, "200"};
        QTest::newRow("port Ctrl+A") << KeyRow{3, "", "txtport", "2003", Qt::Key_A, ctrl, "2003", digits};
        // Code 8 passes as Backspace does, silently; the line edit itself ignores Ctrl+H.
        QTest::newRow("port Ctrl+H, Backspace's code") << KeyRow{3, "", "txtport", "2003", Qt::Key_H, ctrl, "2003"};
        QTest::newRow("port Ctrl+Z") << KeyRow{3, "", "txtport", "2003", Qt::Key_Z, ctrl, "2003", digits};
        QTest::newRow("port Enter") << KeyRow{3, "", "txtport", "2003", Qt::Key_Return, none, "2003", digits};
        QTest::newRow("port Escape") << KeyRow{3, "", "txtport", "2003", Qt::Key_Escape, none, "2003", digits};
        QTest::newRow("port Shift+Insert") << KeyRow{3, "", "txtport", "2003", Qt::Key_Insert, Qt::ShiftModifier, "2003ab7"};
        QTest::newRow("port Left") << KeyRow{3, "", "txtport", "2003", Qt::Key_Left, none, "2003"};
        QTest::newRow("port Delete") << KeyRow{3, "", "txtport", "2003", Qt::Key_Delete, none, "2003", "", "", "\x7f"};
        QTest::newRow("port Tab") << KeyRow{3, "", "txtport", "2003", Qt::Key_Tab, none, "2003"};
        QTest::newRow("port Alt+Q") << KeyRow{3, "", "txtport", "2003", Qt::Key_Q, Qt::AltModifier, "2003"};
        QTest::newRow("admin port space") << KeyRow{6, "", "txtadminport", "4003", Qt::Key_Space, none, "4003", digits};
        QTest::newRow("hour letter, unfiltered") << KeyRow{5, "", "txthour", "12", Qt::Key_X, none, "12x"};
        QTest::newRow("hour arrow") << KeyRow{5, "", "txthour", "0", Qt::Key_unknown, none, "23", "", "UDhourDown"};
        QTest::newRow("minute arrow") << KeyRow{5, "", "txtminute", "59", Qt::Key_unknown, none, "0", "", "udminuteUp"};
        QTest::newRow("hour key Up") << KeyRow{5, "", "txthour", "23", Qt::Key_Up, none, "0", "", "UDhourUp"};
        QTest::newRow("minute key Down") << KeyRow{5, "", "txtminute", "0", Qt::Key_Down, none, "59", "", "udminuteUp"};
        QTest::newRow("classic GTA allows 31") << KeyRow{0, portland, "txtplayers", "3", Qt::Key_1, none, "31"};
        QTest::newRow("classic free text is VC") << KeyRow{0, "gta3", "txtplayers", "3", Qt::Key_1, none, "3", range + "26"};
        QTest::newRow("classic port") << KeyRow{0, viceDm, "txtport", "12", Qt::Key_Minus, none, "12", digits};
        QTest::newRow("classic admin port Enter") << KeyRow{0, viceDm, "txtadminport", "", Qt::Key_Enter, Qt::KeypadModifier, "", digits};
        QTest::newRow("classic hour") << KeyRow{0, viceDm, "txthour", "2", Qt::Key_4, none, "2"};
        // After "2" the hour rule refuses codes above '3': Ctrl+V is 22, "v" would be refused.
        QTest::newRow("classic hour Ctrl+V") << KeyRow{0, viceDm, "txthour", "2", Qt::Key_V, ctrl, "2ab7"};
        QTest::newRow("classic minute") << KeyRow{0, viceDm, "txtminute", "7", Qt::Key_6, none, "7"};
        QTest::newRow("classic hour spinner") << KeyRow{0, viceDm, "txthour", "23", Qt::Key_unknown, none, "0", "", "UDhourUp"};
        QTest::newRow("classic minute spinner") << KeyRow{0, viceDm, "txtminute", "0", Qt::Key_unknown, none, "59", "", "udminuteDown"};
        QTest::newRow("classic typed Stunt, 27") << KeyRow{0, portland, "txtplayers", "27", Qt::Key_unknown, none, "26", "", "cmbgamemode", "Vice City - Stunt"};
        QTest::newRow("classic typed GTA3") << KeyRow{0, viceDm, "txtplayers", "32", Qt::Key_unknown, none, "32", "", "cmbgamemode", "GTA3 - Portland"};
        QTest::newRow("classic picked Deathmatch, 27") << KeyRow{0, "GTA3 - Staunton Island", "txtplayers", "27", Qt::Key_Down, none, "26", "", "cmbgamemode"};
        QTest::newRow("classic picked GTA3") << KeyRow{0, portland, "txtplayers", "32", Qt::Key_Down, none, "32", "", "cmbgamemode"};
    }
    void fieldRules()
    {
        QFETCH(KeyRow, row);
        ToolRun tool;
        QWidget *window = tool.show(row.page ? "wizard" : "classic");
        tool.enterPages(row.page);
        if (row.page && !row.map.isEmpty())
            tool.get<QRadioButton>(row.map)->setChecked(true);
        else if (!row.map.isEmpty())
            tool.get<QComboBox>("cmbgamemode")->setEditText(row.map);
        QGuiApplication::clipboard()->setText("ab7");
        auto *field = tool.get<QLineEdit>(row.field);
        field->setText(row.text);
        if (row.selected)
            field->selectAll();
        QWidget *target = row.on.isEmpty() ? field : ToolRun::get(window, row.on);
        target->setFocus(Qt::OtherFocusReason); // as the operator's keys reach it
        if (auto *list = qobject_cast<QComboBox *>(target); list && !row.sent.isEmpty())
            ToolRun::type(list->lineEdit(), row.sent);
        else if (row.key == Qt::Key_unknown)
            QTest::mouseClick(target, Qt::LeftButton);
        else if (!row.sent.isEmpty())
            QTest::sendKeyEvent(QTest::Click, target, row.key, row.sent, row.modifiers);
        else
            QTest::keyClick(target, row.key, row.modifiers);
        QCOMPARE(field->text(), row.after);
        QCOMPARE(tool.dialogs.texts(), row.message.isEmpty() ? QStringList() : QStringList{row.message});
        if (row.on.isEmpty())
            QCOMPARE(field->hasFocus(), row.key != Qt::Key_Tab);
        bool number = false; // what the ASE port shows beside a port that is no number is the tool's own
        const int port = row.after.toInt(&number);
        if (row.page && (row.field != "txtport" || number)) // whatever changes the port, the ASE port follows
            QCOMPARE(tool.get<QLineEdit>("txtase")->text(), row.field == "txtport" ? QString::number(port + 123) : "2126");
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
