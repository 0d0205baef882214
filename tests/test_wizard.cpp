// The wizard window driven as an operator drives it: start-up from the tool
// folder, the page steps, the wiring of the key rules and spinners, the MOTD
// editor, ending, and the last press that saves and starts a stand-in server.
// The rules' own tables are tested in test_input_rules.cpp, the builders and
// commits in test_config_*.cpp; here one or two rows prove each is attached.

#include "wizard/WizardWindow.h"
#include "classic/ClassicWindow.h"
#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "motd/MotdWindow.h"
#include "support/DialogRecorder.h"
#include "support/LayoutCheck.h"
#include "support/ToolFolder.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QStringList frames = {"FrameMain",        "FrameGame",  "FrameBasics", "FramePlayers",
                            "FrameEnvironment", "FrameAdmin", "FrameFinal"};
const QString portDigits = "Server config Error: Only numbers can be enterd.";
const QString plusNotice = "Server configuration tool: Warning,\r\n\r\n"
                           "The admin Plus system uses the same bandwith as an extra user!";

// One run of the tool in its own folder, with every dialog answered.
struct Tool {
    ToolFolder folder;
    DialogRecorder dialogs;
    std::unique_ptr<WizardWindow> wizard;
    std::unique_ptr<QSignalSpy> ended;

    void start(const QStringList &arguments = {})
    {
        wizard = std::make_unique<WizardWindow>(ToolContext{folder.path(), arguments});
        ended = std::make_unique<QSignalSpy>(wizard.get(), &WizardWindow::toolEnded);
        wizard->start();
    }
    template <typename T = QWidget> T *get(const QString &name) const
    {
        if (T *control = wizard->findChild<T *>(name))
            return control;
        qFatal("no control %s", qPrintable(name));
    }
    QLineEdit *edit(const QString &name) const { return get<QLineEdit>(name); }
    QString text(const QString &field) const { return edit(field)->text(); }
    template <typename... Names> void click(const Names &...names) const
    {
        (QTest::mouseClick(get(names), Qt::LeftButton), ...);
    }
    void goToPage(int page) const
    {
        for (int step = 0; step < 7 && wizard->currentPage() < page; ++step)
            click("cmdnext");
    }
    // The one page frame on show, 1 to 7; 0 when none or several are.
    int pageOnShow() const
    {
        QList<int> shown;
        for (int page = 1; page <= 7; ++page)
            if (!get(frames.at(page - 1))->isHidden())
                shown << page;
        return shown.size() == 1 ? shown.first() : 0;
    }
};

enum class File { None, SkipsPage1 };

// A key typed into `field` on `page`, or the spinner `button` clicked. Vice
// City is clicked on page 2 first; `map`, when given, is chosen just before
// the key, so the player rule must read the map at the key press.
struct FieldRow {
    int page;
    QString field, text;
    Qt::Key key = Qt::Key_unknown;
    QString expected;
    QStringList messages = {};
    QString ase = "2126";
    QString map = {};
    bool selected = false;
    QString button = {};
};

enum class Launch { Present, Copied, Cancelled, Listen, SaveFails, NoExecBit };
struct LaunchRow {
    Launch scenario;
    bool saved, started, asked;
    QString message; // the start of the one message, if any
};

} // namespace

Q_DECLARE_METATYPE(File)
Q_DECLARE_METATYPE(FieldRow)
Q_DECLARE_METATYPE(LaunchRow)

class TestWizard : public QObject
{
    Q_OBJECT

private slots:
    void startUp_data()
    {
        QTest::addColumn<File>("file");
        QTest::addColumn<bool>("classicMode");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("classicInFront");
        QTest::addColumn<QString>("folderNamed"); // a folder where a file should be
        QTest::addColumn<QString>("message");     // %1 stands for the tool folder
        const QString conf = "Server config Error: %1/kvxserver.conf could not be read: file to open is a directory\r\n"
                             "The tool starts with its default settings.";
        QTest::newRow("no file") << File::None << false << QStringList() << false << "" << "";
        QTest::newRow("file, wizard mode") << File::SkipsPage1 << false << QStringList() << false << "" << "";
        QTest::newRow("file, classic mode") << File::SkipsPage1 << true << QStringList() << true << "" << "";
        QTest::newRow("unreadable file") << File::None << false << QStringList() << false << "kvxserver.conf" << conf;
        QTest::newRow("unreadable file, -listen") << File::None << false << QStringList{"-listen"} << true << "kvxserver.conf" << conf;
        QTest::newRow("unreadable motd.txt, classic mode")
            << File::SkipsPage1 << true << QStringList() << true << "motd.txt"
            << "Server config Error: The message of the day could not be read from %1/motd.txt:\r\nfile to open is a directory";
        QTest::newRow("-listen") << File::None << false << QStringList{"-listen"} << true << "" << "";
        QTest::newRow("-LISTEN") << File::None << false << QStringList{"-LISTEN"} << false << "" << "";
        QTest::newRow("-listen extra") << File::None << false << QStringList{"-listen", "extra"} << false << "" << "";
    }

    void startUp()
    {
        QFETCH(File, file);
        QFETCH(bool, classicMode);
        QFETCH(QStringList, arguments);
        QFETCH(bool, classicInFront);
        QFETCH(QString, folderNamed);
        QFETCH(QString, message);
        Tool tool;
        const bool skips = file == File::SkipsPage1;
        WizardFields expected = wizardDefaults();
        if (skips) {
            expected.txtport = "2100";
            expected.txturl = "http://motd.example.net/kvx/motd.rtf";
            ConfigDocument stored = buildwizard(expected);
            commitwizard(stored, expected, {Qt::Checked, classicMode, !classicMode});
            QVERIFY(saveconfig(configFilePath(tool.folder.path()), stored).ok);
        }
        if (!folderNamed.isEmpty())
            QVERIFY(QDir(tool.folder.path()).mkdir(folderNamed));
        tool.start(arguments);

        // An unreadable file is told once, though both front ends read it,
        // over the wizard already in its place in the middle of the screen.
        const QString folder = QDir::toNativeSeparators(tool.folder.path());
        QCOMPARE(tool.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message.arg(folder)});
        if (!message.isEmpty()) {
            QCOMPARE(tool.dialogs.owners.first().window, tool.wizard.get());
            const QPoint offCentre = tool.dialogs.owners.first().geometry.center() - tool.wizard->screen()->availableGeometry().center();
            QVERIFY(offCentre.manhattanLength() <= 2);
        }
        QCOMPARE(tool.pageOnShow(), skips ? 2 : 1);
        QCOMPARE(tool.get<QLabel>("lblsection")->text(), skips ? "Game selection" : "Server Configuration Tool");
        QCOMPARE(tool.get("cmdback")->isEnabled(), skips);
        QCOMPARE(tool.get<QRadioButton>("OptWizard")->isChecked(), !classicMode);
        QCOMPARE(tool.wizard->fields(), expected);
        // The reader set the port through the field, so the ASE port followed.
        QCOMPARE(tool.text("txtase"), skips ? "2223" : "2126");
        QCOMPARE(tool.wizard->document(), buildwizard(expected));
        QVERIFY(!tool.wizard->motdWindow()->isVisible());
        QCOMPARE(tool.wizard->isVisible(), !classicInFront);
        QCOMPARE(tool.wizard->classicWindow() && tool.wizard->classicWindow()->isVisible(), classicInFront);
    }

    // Every page both ways, and no caption clipped on any of them.
    void pageSteps()
    {
        Tool tool;
        tool.start();
        const QStringList forward = {"Game selection",         "Basic server settings", "More basic settings",
                                     "Environmental settings", "Admin settings",        "Ready, Set, GO!"};
        const QStringList backward = {"Server configuration Tool", "Game Selection",         "Basic server settings",
                                      "Player settings",           "Environmental settigns", "Admin settings"};
        for (int page = 2; page <= 7; ++page) {
            tool.click("cmdnext");
            QCOMPARE(tool.pageOnShow(), page);
            QCOMPARE(tool.get<QLabel>("lblsection")->text(), forward.at(page - 2));
            QVERIFY(tool.get("cmdback")->isEnabled());
            QCOMPARE(tool.get<QPushButton>("cmdnext")->text(), page == 7 ? "Launch!" : "&Next >>");
            QCOMPARE(clippedCaptions(tool.wizard.get()), QStringList());
        }
        for (int page = 6; page >= 1; --page) {
            tool.click("cmdback");
            QCOMPARE(tool.pageOnShow(), page);
            QCOMPARE(tool.get<QLabel>("lblsection")->text(), backward.at(page - 1));
            QCOMPARE(tool.get("cmdback")->isEnabled(), page > 1);
            QCOMPARE(tool.get<QPushButton>("cmdnext")->text(), "&Next >>");
        }
        QCOMPARE(clippedCaptions(tool.wizard.get()), QStringList());
        QCOMPARE(tool.dialogs.texts(), QStringList()); // no Admin+ notice while it is unticked
    }

    void fieldRules_data()
    {
        QTest::addColumn<FieldRow>("row");
        const QString range26 = "Server config Error: Please enter a number between 2 and 26";
        QTest::newRow("III 3 then 2") << FieldRow{4, "txtplayers", "3", Qt::Key_2, "32", {}, "2126", "optgta3ssv"};
        QTest::newRow("VC 2 then 7") << FieldRow{4, "txtplayers", "2", Qt::Key_7, "2", {range26}, "2126", "optvicedm"};
        QTest::newRow("VC selection") << FieldRow{4, "txtplayers", "26", Qt::Key_9, "9", {}, "2126", "", true};
        QTest::newRow("port digit") << FieldRow{3, "txtport", "200", Qt::Key_3, "2003"};
        QTest::newRow("port letter") << FieldRow{3, "txtport", "2003", Qt::Key_A, "2003", {portDigits}};
        QTest::newRow("port Backspace") << FieldRow{3, "txtport", "2003", Qt::Key_Backspace, "200", {}, "323"};
        QTest::newRow("admin port space") << FieldRow{6, "txtadminport", "4003", Qt::Key_Space, "4003", {portDigits}};
        QTest::newRow("hour letter") << FieldRow{5, "txthour", "12", Qt::Key_X, "12x"};
        QTest::newRow("minute digit") << FieldRow{5, "txtminute", "30", Qt::Key_9, "309"};
        QTest::newRow("hour spinner") << FieldRow{5, "txthour", "0", {}, "23", {}, "2126", "", false, "UDhourDown"};
        QTest::newRow("minute spinner") << FieldRow{5, "txtminute", "59", {}, "0", {}, "2126", "", false, "udminuteUp"};
    }

    void fieldRules()
    {
        QFETCH(FieldRow, row);
        Tool tool;
        tool.start();
        tool.click("cmdnext", "optvicestunt");
        tool.goToPage(row.page);
        if (!row.map.isEmpty())
            tool.get<QRadioButton>(row.map)->setChecked(true);
        QLineEdit *field = tool.edit(row.field);
        field->setText(row.text);
        if (row.selected)
            field->selectAll();
        if (row.button.isEmpty())
            QTest::keyClick(field, row.key);
        else
            tool.click(row.button);
        QCOMPARE(field->text(), row.expected);
        QCOMPARE(tool.text("txtase"), row.ase);
        QCOMPARE(tool.dialogs.texts(), row.messages);
    }

    // The About box is modal over the wizard and leaves the tool running;
    // "&Exit" or the close box then end it once, writing nothing.
    void aboutThenEnding_data()
    {
        QTest::addColumn<bool>("exitButton");
        QTest::newRow("&Exit") << true;
        QTest::newRow("close box") << false;
    }

    void aboutThenEnding()
    {
        QFETCH(bool, exitButton);
        Tool tool;
        tool.start();
        QString seen;
        QTimer::singleShot(0, this, [&] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                seen = modal->objectName() + " over " + modal->parentWidget()->objectName();
                modal->close();
            }
        });
        tool.click("cmdabout");
        QCOMPARE(seen, "frmAbout over frmmain");
        QVERIFY(tool.wizard->isVisible());
        tool.goToPage(7);
        if (exitButton)
            tool.click("cmdcancel");
        else
            QVERIFY(tool.wizard->close());
        QCOMPARE(tool.ended->count(), 1);
        QVERIFY(!tool.wizard->isVisible());
        QCOMPARE(QDir(tool.folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void launch_data()
    {
        QTest::addColumn<LaunchRow>("row");
        QTest::newRow("server present") << LaunchRow{Launch::Present, true, true, false, ""};
        QTest::newRow("server copied") << LaunchRow{Launch::Copied, true, true, true,
                                                    "Server Config Info: The server executable has been copied to "};
        QTest::newRow("dialog cancelled") << LaunchRow{Launch::Cancelled, true, false, true, ""};
        QTest::newRow("-listen") << LaunchRow{Launch::Listen, true, false, false, ""};
        QTest::newRow("save fails") << LaunchRow{Launch::SaveFails, false, false, false, "Server config Error: "};
        QTest::newRow("no exec bit") << LaunchRow{Launch::NoExecBit, true, false, false, "Server Config Info: "};
    }

    void launch()
    {
        QFETCH(LaunchRow, row);
        Tool tool;
        if (row.scenario == Launch::Copied) {
            tool.folder.writeStandInServer("my-server.sh");
            tool.dialogs.queueFileName(tool.folder.path("my-server.sh"));
        } else if (row.scenario != Launch::Cancelled && row.scenario != Launch::Listen) {
            tool.folder.writeStandInServer();
        }
        if (row.scenario == Launch::NoExecBit)
            QVERIFY(QFile::setPermissions(tool.folder.path("KVXServer.exe"), QFile::ReadOwner | QFile::WriteOwner));
        const bool listen = row.scenario == Launch::Listen;
        tool.start(listen ? QStringList{"-listen"} : QStringList());
        tool.wizard->showFromClassic(); // under -listen, as "&Wizard..." does
        if (row.scenario == Launch::SaveFails)
            QVERIFY(QDir(tool.folder.path()).mkdir(configFileName()));

        // The operator's changes, made as the operator makes them: a pasted
        // line break becomes a space, and the MOTD address typed into its
        // editor outlives the editor.
        tool.click("chkremember", "cmdnext", "optvicedm", "cmdnext");
        QGuiApplication::clipboard()->setText("Sunny\n\"Beach\"");
        tool.edit("txtserver")->selectAll();
        tool.edit("txtserver")->paste();
        QCOMPARE(tool.text("txtserver"), "Sunny \"Beach\"");
        tool.goToPage(7);
        tool.click("cmdchangemotd");
        MotdWindow *motd = tool.wizard->motdWindow();
        QVERIFY(motd->isVisible());
        QSignalSpy gone(motd, &QObject::destroyed);
        motd->findChild<QLineEdit *>("txturl")->selectAll();
        QTest::keyClicks(motd->findChild<QLineEdit *>("txturl"), "http://changed.example.org/motd.rtf");
        motd->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(gone.count(), 1);
        tool.click("cmdnext");

        WizardFields atLaunch = wizardDefaults();
        atLaunch.map = WizardMap::optvicedm;
        atLaunch.txtserver = "Sunny \"Beach\"";
        atLaunch.txturl = "http://changed.example.org/motd.rtf";
        ConfigDocument expected = buildwizard(wizardDefaults());
        commitwizard(expected, atLaunch, {Qt::Checked, false, true});
        QCOMPARE(tool.folder.read(configFileName()), row.saved ? crLfBytes(expected.lines()) : QByteArray());

        QCOMPARE(tool.dialogs.fileRequests.size(), row.asked ? 1 : 0);
        const QStringList messages = tool.dialogs.texts();
        QCOMPARE(messages.size(), row.message.isEmpty() ? 0 : 1);
        QVERIFY2(messages.isEmpty() || messages.first().startsWith(row.message), qPrintable(messages.join("; ")));
        if (row.scenario == Launch::SaveFails)
            QCOMPARE(tool.dialogs.messages.first().icon, MessageBox::Icon::Critical);
        if (row.scenario == Launch::Copied) {
            QCOMPARE(messages.first(), row.message + QDir::toNativeSeparators(tool.folder.path("KVXServer.exe"))
                                           + ". This to be used with the stored config file and MOTD. We recommend "
                                             "updating your shortcuts if you want to keep using this config file.");
            QCOMPARE(tool.folder.read("KVXServer.exe"), tool.folder.read("my-server.sh"));
        }
        const bool ends = row.started || listen;
        QCOMPARE(tool.ended->count(), ends ? 1 : 0);
        QCOMPARE(tool.wizard->isVisible(), !ends);
        QCOMPARE(tool.get<QPushButton>("cmdnext")->text(), listen ? "Finish" : "Launch!");
        if (row.started)
            QTRY_VERIFY(tool.folder.exists("server-started"));
        else
            QVERIFY(!tool.folder.exists("server-started"));
    }

    // What steps do besides stepping: the Vice City correction on leaving
    // page 2, the Admin+ notice on each arrival at page 7; then the launch's
    // admin alerts, in order.
    void stepSideEffectsAndAdminAlerts()
    {
        Tool tool;
        tool.folder.writeStandInServer();
        tool.start();
        tool.click("cmdnext");
        tool.edit("txtplayers")->setText("30");
        tool.click("optgta3ssv", "cmdnext");
        QCOMPARE(tool.text("txtplayers"), "30");
        tool.click("cmdback", "optvicestunt", "cmdnext");
        QCOMPARE(tool.text("txtplayers"), "26");
        tool.goToPage(6);
        tool.click("chkadmin", "chkadminplus");
        tool.edit("txtadminport")->selectAll(); // both passwords are empty already
        QTest::keyClick(tool.edit("txtadminport"), Qt::Key_Backspace);
        tool.goToPage(7);
        tool.click("cmdback", "cmdnext", "cmdnext");
        QCOMPARE(tool.dialogs.texts(), QStringList({plusNotice, plusNotice,
                                                    "KVX Alert: The Adminpanel password needs to be filled in",
                                                    "KVX Alert: The Adminpanel port needs to be filled in",
                                                    "KVX Alert: The Admin plus password needs to be filled in"}));
        QCOMPARE(tool.ended->count(), 1);
        QTRY_VERIFY(tool.folder.exists("server-started"));
    }

    // Each new MOTD editor reads motd.txt again; an unreadable one is told once.
    void unreadableMotdIsToldOnce()
    {
        Tool tool;
        QVERIFY(QDir(tool.folder.path()).mkdir("motd.txt"));
        tool.start({"-listen"}); // the classic editor reads it too
        tool.wizard->showFromClassic();
        tool.goToPage(7);
        tool.click("cmdchangemotd");
        QVERIFY(tool.wizard->motdWindow()->close());
        tool.click("cmdnext");
        QCOMPARE(tool.dialogs.texts().size(), 1);
        QCOMPARE(tool.ended->count(), 1);
    }
};

QTEST_MAIN(TestWizard)
#include "test_wizard.moc"
