// The windows worked from the keyboard alone, with real key clicks.

#include "support/LayoutCheck.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

struct KeyRow {
    int page; // the wizard's, or 0 for the classic editor
    QString field, text;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString after, message = {}; // message: none when empty
    QString sent = {};           // the event's text, where a real keyboard sends one Qt's test tools do not
};

} // namespace

Q_DECLARE_METATYPE(KeyRow)

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    // Enter on a focused button (the row's name is its caption) presses it:
    // the file it writes appears and its window goes.
    void enterPressesFocusedButton_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("written");
        QTest::newRow("Launch!") << "wizard" << "cmdnext" << "server-started";
        QTest::newRow("Save && return") << "classic -listen" << "Command2" << "kvxserver.conf";
        QTest::newRow("Save and go back") << "MOTD editor" << "Command1" << "motd.txt";
    }
    void enterPressesFocusedButton()
    {
        QFETCH(QString, kind);
        QFETCH(QString, button);
        QFETCH(QString, written);
        WindowUnderTest tool(kind);
        tool.folder.writeStandInServer();
        tool.enterPages(kind == "wizard" ? 7 : 0);
        QPointer<QPushButton> pressed = tool.get<QPushButton>(button);
        QCOMPARE(pressed->text(), QString::fromLatin1(QTest::currentDataTag()));
        pressed->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pressed, Qt::Key_Return);
        QTRY_VERIFY(tool.folder.exists(written));
        QVERIFY(pressed.isNull() || !pressed->isVisible());
        QCOMPARE(tool.dialogs.texts(), QStringList());
    }

    // Where the focus is when a window or wizard page appears (by Enter on
    // Next; or, after choosing `map` on page 2, by Alt+B from page 3), and
    // the round Tab and Shift+Tab make from there: on the wizard, the page's
    // fields before the buttons.
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
    }
    void focusAndTabOrder()
    {
        QFETCH(QString, kind);
        QFETCH(int, page);
        QFETCH(QString, map);
        QFETCH(QString, round);
        WindowUnderTest tool(kind);
        tool.enterPages(page);
        if (!map.isEmpty()) {
            QTest::mouseClick(tool.get(map), Qt::LeftButton);
            tool.enterPages(page + 1);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
        }
        QTRY_COMPARE(tool.wizard.currentPage(), page);
        const auto focus = [&] { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; };
        const QStringList expected = round.split(' ');
        QStringList walked{focus()};
        for (qsizetype step = 0; step < expected.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << focus();
        }
        QCOMPARE(walked, expected + QStringList{expected.first()});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(focus(), expected.last());
    }

    // Every key with a character code (Ctrl+A to Ctrl+Z 1 to 26, Enter 13,
    // Escape 27) goes through the field's rule, the code worked out from the
    // key, not from the text Qt's test tools send; Tab (which moves the
    // focus), Alt+letter and keys without a code are never judged. The
    // clipboard holds "ab7".
    void keyCodes_data()
    {
        QTest::addColumn<KeyRow>("row");
        const QString digits = "Server config Error: Only numbers can be enterd.";
        const QString range = "Server config Error: Please enter a number between 2 and ";
        const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("port Ctrl+A") << KeyRow{3, "txtport", "2003", Qt::Key_A, ctrl, "2003", digits};
        QTest::newRow("port Ctrl+Z") << KeyRow{3, "txtport", "2003", Qt::Key_Z, ctrl, "2003", digits};
        QTest::newRow("port Enter") << KeyRow{3, "txtport", "2003", Qt::Key_Return, none, "2003", digits};
        QTest::newRow("port Escape") << KeyRow{3, "txtport", "2003", Qt::Key_Escape, none, "2003", digits};
        QTest::newRow("port Shift+Insert") << KeyRow{3, "txtport", "2003", Qt::Key_Insert, Qt::ShiftModifier, "2003ab7"};
        QTest::newRow("port Left") << KeyRow{3, "txtport", "2003", Qt::Key_Left, none, "2003"};
        QTest::newRow("port Delete") << KeyRow{3, "txtport", "2003", Qt::Key_Delete, none, "2003", "", "\x7f"};
        QTest::newRow("port Tab") << KeyRow{3, "txtport", "2003", Qt::Key_Tab, none, "2003"};
        QTest::newRow("port Alt+Q") << KeyRow{3, "txtport", "2003", Qt::Key_Q, Qt::AltModifier, "2003"};
        QTest::newRow("players Ctrl+V") << KeyRow{4, "txtplayers", "26", Qt::Key_V, ctrl, "26", range + "32"};
        QTest::newRow("admin port Ctrl+V") << KeyRow{6, "txtadminport", "4003", Qt::Key_V, ctrl, "4003", digits};
        QTest::newRow("classic admin port Enter") << KeyRow{0, "txtadminport", "", Qt::Key_Enter, Qt::KeypadModifier, "", digits};
        QTest::newRow("classic players Ctrl+V") << KeyRow{0, "txtplayers", "26", Qt::Key_V, ctrl, "26", range + "26"};
        // After "2" the hour rule refuses codes above '3': Ctrl+V is 22, "v" would be refused.
        QTest::newRow("classic hour Ctrl+V") << KeyRow{0, "txthour", "2", Qt::Key_V, ctrl, "2ab7"};
    }
    void keyCodes()
    {
        QFETCH(KeyRow, row);
        WindowUnderTest tool(row.page ? "wizard" : "classic");
        tool.enterPages(row.page);
        QGuiApplication::clipboard()->setText("ab7");
        auto *field = tool.get<QLineEdit>(row.field);
        field->setText(row.text);
        field->setFocus(Qt::OtherFocusReason);
        if (row.sent.isEmpty())
            QTest::keyClick(field, row.key, row.modifiers);
        else
            QTest::sendKeyEvent(QTest::Click, field, row.key, row.sent, row.modifiers);
        QCOMPARE(field->text(), row.after);
        QCOMPARE(tool.dialogs.texts(), row.message.isEmpty() ? QStringList() : QStringList{row.message});
        QCOMPARE(field->hasFocus(), row.key != Qt::Key_Tab);
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"