// The wizard driven as an operator drives it: start-up from a tool folder,
// the page steps and what they do besides, the About box, and the last
// press that saves and starts a stand-in server; and what both front ends
// share: ending, and the commit's alerts. Every saved file is compared with
// a fixture and the lines the test changes.

#include "motd/MotdWindow.h"
#include "support/Fixture.h"
#include "support/ToolRun.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

namespace {

const QString plusNotice = "Server configuration tool: Warning,\r\n\r\n"
                           "The admin Plus system uses the same bandwith as an extra user!";

// Names of the widgets painted while it lives.
struct PaintSpy : QObject {
    QStringList painted;
    PaintSpy() { qApp->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted << watched->objectName();
        return false;
    }
};

enum class Launch { Present, Copied, Cancelled, Listen, SaveFails, NotStartable, ThroughWine };
struct LaunchRow {
    Launch scenario;
    bool saved, started;
    QList<OperatorMessage> messages; // %1 stands for the tool folder
};

} // namespace

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
        QTest::addColumn<QByteArray>("mode");      // the recorded front end; empty: no file
        QTest::addColumn<bool>("listen");
        QTest::addColumn<bool>("classicInFront");
        QTest::addColumn<QString>("folderNamed"); // a folder where a file should be
        QTest::addColumn<QString>("message");     // %1 stands for the tool folder
        const QString conf = "Server config Error: %1/kvxserver.conf could not be read: it is a folder, not a regular file\r\n"
                             "The tool starts with its default settings.";
        QTest::newRow("no file") << QByteArray() << false << false << "" << "";
        QTest::newRow("file, wizard mode") << QByteArray("wizard") << false << false << "" << "";
        QTest::newRow("file, classic mode") << QByteArray("classic") << false << true << "" << "";
        QTest::newRow("unreadable file") << QByteArray() << false << false << "kvxserver.conf" << conf;
        QTest::newRow("unreadable file, -listen") << QByteArray() << true << true << "kvxserver.conf" << conf;
        QTest::newRow("unreadable motd.txt, classic mode")
            << QByteArray("classic") << false << true << "motd.txt"
            << "Server config Error: %1/motd.txt could not be read: it is a folder, not a regular file\r\n"
               "The message of the day starts empty.";
        QTest::newRow("-listen") << QByteArray() << true << true << "" << "";
    }

    void startUp()
    {
        QFETCH(QByteArray, mode);
        QFETCH(bool, listen);
        QFETCH(bool, classicInFront);
        QFETCH(QString, folderNamed);
        QFETCH(QString, message);
        ToolRun tool;
        const bool skips = !mode.isEmpty();
        if (skips)
            tool.folder.write("kvxserver.conf", fixture("default-wizard.conf", committedWizard({{26, "ServerPort 2100"}, {83, "MOTDURL \"http://x.example.net/m.rtf\""}, {253, "#mode: " + mode}, {254, "#show page 1: 0"}})));
        if (!folderNamed.isEmpty())
            QVERIFY(QDir(tool.folder.path()).mkdir(folderNamed));
        const QFont systemFont = QGuiApplication::font(); // what message boxes are written in
        tool.start(listen);
        QCOMPARE(QGuiApplication::font(), systemFont);

        // An unreadable file is told once, though both front ends read it,
        // over the wizard already in its place in the middle of the screen.
        QCOMPARE(tool.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{QString(message).replace("%1/", QDir::toNativeSeparators(tool.folder.path() + "/"))});
        if (!message.isEmpty()) {
            QCOMPARE(tool.dialogs.owners.first().window, tool.wizard);
            QVERIFY((tool.dialogs.owners.first().geometry.center() - tool.wizard->screen()->availableGeometry().center()).manhattanLength() <= 2);
        }
        QCOMPARE(tool.page(), skips ? 2 : 1);
        QCOMPARE(tool.get<QLabel>("lblsection")->text(), skips ? "Game selection" : "Server Configuration Tool");
        QCOMPARE(tool.get("cmdback")->isEnabled(), skips);
        QCOMPARE(tool.get<QRadioButton>("OptClassic")->isChecked(), mode == "classic");
        WizardFields expected = wizardDefaults();
        if (skips) {
            expected.txtport = "2100";
            expected.txturl = "http://x.example.net/m.rtf";
        }
        QCOMPARE(tool.wizard->fields(), expected);
        QCOMPARE(tool.get<QLineEdit>("txtase")->text(), skips ? "2223" : "2126"); // the reader's port, plus 123
        // Building the document referred to the MOTD editor, which loaded hidden.
        QCOMPARE(ToolRun::motdEditors().size(), 1);
        QVERIFY(!ToolRun::motdEditors().first()->isVisible());
        QCOMPARE(tool.wizard->isVisible(), !classicInFront);
        QCOMPARE(tool.lifetime->classic() && tool.lifetime->classic()->isVisible(), classicInFront);
    }

    // Every page both ways, with the titles that depend on the direction.
    void pageSteps()
    {
        ToolRun tool;
        tool.start();
        const QStringList forward = {"Game selection", "Basic server settings", "More basic settings",
                                     "Environmental settings", "Admin settings", "Ready, Set, GO!"};
        const QStringList backward = {"Server configuration Tool", "Game Selection", "Basic server settings",
                                      "Player settings", "Environmental settigns", "Admin settings"};
        for (int page = 2; page <= 7; ++page) {
            tool.click({"cmdnext"});
            QCOMPARE(tool.page(), page);
            QCOMPARE(tool.get<QLabel>("lblsection")->text(), forward.at(page - 2));
            QVERIFY(tool.get("cmdback")->isEnabled());
            QCOMPARE(tool.get<QPushButton>("cmdnext")->text(), page == 7 ? "Launch!" : "&Next >>");
        }
        for (int page = 6; page >= 1; --page) {
            tool.click({"cmdback"});
            QCOMPARE(tool.page(), page);
            QCOMPARE(tool.get<QLabel>("lblsection")->text(), backward.at(page - 1));
            QCOMPARE(tool.get("cmdback")->isEnabled(), page > 1);
            QCOMPARE(tool.get<QPushButton>("cmdnext")->text(), "&Next >>");
        }
        QCOMPARE(tool.dialogs.texts(), QStringList());
    }

    // Leaving the map page forward holds a Vice City map to 26 players; the
    // Admin+ notice follows the Admin+ box alone, at each arrival on page 7.
    void stepSideEffects_data()
    {
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("players");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("box");
        QTest::newRow("Deathmatch, 27") << "optvicedm" << "27" << "26" << "chkadminplus";
        QTest::newRow("Stunt, 27") << "optvicestunt" << "27" << "26" << "chkadmin";
        QTest::newRow("Stunt, 26") << "optvicestunt" << "26" << "26" << "";
        QTest::newRow("GTA III, 30") << "optgta3ssv" << "30" << "30" << "chkadminplus";
    }

    void stepSideEffects()
    {
        QFETCH(QString, map);
        QFETCH(QString, players);
        QFETCH(QString, after);
        QFETCH(QString, box);
        ToolRun tool;
        tool.start();
        tool.click({"cmdnext", map});
        tool.get<QLineEdit>("txtplayers")->setText(players);
        tool.goToPage(6);
        QCOMPARE(tool.get<QLineEdit>("txtplayers")->text(), after);
        if (!box.isEmpty())
            tool.click({box});
        tool.click({"cmdnext", "cmdback", "cmdnext"});
        const QStringList notices = box == "chkadminplus" ? QStringList{plusNotice, plusNotice} : QStringList();
        QCOMPARE(tool.dialogs.texts(), notices);
        for (const OperatorMessage &notice : tool.dialogs.messages)
            QCOMPARE(notice.icon, OperatorMessage::Icon::Information);
    }

    void launch_data()
    {
        using I = OperatorMessage::Icon;
        const QString info = "Server Config Info";
        QTest::addColumn<LaunchRow>("row");
        QTest::newRow("server present") << LaunchRow{Launch::Present, true, true, {}};
        QTest::newRow("server copied") << LaunchRow{Launch::Copied, true, true,
            {{I::Exclamation, info, "The server executable has been copied to %1/KVXServer.exe. This to be used with the stored "
                                    "config file and MOTD. We recommend updating your shortcuts if you want to keep using this config file."}}};
        QTest::newRow("dialog cancelled") << LaunchRow{Launch::Cancelled, true, false, {}};
        QTest::newRow("-listen") << LaunchRow{Launch::Listen, true, false, {}};
        QTest::newRow("save fails") << LaunchRow{Launch::SaveFails, false, false,
            {{I::Critical, "Server config Error", "%1/kvxserver.conf could not be written: it is a folder, not a regular file"}}};
#ifdef Q_OS_UNIX
        // Execute permission is POSIX's.
        QTest::newRow("server not startable") << LaunchRow{Launch::NotStartable, true, false,
            {{I::Critical, info, "The server %1/KVXServer.exe could not be started: execv: Permission denied"}}};
        // A Windows program (x86-64) goes to the wine on the PATH, a stand-in.
        QTest::newRow("a Windows server, through wine") << LaunchRow{Launch::ThroughWine, true, true, {}};
#endif
    }

    // From the first page to the last press, as the operator goes: the
    // file's bytes, the dialog's request, the messages and their icons, the
    // standby window and the started server.
    void launch()
    {
        QFETCH(LaunchRow, row);
        ToolRun tool;
        if (row.scenario == Launch::Copied) {
            tool.folder.writeStandInServer("my-server.sh");
            tool.dialogs.queueFileName(tool.folder.path("my-server.sh"));
        } else if (row.scenario != Launch::Cancelled && row.scenario != Launch::Listen) {
            tool.folder.writeStandInServer();
        }
        if (row.scenario == Launch::NotStartable)
            QVERIFY(QFile::setPermissions(tool.folder.path("KVXServer.exe"), QFile::ReadOwner | QFile::WriteOwner));
        const QByteArray path = qgetenv("PATH");
        const auto restorePath = qScopeGuard([path] { qputenv("PATH", path); });
        if (row.scenario == Launch::ThroughWine) {
            QByteArray program(0x100, '\0');
            program.replace(0, 2, "MZ").replace(0x3C, 1, "\x80").replace(0x80, 6, QByteArray("PE\0\0\x64\x86", 6));
            tool.folder.write("KVXServer.exe", program);
            QVERIFY(QDir(tool.folder.path()).mkdir("bin"));
            // Written where it runs: in the server folder, or the test misses it.
            tool.folder.write("bin/wine", "#!/bin/sh\necho \"$*\" > server-started\n", true);
            qputenv("PATH", QFile::encodeName(tool.folder.path("bin")) + ':' + path);
        }
        const bool listen = row.scenario == Launch::Listen;
        tool.start(listen);
        tool.lifetime->showFromClassic(); // under -listen, as "&Wizard..." does
        if (row.scenario == Launch::SaveFails)
            QVERIFY(QDir(tool.folder.path()).mkdir("kvxserver.conf"));

        // A pasted line break becomes a space; the MOTD address typed into
        // its editor outlives the editor, and a second press of "Change
        // MOTD ..." shows the same editor.
        tool.click({"chkremember", "cmdnext", "optvicedm", "cmdnext"});
        QGuiApplication::clipboard()->setText("Sunny\n\"Beach\"");
        tool.get<QLineEdit>("txtserver")->selectAll();
        tool.get<QLineEdit>("txtserver")->paste();
        tool.goToPage(7);
        tool.click({"cmdchangemotd"});
        MotdWindow *motd = tool.lifetime->motdEditor();
        tool.click({"cmdchangemotd"});
        QCOMPARE(tool.lifetime->motdEditor(), motd);
        ToolRun::type(ToolRun::get<QLineEdit>(motd, "txturl"), "http://changed.example.org/motd.rtf");
        motd->close();
        // Reading the fields takes the closed editor's address and makes no new editor.
        QCOMPARE(tool.wizard->fields().txturl, "http://changed.example.org/motd.rtf");
        QCOMPARE(ToolRun::motdEditors(), QList<QWidget *>{motd});
        PaintSpy paints;
        tool.click({"cmdnext"});

        const QByteArray saved = fixture("default-wizard.conf", committedWizard({{5, "ServerName \"Sunny \"Beach\"\""}, {50, "GameMap 1"},
                                                                                  {83, "MOTDURL \"http://changed.example.org/motd.rtf\""}, {254, "#show page 1: 0"}}));
        QCOMPARE(tool.folder.read("kvxserver.conf"), row.saved ? saved : QByteArray());
        const bool asked = row.scenario == Launch::Copied || row.scenario == Launch::Cancelled;
        QCOMPARE(tool.dialogs.fileRequests.size(), asked ? 1 : 0);
        if (asked) {
            const FileDialog::Request &request = tool.dialogs.fileRequests.first();
            QCOMPARE(request.title, "Please select a copy of KVXServer.exe");
            QCOMPARE(request.folder, tool.folder.path());
            QCOMPARE(request.filter, "KVXServer.exe|KVXServer.exe|All Files (*.*)|*.*");
        }
        QStringList messages;
        for (const OperatorMessage &message : row.messages)
            messages << message.title + ": " + QString(message.text).replace("%1/", QDir::toNativeSeparators(tool.folder.path() + "/"));
        QCOMPARE(tool.dialogs.texts(), messages);
        for (qsizetype i = 0; i < messages.size(); ++i)
            QCOMPARE(tool.dialogs.messages.at(i).icon, row.messages.at(i).icon);
        if (row.scenario == Launch::Copied)
            QCOMPARE(tool.folder.read("KVXServer.exe"), tool.folder.read("my-server.sh"));
        const bool ends = row.started || listen;
        QCOMPARE(tool.ended->count(), ends ? 1 : 0);
        QCOMPARE(tool.wizard->isVisible(), !ends);
        QCOMPARE(tool.get<QPushButton>("cmdnext")->text(), listen ? "Finish" : "Launch!");
        QCOMPARE(paints.painted.contains("frmstandby"), row.started || row.scenario == Launch::NotStartable);
        if (row.started)
            QTRY_VERIFY(tool.folder.exists("server-started"));
        else
            QVERIFY(!tool.folder.exists("server-started"));
    }

    // Both front ends: "&Exit", "Cancel" or the close box end the tool once,
    // from any page and after an edit, writing nothing and asking nothing.
    void ending_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("button"); // empty: the close box
        QTest::newRow("wizard, &Exit") << "wizard" << "cmdcancel";
        QTest::newRow("wizard, close box") << "wizard" << "";
        QTest::newRow("classic, Cancel") << "classic" << "Command1";
        QTest::newRow("classic, close box") << "classic" << "";
    }
    void ending()
    {
        QFETCH(QString, kind);
        QFETCH(QString, button);
        ToolRun tool;
        QWidget *window = tool.show(kind);
        if (window == tool.wizard)
            tool.goToPage(7);
        tool.get<QLineEdit>("txtserver")->setText("x");
        if (button.isEmpty())
            QVERIFY(window->windowHandle()->close());
        else
            ToolRun::click(window, {button});
        QCOMPARE(tool.ended->count(), 1);
        QVERIFY(!window->isVisible() && !tool.wizard->isVisible());
        QCOMPARE(QDir(tool.folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(tool.dialogs.texts(), QStringList());
    }

    // Both front ends' commit: the admin alerts in order, each critical;
    // they stop neither the save nor the launch.
    void adminAlerts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("wizard") << "wizard" << fixture("default-wizard.conf", {{153, "AdminServer 1"}});
        QTest::newRow("classic") << "classic" << fixture("default-classic.conf", {{77, "MOTDEnabled 0"}, {153, "AdminServer 1"}});
    }
    void adminAlerts()
    {
        QFETCH(QString, kind);
        ToolRun tool;
        tool.folder.writeStandInServer();
        QWidget *window = tool.show(kind);
        if (window == tool.wizard)
            tool.goToPage(6);
        ToolRun::click(window, {"chkadmin", "chkadminplus"});
        tool.get<QLineEdit>("txtadminport")->clear();
        if (window == tool.wizard)
            tool.goToPage(7);
        tool.dialogs.clear(); // the Admin+ notice
        ToolRun::click(window, {window == tool.wizard ? "cmdnext" : "Command2"});
        QCOMPARE(tool.dialogs.texts(), QStringList({"KVX Alert: The Adminpanel password needs to be filled in",
                                                    "KVX Alert: The Adminpanel port needs to be filled in",
                                                    "KVX Alert: The Admin plus password needs to be filled in"}));
        for (const OperatorMessage &alert : tool.dialogs.messages)
            QCOMPARE(alert.icon, OperatorMessage::Icon::Critical);
        QTEST(tool.folder.read("kvxserver.conf"), "saved");
        QTRY_VERIFY(tool.folder.exists("server-started"));
    }

    // "About" opens the box modal over the wizard; its web button opens the
    // address it shows and leaves the box open; OK closes it.
    void aboutBox()
    {
        ToolRun tool;
        tool.show("wizard");
        QStringList seen;
        QString shown;
        // Works the box while it is open, and closes it, so a failure cannot hang.
        QTimer::singleShot(0, this, [&] {
            QWidget *box = QApplication::activeModalWidget();
            auto *web = ToolRun::get<QPushButton>(box, "Command1");
            shown = web->text();
            seen << box->objectName() << (box->parentWidget() == tool.wizard ? "over the wizard" : "not owned");
            QTest::mouseClick(web, Qt::LeftButton);
            seen << (box->isVisible() ? "open" : "closed");
            ToolRun::click(box, {"cmdOK"});
            seen << (box->isVisible() ? "open" : "closed");
            box->close();
        });
        QDesktopServices::setUrlHandler("https", this, "openInBrowser");
        tool.click({"cmdabout"});
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(seen, QStringList({"frmAbout", "over the wizard", "open", "closed"}));
        QCOMPARE(opened, QList<QUrl>{QUrl(shown)});
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
};

QTEST_MAIN(TestWizard)
#include "test_wizard.moc"
