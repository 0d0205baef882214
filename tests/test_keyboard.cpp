// The windows worked from the keyboard alone, with real key clicks: Enter on
// a focused button, where the wizard puts the focus and where Tab takes it,
// and which keys the field rules see (every key that carries a character
// code, Ctrl+letters, Enter and Escape included; never Tab, Alt+letter or a
// key without a code).

#include "classic/ClassicWindow.h"
#include "config/ConfigFile.h"
#include "motd/MotdWindow.h"
#include "support/DialogRecorder.h"
#include "support/ToolFolder.h"
#include "wizard/WizardWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString portDigits = "Server config Error: Only numbers can be enterd.";
const QString range26 = "Server config Error: Please enter a number between 2 and 26";
const QString range32 = "Server config Error: Please enter a number between 2 and 32";

enum class Front { Wizard, Classic };

// A front end over a fresh tool folder, shown and active, with every dialog
// answered. The classic editor is opened as the wizard's first page opens it.
struct Tool {
    ToolFolder folder;
    DialogRecorder dialogs;
    std::unique_ptr<WizardWindow> wizard;
    std::unique_ptr<QSignalSpy> ended;
    QWidget *window = nullptr;

    QWidget *start(Front front, const QStringList &arguments = {})
    {
        wizard = std::make_unique<WizardWindow>(ToolContext{folder.path(), arguments});
        ended = std::make_unique<QSignalSpy>(wizard.get(), &WizardWindow::toolEnded);
        wizard->start();
        if (front == Front::Classic && !wizard->classicWindow()) {
            wizard->findChild<QRadioButton *>("OptClassic")->setChecked(true);
            next();
        }
        window = front == Front::Classic ? static_cast<QWidget *>(wizard->classicWindow()) : wizard.get();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qFatal("the window did not become active");
        return window;
    }
    template <typename T = QWidget> T *get(const QString &name) const
    {
        if (T *control = window->findChild<T *>(name))
            return control;
        qFatal("no control %s", qPrintable(name));
    }
    void next() const { wizard->findChild<QPushButton *>("cmdnext")->click(); }
    void goToPage(int page) const
    {
        for (int step = 0; step < 7 && wizard->currentPage() < page; ++step)
            next();
    }
    // The control with the focus, named as the walk writes it.
    QString focusName() const
    {
        QWidget *focus = window->focusWidget();
        return focus ? focus->objectName() : QStringLiteral("(none)");
    }
};

enum class Press { WizardNext, WizardLaunch, ClassicSaveAndReturn, MotdSaveAndGoBack };

struct KeyRow {
    Front front;
    QString field, text;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString after;
    QStringList messages = {};
};

} // namespace

Q_DECLARE_METATYPE(Front)
Q_DECLARE_METATYPE(Press)
Q_DECLARE_METATYPE(KeyRow)

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    // Enter on the focused button does what a click does, in every window
    // (the About box is a dialog, where Qt always let it).
    void enterPressesFocusedButton_data()
    {
        QTest::addColumn<Press>("press");
        QTest::newRow("wizard &Next >>") << Press::WizardNext;
        QTest::newRow("wizard Launch!") << Press::WizardLaunch;
        QTest::newRow("classic Save && return") << Press::ClassicSaveAndReturn;
        QTest::newRow("MOTD Save and go back") << Press::MotdSaveAndGoBack;
    }
    void enterPressesFocusedButton()
    {
        QFETCH(Press, press);
        Tool tool;
        const auto enterOn = [](QWidget *button) {
            button->setFocus(Qt::TabFocusReason);
            QVERIFY(button->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        };
        switch (press) {
        case Press::WizardNext:
            tool.start(Front::Wizard);
            enterOn(tool.get("cmdnext"));
            QCOMPARE(tool.wizard->currentPage(), 2);
            break;
        case Press::WizardLaunch:
            tool.folder.writeStandInServer();
            tool.start(Front::Wizard);
            tool.goToPage(7);
            QCOMPARE(tool.get<QPushButton>("cmdnext")->text(), "Launch!");
            enterOn(tool.get("cmdnext"));
            QVERIFY(tool.folder.exists(configFileName()));
            QTRY_VERIFY(tool.folder.exists("server-started"));
            QCOMPARE(tool.ended->count(), 1);
            break;
        case Press::ClassicSaveAndReturn:
            tool.start(Front::Classic, {"-listen"});
            QCOMPARE(tool.get<QPushButton>("Command2")->text(), "Save && return");
            enterOn(tool.get("Command2"));
            QVERIFY(tool.folder.exists(configFileName()));
            QCOMPARE(tool.ended->count(), 1);
            break;
        case Press::MotdSaveAndGoBack: {
            QPointer<MotdWindow> motd = new MotdWindow({tool.folder.path(), {}}, defaultMotdUrl());
            motd->show();
            QVERIFY(QTest::qWaitForWindowActive(motd));
            enterOn(motd->findChild<QWidget *>("Command1"));
            QCOMPARE(tool.folder.read("motd.txt"), QByteArray("\r\n"));
            QVERIFY(motd.isNull() || !motd->isVisible());
            break;
        }
        }
        QCOMPARE(tool.dialogs.texts(), QStringList());
    }

    // Where the focus is when each wizard page appears, and the round Tab
    // makes from there: the page's fields, then the four buttons. `map` is
    // chosen on page 2 before the walk (the focus then starts on it).
    void wizardFocusAndTabOrder_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("round");
        const QString buttons = " cmdabout cmdback cmdcancel cmdnext";
        QTest::newRow("1") << 1 << "" << "OptWizard chkremember cmdabout cmdcancel cmdnext";
        QTest::newRow("2") << 2 << "" << "optgta3portland" + buttons;
        QTest::newRow("2, Vice City chosen") << 2 << "optvicedm" << "optvicedm" + buttons;
        QTest::newRow("3") << 3 << "" << "txtserver txtport ChkASE" + buttons;
        QTest::newRow("4") << 4 << "" << "txtplayers" + buttons;
        QTest::newRow("5") << 5 << "" << "txthour UDhourUp txtminute udminuteUp chkweather" + buttons;
        QTest::newRow("6") << 6 << ""
                           << "txtpwd chkadmin chkshutdown chkadminplus txtadminport txtadminpwd txtadminpluspwd"
                                  + buttons;
        QTest::newRow("7") << 7 << "" << "chkmotd cmdchangemotd" + buttons;
    }
    void wizardFocusAndTabOrder()
    {
        QFETCH(int, page);
        QFETCH(QString, map);
        QFETCH(QString, round);
        Tool tool;
        tool.start(Front::Wizard);
        if (!map.isEmpty()) {
            tool.goToPage(2);
            QTest::mouseClick(tool.get(map), Qt::LeftButton);
            tool.next();
            // Back by the keyboard: Alt+B, the caption's access key, which
            // presses the button after showing it down for a moment.
            QTest::keyClick(tool.window->focusWidget(), Qt::Key_B, Qt::AltModifier);
            QTRY_COMPARE(tool.wizard->currentPage(), 2);
        }
        // Forward by Enter on Next, which then leaves the focus on the page.
        for (int step = 1; step < page && tool.wizard->currentPage() < page; ++step) {
            tool.get("cmdnext")->setFocus(Qt::TabFocusReason);
            QTest::keyClick(tool.get("cmdnext"), Qt::Key_Return);
        }
        QCOMPARE(tool.wizard->currentPage(), page);
        const QStringList expected = round.split(' ');
        QStringList walked{tool.focusName()};
        for (qsizetype step = 0; step < expected.size(); ++step) {
            QTest::keyClick(tool.window->focusWidget(), Qt::Key_Tab);
            walked << tool.focusName();
        }
        QCOMPARE(walked, expected + QStringList{expected.first()});
        // Shift+Tab walks the same round backwards.
        QTest::keyClick(tool.window->focusWidget(), Qt::Key_Backtab);
        QCOMPARE(tool.focusName(), expected.last());
        if (!map.isEmpty())
            QVERIFY(tool.get<QRadioButton>(map)->isChecked());
    }

    // Real key clicks into the fields with rules: every key with a character
    // code is judged, worked out from the key and its modifiers (Qt's test
    // tools send Ctrl+V with the text "v"); Tab, Alt+letter and keys without
    // a code are not. The clipboard holds "ab7".
    void keyCodes_data()
    {
        QTest::addColumn<KeyRow>("row");
        const auto W = Front::Wizard;
        const auto C = Front::Classic;
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        QTest::newRow("port Ctrl+V") << KeyRow{W, "txtport", "2003", Qt::Key_V, ctrl, "2003", {portDigits}};
        QTest::newRow("port Ctrl+C") << KeyRow{W, "txtport", "2003", Qt::Key_C, ctrl, "2003", {portDigits}};
        QTest::newRow("port Ctrl+A") << KeyRow{W, "txtport", "2003", Qt::Key_A, ctrl, "2003", {portDigits}};
        QTest::newRow("port Ctrl+Shift+V") << KeyRow{W, "txtport", "2003", Qt::Key_V, ctrl | shift, "2003", {portDigits}};
        QTest::newRow("port Enter") << KeyRow{W, "txtport", "2003", Qt::Key_Return, none, "2003", {portDigits}};
        QTest::newRow("port Escape") << KeyRow{W, "txtport", "2003", Qt::Key_Escape, none, "2003", {portDigits}};
        QTest::newRow("admin port Ctrl+V") << KeyRow{W, "txtadminport", "4003", Qt::Key_V, ctrl, "4003", {portDigits}};
        QTest::newRow("players Ctrl+V") << KeyRow{W, "txtplayers", "26", Qt::Key_V, ctrl, "26", {range32}};
        QTest::newRow("port Shift+Insert pastes") << KeyRow{W, "txtport", "2003", Qt::Key_Insert, shift, "2003ab7"};
        QTest::newRow("port Backspace") << KeyRow{W, "txtport", "2003", Qt::Key_Backspace, none, "200"};
        QTest::newRow("port Left") << KeyRow{W, "txtport", "2003", Qt::Key_Left, none, "2003"};
        QTest::newRow("port Home") << KeyRow{W, "txtport", "2003", Qt::Key_Home, none, "2003"};
        QTest::newRow("port End") << KeyRow{W, "txtport", "2003", Qt::Key_End, none, "2003"};
        QTest::newRow("port Delete") << KeyRow{W, "txtport", "2003", Qt::Key_Delete, none, "2003"};
        QTest::newRow("port Tab") << KeyRow{W, "txtport", "2003", Qt::Key_Tab, none, "2003"};
        QTest::newRow("port Shift+Tab") << KeyRow{W, "txtport", "2003", Qt::Key_Backtab, shift, "2003"};
        QTest::newRow("port Alt+E") << KeyRow{W, "txtport", "2003", Qt::Key_E, Qt::AltModifier, "2003"};
        QTest::newRow("hour Ctrl+V, no rule") << KeyRow{W, "txthour", "12", Qt::Key_V, ctrl, "12ab7"};
        QTest::newRow("classic port Ctrl+V") << KeyRow{C, "txtport", "2003", Qt::Key_V, ctrl, "2003", {portDigits}};
        QTest::newRow("classic admin port Enter") << KeyRow{C, "txtadminport", "", Qt::Key_Enter, Qt::KeypadModifier, "", {portDigits}};
        QTest::newRow("classic players Ctrl+V") << KeyRow{C, "txtplayers", "26", Qt::Key_V, ctrl, "26", {range26}};
        // The hour rule lets Ctrl+V (code 22) through, so it pastes.
        QTest::newRow("classic hour Ctrl+V") << KeyRow{C, "txthour", "1", Qt::Key_V, ctrl, "1ab7"};
        QTest::newRow("classic minute Ctrl+V") << KeyRow{C, "txtminute", "5", Qt::Key_V, ctrl, "5ab7"};
    }
    void keyCodes()
    {
        QFETCH(KeyRow, row);
        Tool tool;
        tool.start(row.front);
        if (row.front == Front::Wizard)
            tool.goToPage(row.field == "txtport" ? 3 : row.field == "txtplayers" ? 4 : row.field == "txthour" ? 5 : 6);
        QGuiApplication::clipboard()->setText("ab7");
        auto *field = tool.get<QLineEdit>(row.field);
        field->setText(row.text);
        field->setFocus(Qt::OtherFocusReason);
        const int page = tool.wizard->currentPage();
        QTest::keyClick(field, row.key, row.modifiers);
        QCOMPARE(field->text(), row.after);
        QCOMPARE(tool.dialogs.texts(), row.messages);
        // Tab moved the focus and Alt+E pressed "&Exit" (a moment later); no
        // other key did either.
        const bool moves = row.key == Qt::Key_Tab || row.key == Qt::Key_Backtab;
        QCOMPARE(field->hasFocus(), !moves);
        QTRY_COMPARE(tool.ended->count(), row.modifiers == Qt::AltModifier ? 1 : 0);
        QCOMPARE(tool.wizard->currentPage(), page);
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
