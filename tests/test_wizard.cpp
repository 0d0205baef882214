// The windows driven as an operator drives them. The wizard: start-up from
// a tool folder, the page steps and what they do besides, the About box.
// Both front ends: the last press that saves and starts a stand-in server,
// ending, and the commit's alerts. The classic editor: loading, listen mode,
// the hand-over, pasting. The MOTD editor: loading, saving and closing. And
// every window from the keyboard: focus, Tab order, Enter, each field's rule.
// Every saved file is compared with a fixture and the lines the test changes.

#include "motd/MotdWindow.h"
#include "support/Fixture.h"
#include "support/ToolRun.h"

#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

namespace {

const QString plusNotice = "Server configuration tool: Warning,\r\n\r\n"
                           "The admin Plus system uses the same bandwith as an extra user!";

// The recorded messages, with %1/ for the tool folder's path as the platform writes it.
QStringList texts(const ToolRun &tool)
{
    return tool.dialogs.texts().replaceInStrings(QDir::toNativeSeparators(tool.folder.path() + "/"), "%1/");
}

// Names of the widgets painted while it lives.
struct PaintSpy : QObject {
    QStringList painted;
    PaintSpy() { qApp->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override { return event->type() == QEvent::Paint && (painted << watched->objectName(), false); }
};

struct StartRow {
    QByteArray mode; // the recorded front end; empty: no file
    bool listen, classicInFront;
    QString folderNamed = {}, message = {}; // a folder where a file should be; what that tells
};

enum class Launch { Present, Copied, CopyFails, Cancelled, Listen, SaveFails, NotStartable, ThroughWine, Exit, CloseBox, MotdNotHeld };
struct LaunchRow {
    Launch scenario;
    bool classic, saved, started;
    QString message = {}; // none when empty
    OperatorMessage::Icon icon = OperatorMessage::Icon::Exclamation;
};

// One editor: motd.txt's bytes before (null: none), the text it shows (null:
// not compared), the text typed (null: left as loaded), how it is closed
// ("button", "close box", or "button over a folder" named motd.txt), the
// bytes after, and why the save failed (null: it did not).
struct MotdRow {
    QByteArray file;
    QString shown, typed, closing;
    QByteArray saved;
    QString reason = {};
};

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
Q_DECLARE_METATYPE(MotdRow)
Q_DECLARE_METATYPE(StartRow)
Q_DECLARE_METATYPE(LaunchRow)

class TestWizard : public QObject
{
    Q_OBJECT
    QList<QUrl> opened;

public slots:
    // Stands in for the desktop's browser.
    void openInBrowser(const QUrl &url) { opened.append(url); }

private slots:
    void startUp_data()
    {
        QTest::addColumn<StartRow>("row");
        const QString conf = "Server config Error: %1/kvxserver.conf could not be read: it is a folder, not a regular file\r\n"
                             "The tool starts with its default settings.";
        QTest::newRow("no file") << StartRow{"", false, false};
        QTest::newRow("file, wizard mode") << StartRow{"wizard", false, false};
        QTest::newRow("file, classic mode") << StartRow{"classic", false, true};
        QTest::newRow("unreadable file, -listen") << StartRow{"", true, true, "kvxserver.conf", conf};
        QTest::newRow("unreadable motd.txt, classic mode")
            << StartRow{"classic", false, true, "motd.txt", "Server config Error: %1/motd.txt could not be read: it is a folder, "
                                                            "not a regular file\r\nThe message of the day starts empty."};
    }
    void startUp()
    {
        QFETCH(StartRow, row);
        ToolRun tool;
        const bool skips = !row.mode.isEmpty();
        if (skips)
            tool.folder.write("kvxserver.conf", fixture("default-wizard.conf", committedWizard({{26, "ServerPort 2100"}, {83, "MOTDURL \"http://x.example.net/m.rtf\""}, {253, "#mode: " + row.mode}, {254, "#show page 1: 0"}})));
        if (!row.folderNamed.isEmpty())
            QVERIFY(QDir(tool.folder.path()).mkdir(row.folderNamed));
        const QFont systemFont = QGuiApplication::font(); // what message boxes are written in
        tool.start(row.listen);
        QCOMPARE(QGuiApplication::font(), systemFont);

        // An unreadable file is told once, though both front ends read it,
        // over the wizard already in its place in the middle of the screen.
        QCOMPARE(texts(tool), row.message.isEmpty() ? QStringList() : QStringList{row.message});
        for (const DialogRecorder::Owner &owner : tool.dialogs.owners)
            QVERIFY(owner.window == tool.wizard && (owner.geometry.center() - tool.wizard->screen()->availableGeometry().center()).manhattanLength() <= 2);
        WizardFields expected = wizardDefaults();
        if (skips) {
            expected.txtport = "2100";
            expected.txturl = "http://x.example.net/m.rtf";
        }
        QCOMPARE(tool.wizard->fields(), expected);
        // The port's ASE port is the reader's, plus 123; building the
        // document referred to the MOTD editor, which loaded hidden.
        const QList<QWidget *> motd = ToolRun::motdEditors();
        QCOMPARE(QVariantList({tool.page(), tool.get<QLabel>("lblsection")->text(), tool.get("cmdback")->isEnabled(),
                               tool.get<QRadioButton>("OptClassic")->isChecked(), tool.get<QLineEdit>("txtase")->text(), motd.size(),
                               motd.value(0) && motd.value(0)->isVisible(), tool.wizard->isVisible(), tool.lifetime->classic() && tool.lifetime->classic()->isVisible()}),
                 QVariantList({skips ? 2 : 1, skips ? "Game selection" : "Server Configuration Tool", skips, row.mode == "classic",
                               skips ? "2223" : "2126", 1, false, !row.classicInFront, row.classicInFront}));
    }

    // Every page both ways, with the titles that depend on the direction.
    void pageSteps()
    {
        ToolRun tool;
        tool.start();
        const QStringList titles = {"Game selection", "Basic server settings", "More basic settings", "Environmental settings",
                                    "Admin settings", "Ready, Set, GO!", "Admin settings", "Environmental settigns",
                                    "Player settings", "Basic server settings", "Game Selection", "Server configuration Tool"};
        for (int step = 0; step < 12; ++step) {
            const int page = step < 6 ? step + 2 : 12 - step;
            tool.click({step < 6 ? "cmdnext" : "cmdback"});
            QCOMPARE(QVariantList({tool.page(), tool.get<QLabel>("lblsection")->text(), tool.get("cmdback")->isEnabled(), tool.get<QPushButton>("cmdnext")->text()}),
                     QVariantList({page, titles.at(step), page > 1, step == 5 ? "Launch!" : "&Next >>"}));
        }
        QCOMPARE(tool.dialogs.texts(), QStringList());
    }

    // Leaving the map page forward holds a Vice City map to 26 players; the
    // Admin+ notice follows the Admin+ box alone, at each arrival on page 7.
    void stepSideEffects_data()
    {
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("after"); // the players, 27 or 30 typed
        QTest::addColumn<QString>("box");
        QTest::newRow("Deathmatch, 27") << "optvicedm" << "26" << "chkadminplus";
        QTest::newRow("Stunt, 27") << "optvicestunt" << "26" << "chkadmin";
        QTest::newRow("GTA III, 30") << "optgta3ssv" << "30" << "chkadminplus";
    }
    void stepSideEffects()
    {
        QFETCH(QString, map);
        QFETCH(QString, box);
        ToolRun tool;
        tool.start();
        tool.click({"cmdnext", map});
        tool.get<QLineEdit>("txtplayers")->setText(map.startsWith("optvice") ? "27" : "30");
        tool.goToPage(6);
        QTEST(tool.get<QLineEdit>("txtplayers")->text(), "after");
        tool.click({box, "cmdnext", "cmdback", "cmdnext"});
        QCOMPARE(tool.dialogs.texts(), (box == "chkadminplus" ? QStringList{plusNotice, plusNotice} : QStringList()));
        for (const OperatorMessage &notice : tool.dialogs.messages)
            QCOMPARE(notice.icon, OperatorMessage::Icon::Information);
    }

    void launch_data()
    {
        using I = OperatorMessage::Icon;
        const QString info = "Server Config Info: ";
        QTest::addColumn<LaunchRow>("row");
        QTest::newRow("server present") << LaunchRow{Launch::Present, false, true, true};
        QTest::newRow("server copied") << LaunchRow{Launch::Copied, false, true, true,
            info + "The server executable has been copied to %1/KVXServer.exe. This to be used with the stored "
                   "config file and MOTD. We recommend updating your shortcuts if you want to keep using this config file."};
        QTest::newRow("a folder picked") << LaunchRow{Launch::CopyFails, false, true, false,
            info + "The server executable %1/my-server.sh could not be copied to %1/KVXServer.exe: %1/my-server.sh is a folder, not a program"};
        QTest::newRow("dialog cancelled") << LaunchRow{Launch::Cancelled, false, true, false};
        QTest::newRow("-listen") << LaunchRow{Launch::Listen, false, true, false};
        QTest::newRow("save fails") << LaunchRow{Launch::SaveFails, false, false, false,
            "Server config Error: %1/kvxserver.conf could not be written: it is a folder, not a regular file", I::Critical};
        QTest::newRow("classic, server present") << LaunchRow{Launch::Present, true, true, true};
        QTest::newRow("classic, dialog cancelled") << LaunchRow{Launch::Cancelled, true, true, false};
        // The one sentence that says why motd.txt was not saved; no launch follows.
        QTest::newRow("classic, MOTD outside the code page") << LaunchRow{Launch::MotdNotHeld, true, true, false,
            "Server config Error: The message of the day holds the character \"\u6b22\" (U+6B22), which the Windows-1252 code page "
            "of motd.txt cannot hold.", I::Critical};
        QTest::newRow("wizard, &Exit") << LaunchRow{Launch::Exit, false, false, false};
        QTest::newRow("wizard, close box") << LaunchRow{Launch::CloseBox, false, false, false};
        QTest::newRow("classic, Cancel") << LaunchRow{Launch::Exit, true, false, false};
        QTest::newRow("classic, close box") << LaunchRow{Launch::CloseBox, true, false, false};
#ifdef Q_OS_UNIX
        // Execute permission is POSIX's.
        QTest::newRow("server not startable") << LaunchRow{Launch::NotStartable, false, true, false,
            info + "The server %1/KVXServer.exe could not be started: execv: Permission denied", I::Critical};
        // A Windows program (x86-64) goes to the wine on the PATH, a stand-in.
        QTest::newRow("a Windows server, through wine") << LaunchRow{Launch::ThroughWine, false, true, true};
#endif
    }

    // From the first page (or the classic editor) to the last press, as the
    // operator goes, with the admin settings left incomplete: the files'
    // bytes, the dialog's request, the admin alerts (which stop neither the
    // save nor the launch) and the message after them with its icon, the
    // standby window and the started server. "&Exit", "Cancel" or the close
    // box end the tool once, after the edits, writing nothing and asking nothing.
    void launch()
    {
        QFETCH(LaunchRow, row);
        ToolRun tool;
        const Launch scenario = row.scenario;
        if (scenario == Launch::Copied)
            tool.folder.writeStandInServer("my-server.sh");
        else if (scenario == Launch::CopyFails)
            QVERIFY(QDir(tool.folder.path()).mkdir("my-server.sh"));
        else if (scenario == Launch::Present || scenario == Launch::SaveFails || scenario == Launch::NotStartable || scenario == Launch::MotdNotHeld)
            tool.folder.writeStandInServer();
        if (scenario != Launch::Cancelled)
            tool.dialogs.queueFileName(tool.folder.path("my-server.sh"));
        if (scenario == Launch::NotStartable)
            QVERIFY(QFile::setPermissions(tool.folder.path("KVXServer.exe"), QFile::ReadOwner | QFile::WriteOwner));
        const QByteArray path = qgetenv("PATH");
        const auto restorePath = qScopeGuard([path] { qputenv("PATH", path); });
        if (scenario == Launch::ThroughWine) {
            QByteArray program(0x100, '\0');
            program.replace(0, 2, "MZ").replace(0x3C, 1, "\x80").replace(0x80, 6, QByteArray("PE\0\0\x64\x86", 6));
            tool.folder.write("KVXServer.exe", program);
            // Writes where it runs: in the server folder, or the test misses it.
            tool.folder.write("wine", "#!/bin/sh\necho \"$*\" > server-started\n", true);
            qputenv("PATH", QFile::encodeName(tool.folder.path()) + ':' + path);
        }
        const bool listen = scenario == Launch::Listen;
        tool.start(listen);
        if (scenario == Launch::SaveFails)
            QVERIFY(QDir(tool.folder.path()).mkdir("kvxserver.conf"));
        QWidget *window = tool.wizard;
        QByteArray saved;
        if (row.classic) {
            // Both files, and the first page's choices recorded.
            tool.click({"chkremember"});
            window = tool.classic();
            ToolRun::type(ToolRun::get<QLineEdit>(window, "txtserver"), "My \"best\" server");
            ToolRun::click(window, {"chkmotd", "Check5"});
            auto *text8 = ToolRun::get<QPlainTextEdit>(window, "Text8");
            text8->selectAll();
            QTest::keyClicks(text8, "Line one");
            QTest::keyClick(text8, Qt::Key_Return);
            QTest::keyClicks(text8, "Line two");
            text8->insertPlainText(scenario == Launch::MotdNotHeld ? "\u6b22" : "");
            saved = fixture("default-classic.conf", {{5, "ServerName \"My \"best\" server\""}, {129, "StatLogging 1"},
                                                     {153, "AdminServer 1"}, {253, "#mode: classic"}, {254, "#show page 1: 0"}});
        } else {
            tool.lifetime->showFromClassic(); // under -listen, as "&Wizard..." does
            // A pasted line break becomes a space; the MOTD address typed into
            // its editor outlives the editor, and a second press of "Change
            // MOTD ..." shows the same editor.
            tool.click({"chkremember", "cmdnext", "optvicedm", "cmdnext"});
            QGuiApplication::clipboard()->setText("Sunny\n\"Beach\"");
            tool.get<QLineEdit>("txtserver")->selectAll();
            tool.get<QLineEdit>("txtserver")->paste();
            tool.goToPage(7);
            tool.click({"cmdchangemotd", "cmdchangemotd"});
            MotdWindow *motd = tool.lifetime->motdEditor();
            ToolRun::type(ToolRun::get<QLineEdit>(motd, "txturl"), "http://changed.example.org/motd.rtf");
            motd->close();
            // Reading the fields takes the closed editor's address and makes no new editor.
            tool.wizard->fields();
            QCOMPARE(ToolRun::motdEditors(), QList<QWidget *>{motd});
            saved = fixture("default-wizard.conf", {{5, "ServerName \"Sunny \"Beach\"\""}, {50, "GameMap 1"},
                                                    {83, "MOTDURL \"http://changed.example.org/motd.rtf\""}, {153, "AdminServer 1"}, {254, "#show page 1: 0"}});
            tool.goToPage(6);
        }
        ToolRun::click(window, {"chkadmin", "chkadminplus"});
        ToolRun::get<QLineEdit>(window, "txtadminport")->clear();
        if (!row.classic)
            tool.goToPage(7);
        tool.dialogs.messages.clear(); // the wizard's Admin+ notice
        PaintSpy paints;
        if (scenario == Launch::CloseBox)
            QVERIFY(window->windowHandle()->close());
        else
            ToolRun::click(window, {scenario == Launch::Exit ? (row.classic ? "Command1" : "cmdcancel") : (row.classic ? "Command2" : "cmdnext")});

        QCOMPARE(tool.folder.read("kvxserver.conf"), row.saved ? saved : QByteArray());
        if (row.classic)
            QCOMPARE(tool.folder.read("motd.txt"), row.saved && scenario != Launch::MotdNotHeld ? "Line one\r\nLine two\r\n" : "");
        else
            QCOMPARE(tool.get<QPushButton>("cmdnext")->text(), listen ? "Finish" : "Launch!");
        const bool asked = scenario == Launch::Copied || scenario == Launch::CopyFails || scenario == Launch::Cancelled;
        QStringList requests;
        for (const FileDialog::Request &request : tool.dialogs.fileRequests)
            requests << request.title + ", " + request.folder + ", " + request.filter;
        QCOMPARE(requests, asked ? QStringList{"Please select a copy of KVXServer.exe, " + tool.folder.path() + ", KVXServer.exe|KVXServer.exe|All Files (*.*)|*.*"} : QStringList());
        const bool ending = scenario == Launch::Exit || scenario == Launch::CloseBox;
        QStringList messages = ending ? QStringList() : QStringList({"KVX Alert: The Adminpanel password needs to be filled in",
                                                                    "KVX Alert: The Adminpanel port needs to be filled in",
                                                                    "KVX Alert: The Admin plus password needs to be filled in"});
        QCOMPARE(texts(tool), row.message.isEmpty() ? messages : messages << row.message);
        for (const OperatorMessage &shown : tool.dialogs.messages)
            QCOMPARE(shown.icon, &shown == &tool.dialogs.messages.constLast() && !row.message.isEmpty() ? row.icon : OperatorMessage::Icon::Critical);
        if (scenario == Launch::Copied)
            QCOMPARE(tool.folder.read("KVXServer.exe"), tool.folder.read("my-server.sh"));
        if (ending)
            QCOMPARE(QDir(tool.folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        const bool ends = row.started || listen || ending;
        // The standby window stays on screen once the server started (it goes with the
        // tool's process), and goes when the server did not start.
        const QWidget *standby = window->findChild<QWidget *>("frmstandby");
        QCOMPARE(QVariantList({tool.ended->count(), window->isVisible() || tool.wizard->isVisible(), paints.painted.contains("frmstandby"), standby && standby->isVisible()}),
                 QVariantList({ends ? 1 : 0, !ends, row.started || scenario == Launch::NotStartable, row.started}));
        if (row.started)
            QTRY_VERIFY(tool.folder.exists("server-started"));
        else
            QVERIFY(!tool.folder.exists("server-started"));
    }

    // "About" opens the box modal over the wizard; its web button opens the
    // address it shows and leaves the box open; OK closes it.
    void aboutBox()
    {
        ToolRun tool;
        tool.show("wizard");
        QStringList seen;
        // Works the box while it is open, and closes it, so a failure cannot hang.
        QTimer::singleShot(0, this, [&] {
            QWidget *box = QApplication::activeModalWidget();
            seen << box->objectName() << (box->parentWidget() == tool.wizard ? "over the wizard" : "not owned");
            ToolRun::click(box, {"Command1"});
            seen << (box->isVisible() ? "open" : "closed") << ToolRun::get<QPushButton>(box, "Command1")->text();
            ToolRun::click(box, {"cmdOK"});
            seen << (box->isVisible() ? "open" : "closed");
            box->close();
        });
        QDesktopServices::setUrlHandler("https", this, "openInBrowser");
        tool.click({"cmdabout"});
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(seen, QStringList({"frmAbout", "over the wizard", "open", opened.value(0).toString(), "closed"}));
        QCOMPARE(opened.size(), 1);
        QCOMPARE(tool.dialogs.texts(), QStringList());
    }

    // Each new MOTD editor reads motd.txt again; an unreadable one is told once.
    void unreadableMotdIsToldOnce()
    {
        ToolRun tool;
        QVERIFY(QDir(tool.folder.path()).mkdir("motd.txt"));
        tool.start(true); // -listen: the classic editor reads it too
        tool.lifetime->showFromClassic();
        tool.goToPage(7);
        tool.click({"cmdchangemotd"});
        QVERIFY(tool.lifetime->motdEditor()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        tool.click({"cmdnext"});
        QCOMPARE(ToolRun::motdEditors().size(), 1); // the commit's, closed as the tool ended
        QCOMPARE(tool.dialogs.texts().size(), 1);
        QCOMPARE(tool.ended->count(), 1);
    }

    // The classic editor, opened as the operator opens it (through the
    // wizard's first page, or under -listen). Its keys and rules are below.

    // The fields a file gives, the map rule run in the file's order (it sees
    // the count read so far), reach the controls.
    void loading_data()
    {
        QTest::addColumn<QStringList>("lines"); // empty: no kvxserver.conf
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("players");
        QTest::newRow("no file") << QStringList() << "Vice City - Deathmatch" << "26";
        QTest::newRow("map, then count") << QStringList{"GameMap 2", "MaxPlayers 30"} << "Vice City - Stunt" << "30";
        QTest::newRow("count, Stunt, GTA") << QStringList{"MaxPlayers 40", "GameMap 2", "GameMap 3", "ServerPasswordEnabled 1",
                                                          "ServerPassword \"pw\"", "#show page 1: 0"}
                                           << "GTA3 - Portland" << "26";
    }
    void loading()
    {
        QFETCH(QStringList, lines);
        ToolRun tool;
        if (!lines.isEmpty())
            tool.folder.write("kvxserver.conf", crLfBytes(lines));
        tool.folder.write("motd.txt", lines.isEmpty() ? QByteArray() : QByteArray("Hi\r\n"));
        tool.start();
        ClassicFields expected = classicDefaults();
        QFETCH(QString, map);
        QFETCH(QString, players);
        expected.cmbgamemode = map;
        expected.txtplayers = players;
        expected.txtpwd = lines.contains("ServerPassword \"pw\"") ? "pw" : "";
        QCOMPARE(tool.classic()->fields(), expected);
        QCOMPARE(ToolRun::get<QPlainTextEdit>(tool.classic(), "Text8")->toPlainText(), lines.isEmpty() ? "" : "Hi");
    }

    void listenModeLocksAndSaves()
    {
        ToolRun tool;
        const QByteArray file = crLfBytes({"ServerName \"Front\"", "ServerPort 2500", "MaxPlayers 31", "GameMap 5", "ASE 0"});
        tool.folder.write("kvxserver.conf", file);
        tool.start(true); // -listen
        ClassicWindow *classic = tool.classic();
        QCOMPARE(ToolRun::get<QPushButton>(classic, "Command2")->text(), "Save && return");
        QVERIFY(ToolRun::get(classic, "FrameListen")->isVisible() && !ToolRun::get(classic, "Command4")->isVisible());
        for (const char *name : {"Frame1", "Frame2", "Frame4", "Frame5", "Frame7"})
            QVERIFY2(!ToolRun::get(classic, name)->isEnabled(), name);
        QCOMPARE(classic->focusWidget(), ToolRun::get(classic, "txtpwd"));

        // No KVXServer.exe: the save still ends the tool at once, asking nothing.
        ToolRun::type(ToolRun::get<QLineEdit>(classic, "txtpwd"), "pw");
        ToolRun::click(classic, {"Command2"});
        QCOMPARE(tool.folder.read("kvxserver.conf"),
                 fixture("default-classic.conf", committedClassic({{5, "ServerName \"Front\""}, {26, "ServerPort 2500"}, {41, "MaxPlayers 31"},
                                                                  {50, "GameMap 5"}, {93, "ASE 0"}, {138, "ServerPasswordEnabled 1"}, {145, "ServerPassword \"pw\""}})));
        QCOMPARE(tool.folder.read("kvxserver.conf.bak"), file);
        QCOMPARE(tool.folder.read("motd.txt"),
                 "Welcome\r\n\r\nI have not yet edited the motd.txt file, but this is my Server!\r\n\r\nHave fun.\r\n\r\n");
        QCOMPARE(tool.ended->count(), 1);
        QCOMPARE(tool.dialogs.texts() + QStringList(tool.dialogs.fileRequests.size(), "asked"), QStringList());
    }

    // "&Wizard..." and back through the first page: the same editor, with
    // its unsaved edits and without reading the files again.
    void handOverKeepsOneEditor()
    {
        ToolRun tool;
        tool.start();
        ClassicWindow *classic = tool.classic();
        ToolRun::type(ToolRun::get<QLineEdit>(classic, "txtserver"), "Edited");
        ToolRun::click(classic, {"chkadmin", "Command4"});
        QVERIFY(!classic->isVisible() && tool.wizard->isVisible());
        QCOMPARE(tool.page(), 2);
        tool.folder.write("kvxserver.conf", "ServerName \"From file\"\r\n");
        QCOMPARE(tool.classic(), classic);
        QVERIFY(classic->isVisible() && !tool.wizard->isVisible());
        ClassicFields edited = classicDefaults();
        edited.txtserver = "Edited";
        edited.chkadmin = Qt::Checked;
        QCOMPARE(classic->fields(), edited);
        QCOMPARE(tool.ended->count(), 0);
    }

    // Pasted line breaks and other control characters become spaces; what
    // the file held stays as it was, also when the operator types beside it.
    void pastedControlCharactersBecomeSpaces_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("field");
        QTest::newRow("line breaks") << QString("a\r\nb\rc\nd") << "\tfile a b c dx";
        QTest::newRow("NUL, TAB, unit separator") << QString("a") + QChar(0) + "b\tc\x1f" << "\tfile a b c x";
    }
    void pastedControlCharactersBecomeSpaces()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, field);
        ToolRun tool;
        tool.folder.write("kvxserver.conf", "ServerName \"\tfile\"\r\n");
        tool.start();
        auto *server = ToolRun::get<QLineEdit>(tool.classic(), "txtserver");
        server->end(false);
        QApplication::clipboard()->setText(" " + pasted);
        server->paste();
        QTest::keyClick(server, Qt::Key_X);
        QCOMPARE(server->text(), field);
        QCOMPARE(server->cursorPosition(), field.size());
    }

    // The MOTD editor alone.

    // The editor loads motd.txt, takes the typed text and a new address, and
    // is closed. Then motd.txt's bytes, and either the window gone with the
    // address handed back, or, after a failed save, one critical box with
    // the reason and the window still open with the typed text.
    void saveAndClose_data()
    {
        QTest::addColumn<MotdRow>("row");
        QByteArray high; // Windows-1252 0x80-0xFF, the no-break space 0xA0 among them
        for (int b = 0x80; b <= 0xff; ++b)
            high.append(char(b));
        const QString keep, button = "button";
        const QByteArray ab = "a\r\nb\r\n", old = "old\r\n";
        QTest::newRow("two lines") << MotdRow{ab, "a\nb", keep, button, ab};
        QTest::newRow("no final break") << MotdRow{"a\r\nb", "a\nb", keep, button, ab};
        QTest::newRow("text emptied") << MotdRow{old, "old", "", button, "\r\n"};
        QTest::newRow("no file") << MotdRow{{}, "", "a\nb", button, ab};
        QTest::newRow("lone CR") << MotdRow{"a\rb", "a\nb", keep, button, ab};
        QTest::newRow("lone LF") << MotdRow{"a\nb\n", "a\nb", keep, button, ab};
        QTest::newRow("code page") << MotdRow{high + "\r\n", keep, keep, button, high + "\r\n"};
        QTest::newRow("soft line break") << MotdRow{old, "old", "a\u2028b", button, ab}; // typed as Shift+Return
        QTest::newRow("close box") << MotdRow{old, "old", "new", "close box", old};
        QTest::newRow("CJK character") << MotdRow{old, "old", "Welcome \u6b22\u8fce", button, old,
                                                  "The message of the day holds the character \"\u6b22\" (U+6B22), which "
                                                  "the Windows-1252 code page of motd.txt cannot hold."};
        QTest::newRow("motd.txt a folder") << MotdRow{old, "old", "Precious\ntext", "button over a folder", {},
                                                      "it is a folder, not a regular file"};
    }
    void saveAndClose()
    {
        QFETCH(MotdRow, row);
        const QString address = "http://changed.example.net/motd.rtf";
        ToolFolder folder;
        if (!row.file.isNull())
            folder.write("motd.txt", row.file);
        DialogRecorder dialogs;
        QPointer<MotdWindow> window = new MotdWindow({folder.path(), false}, "http://old.example.net/motd.rtf");
        const auto cleanup = qScopeGuard([&] { delete window; }); // a window a failed save kept open
        QSignalSpy closed(window.get(), &MotdWindow::closedWithUrl);
        window->show();
        auto *text = window->findChild<QPlainTextEdit *>("txtmotd");
        if (!row.shown.isNull())
            QCOMPARE(text->toPlainText(), row.shown);
        if (!row.typed.isNull()) { // typed as the operator types it: U+2028 is Shift+Return
            text->clear();
            for (const QString &line : row.typed.split(QChar::LineSeparator)) {
                if (!text->document()->isEmpty())
                    QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
                text->insertPlainText(line);
            }
        }
        window->findChild<QLineEdit *>("txturl")->setText(address);
        if (row.closing == "button over a folder")
            QVERIFY(QFile::remove(folder.path("motd.txt")) && QDir(folder.path()).mkdir("motd.txt"));
        if (row.closing == "close box")
            QVERIFY(window->close());
        else
            QTest::mouseClick(window->findChild<QWidget *>("Command1"), Qt::LeftButton);
        QCOMPARE(folder.read("motd.txt"), row.saved);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool failed = !row.reason.isNull();
        QCOMPARE(dialogs.texts(), failed ? QStringList{"Server config Error: The message of the day could not be saved to "
                                                       + QDir::toNativeSeparators(folder.path("motd.txt")) + ":\r\n" + row.reason
                                                       + "\r\n\r\nYour text is still in the editor."} : QStringList());
        QCOMPARE(closed, failed ? QList<QVariantList>() : QList<QVariantList>{{address}});
        QCOMPARE(window.isNull(), !failed);
        if (failed) {
            QCOMPARE(dialogs.messages.at(0).icon, MessageBox::Icon::Critical);
            QVERIFY(window->isVisible());
            QCOMPARE(text->toPlainText(), row.typed);
        }
    }

    // The windows worked from the keyboard, and the wiring of each field's
    // rule in both front ends: real key clicks into shown, active windows.
    // The rules' own tables are in test_rules.cpp.

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
        ToolRun tool;
        tool.show(kind);
        tool.folder.writeStandInServer();
        tool.enterPages(kind == "wizard" ? 7 : 0);
        QFETCH(QString, button);
        QPointer<QPushButton> pressed = tool.get<QPushButton>(button);
        QCOMPARE(pressed->text(), QString::fromLatin1(QTest::currentDataTag()));
        pressed->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pressed, Qt::Key_Return);
        QFETCH(QString, written);
        QTRY_VERIFY(tool.folder.exists(written));
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

QTEST_MAIN(TestWizard)
#include "test_wizard.moc"
