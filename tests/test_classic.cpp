// The classic editor driven as the operator drives it: loading, listen mode,
// the wizard round trip, save and launch, and the wiring of its field rules.
// The rule tables themselves are tested in test_input_rules, the files and
// the document in test_config_*; here one or two rows show each is attached.

#include "wizard/WizardWindow.h"
#include "classic/ClassicWindow.h"
#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigReader.h"
#include "support/DialogRecorder.h"
#include "support/LayoutCheck.h"
#include "support/ToolFolder.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

const QString defaultMotd =
    QStringLiteral("Welcome\n\nI have not yet edited the motd.txt file, but this is my Server!\n\nHave fun.\n");
const QString viceDm = QStringLiteral("Vice City - Deathmatch");
const QString shoreSide = QStringLiteral("GTA3 - Shore Side Vale");
const QString portland = QStringLiteral("GTA3 - Portland");

// motd.txt as a save writes a text box's text: CR LF breaks and a final CR LF.
QByteArray motdBytes(QString text)
{
    return text.replace(QLatin1String("\n"), QLatin1String("\r\n")).toLatin1() + "\r\n";
}

// The classic editor over a temporary tool folder, opened as the wizard opens it.
struct Harness {
    ToolFolder folder;
    DialogRecorder dialogs;
    std::unique_ptr<WizardWindow> wizard;
    std::unique_ptr<ClassicWindow> classic;
    std::unique_ptr<QSignalSpy> ended;

    ClassicWindow &open(const QStringList &arguments = {})
    {
        const ToolContext context{folder.path(), arguments};
        wizard = std::make_unique<WizardWindow>(context);
        ended = std::make_unique<QSignalSpy>(wizard.get(), &WizardWindow::toolEnded);
        classic = std::make_unique<ClassicWindow>(wizard.get(), context);
        // Ending the tool closes every window, this one included, from code.
        QObject::connect(wizard.get(), &WizardWindow::toolEnded, classic.get(), &QWidget::close);
        classic->showClassic();
        return *classic;
    }
    template <typename Widget = QWidget>
    Widget *get(const QString &name) const
    {
        auto *widget = classic->findChild<Widget *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    void click(const QString &name) const { QTest::mouseClick(get(name), Qt::LeftButton); }
    // Replaces a field's text by typing.
    static void type(QLineEdit *edit, const QString &text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void type(const QString &name, const QString &text) const { type(get<QLineEdit>(name), text); }
    // kvxserver.conf as a save writes it after loading `loaded` and editing to `saved`.
    QByteArray config(const ClassicFields &loaded, const ClassicFields &saved) const
    {
        ConfigDocument document = buildclassic(loaded);
        commitclassic(document, saved, wizard->firstPageChoices());
        return crLfBytes(document.lines());
    }
};

struct Load {
    QByteArray config; // empty: no file
    QByteArray motd;   // null: no file
    QString folder, map, players; // folder: one made in a file's place
    QString text8 = defaultMotd;
};

struct Rule {
    QString field, map, text;
    bool selected;
    // A key typed into the field, a spinner arrow clicked, "Down" pressed on
    // the map list, or ">" and a text typed into the map's edit part.
    QString action, after, message;
};

} // namespace

Q_DECLARE_METATYPE(Load)
Q_DECLARE_METATYPE(Rule)

class TestClassic : public QObject
{
    Q_OBJECT

private slots:
    void loading_data()
    {
        QTest::addColumn<Load>("load");
        const QByteArray none;
        QTest::newRow("no files") << Load{none, none, "", viceDm, "26"};
        QTest::newRow("GameMap 4") << Load{crLfBytes({"GameMap 4"}), none, "", shoreSide, "26"};
        QTest::newRow("empty motd.txt") << Load{none, "", "", viceDm, "26", ""};
        // The map rule runs when the map line is read, with the count read so far.
        QTest::newRow("map, count") << Load{crLfBytes({"GameMap 1", "MaxPlayers 30"}), none, "", viceDm, "30"};
        QTest::newRow("count, map") << Load{crLfBytes({"MaxPlayers 30", "GameMap 1"}), none, "", viceDm, "26"};
        QTest::newRow("unreadable conf") << Load{none, none, "kvxserver.conf", viceDm, "26"};
        QTest::newRow("unreadable motd") << Load{none, none, "motd.txt", viceDm, "26"};
    }
    void loading()
    {
        QFETCH(Load, load);
        Harness h;
        if (!load.config.isEmpty())
            h.folder.write("kvxserver.conf", load.config);
        if (!load.motd.isNull())
            h.folder.write("motd.txt", load.motd);
        if (!load.folder.isEmpty())
            QVERIFY(QDir(h.folder.path()).mkdir(load.folder));
        ClassicWindow &classic = h.open();

        ClassicFields expected = classicDefaults();
        expected.cmbgamemode = load.map;
        expected.txtplayers = load.players;
        QCOMPARE(classic.fields(), expected);
        auto *combo = h.get<QComboBox>("cmbgamemode");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, QStringList({portland, shoreSide, "GTA3 - Staunton Island", viceDm, "Vice City - Stunt"}));
        QCOMPARE(h.get<QPlainTextEdit>("Text8")->toPlainText(), load.text8);
        QCOMPARE(classic.document(), buildclassic(expected));
        QCOMPARE(classic.document().line(50), load.map == viceDm ? "GameMap 1" : "GameMap 4");
        QCOMPARE(h.dialogs.messages.size(), load.folder.isEmpty() ? 0 : 1);
        if (!load.folder.isEmpty())
            QVERIFY(h.dialogs.messages[0].text.startsWith(QDir::toNativeSeparators(h.folder.path(load.folder))));
    }

    void listenModeLocksAndReturns()
    {
        Harness h;
        h.folder.write("kvxserver.conf", crLfBytes({"ServerName \"Front\"", "ServerPort 2500", "MaxPlayers 31",
                                                    "GameMap 5", "ASE 0"}));
        ClassicWindow &classic = h.open({"-listen"});

        QCOMPARE(h.get<QPushButton>("Command2")->text(), QStringLiteral("Save && return"));
        QVERIFY(h.get("FrameListen")->isVisible());
        for (const char *name : {"Frame1", "Frame2", "Frame4", "Frame5", "Frame7"})
            QVERIFY2(!h.get(name)->isEnabled(), name);
        QVERIFY(!h.get("Command4")->isVisible());
        QCOMPARE(classic.focusWidget(), h.get("txtpwd"));
        QCOMPARE(clippedCaptions(&classic), QStringList());
        ClassicFields loaded = classicDefaults();
        loaded.txtserver = "Front";
        loaded.txtport = "2500";
        loaded.txtplayers = "31";
        loaded.cmbgamemode = "GTA3 - Staunton Island";
        loaded.ChkASE = Qt::Unchecked;
        QCOMPARE(classic.fields(), loaded);

        // No KVXServer.exe: the save still ends the tool at once, asking nothing.
        h.type("txtpwd", "pw");
        h.click("Command2");
        ClassicFields saved = loaded;
        saved.txtpwd = "pw";
        QCOMPARE(h.folder.read("kvxserver.conf"), h.config(loaded, saved));
        QCOMPARE(h.folder.read("motd.txt"), motdBytes(defaultMotd));
        QCOMPARE(h.ended->count(), 1);
        QCOMPARE(h.dialogs.messages.size(), 0);
        QCOMPARE(h.dialogs.fileRequests.size(), 0);
        QVERIFY(!h.folder.exists("KVXServer.exe"));
    }

    void tabOrderAndCaptions()
    {
        const QStringList chain = QStringLiteral(
            "txtplayers txtport cmbgamemode txtpwd chkmotd Text8 Check5 chkadmin chkshutdown txtadminport txtadminpwd "
            "Command2 Command3 Command1 ChkASE txthour txtminute udminute UDhour chkweather chkadminplus "
            "txtadminpluspwd Command4 txturl txtserver txtplayers").split(' ');
        Harness h;
        ClassicWindow &classic = h.open();
        for (const QString &name : chain) { // a spinner takes the focus on one of its arrows
            QWidget *focus = classic.focusWidget();
            QVERIFY2(focus == h.get(name) || focus->parentWidget() == h.get(name), qPrintable(name));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(clippedCaptions(&classic), QStringList());
    }

    void wizardAndBackKeepsEdits()
    {
        Harness h;
        ClassicWindow &classic = h.open();
        h.type("txtserver", "Edited");
        h.click("chkadmin");
        h.click("Command4");
        QVERIFY(!classic.isVisible());
        QVERIFY(h.wizard->isVisible());

        // Back from the wizard nothing is read again, not even a file that appeared.
        h.folder.write("kvxserver.conf", crLfBytes({"ServerName \"From file\"", "MaxPlayers 12"}));
        h.wizard->hide();
        classic.showClassic();
        QVERIFY(classic.isVisible());
        ClassicFields edited = classicDefaults();
        edited.txtserver = "Edited";
        edited.chkadmin = Qt::Checked;
        QCOMPARE(classic.fields(), edited);
        QCOMPARE(h.ended->count(), 0);
    }

    // Pasted line breaks and other control characters become spaces; what
    // the file held stays as it was, also when the operator types beside it.
    void pastedControlCharactersBecomeSpaces_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("field");
        QTest::newRow("line breaks") << QString("a\r\nb\rc\nd") << "\tfile a b c dx";
        QTest::newRow("NUL, TAB, ESC") << QString("a") + QChar(0) + "b\tc\x1b" << "\tfile a b c x";
    }
    void pastedControlCharactersBecomeSpaces()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, field);
        Harness h;
        h.folder.write("kvxserver.conf", "ServerName \"\tfile\"\r\n");
        h.open();
        auto *server = h.get<QLineEdit>("txtserver");
        QCOMPARE(server->text(), "\tfile");
        server->end(false);
        QApplication::clipboard()->setText(" " + pasted);
        server->paste();
        QTest::keyClick(server, Qt::Key_X);
        QCOMPARE(server->text(), field);
        QCOMPARE(server->cursorPosition(), field.size());
    }

    void saveAndLaunch_data()
    {
        QTest::addColumn<QString>("server");
        QTest::newRow("present") << "present";
        QTest::newRow("copy picked") << "picked";
        QTest::newRow("copy cancelled") << "cancelled";
    }
    void saveAndLaunch()
    {
        QFETCH(QString, server);
        Harness h;
        ToolFolder elsewhere;
        elsewhere.writeStandInServer("server-build");
        if (server == "present")
            h.folder.writeStandInServer();
        else if (server == "picked")
            h.dialogs.queueFileName(elsewhere.path("server-build"));
        ClassicWindow &classic = h.open();
        h.type("txtserver", "My \"best\" server");
        h.type("txtpwd", "secret");
        h.click("chkmotd");
        auto *text8 = h.get<QPlainTextEdit>("Text8");
        text8->selectAll();
        QTest::keyClicks(text8, "Line one");
        QTest::keyClick(text8, Qt::Key_Return);
        QTest::keyClicks(text8, "Line two");

        h.click("Command2");

        ClassicFields saved = classicDefaults();
        saved.txtserver = "My \"best\" server";
        saved.txtpwd = "secret";
        saved.chkmotd = Qt::Checked;
        QCOMPARE(h.folder.read("kvxserver.conf"), h.config(classicDefaults(), saved));
        QCOMPARE(h.folder.read("motd.txt"), motdBytes("Line one\nLine two"));
        const bool cancelled = server == "cancelled";
        QCOMPARE(h.dialogs.fileRequests.size(), server == "present" ? 0 : 1);
        QCOMPARE(classic.isVisible(), cancelled);
        QCOMPARE(h.ended->count(), cancelled ? 0 : 1);
        QCOMPARE(h.folder.exists("KVXServer.exe"), !cancelled);
        const QString copied = "Server Config Info: The server executable has been copied to "
                               + QDir::toNativeSeparators(h.folder.path("KVXServer.exe"))
                               + ". This to be used with the stored config file and MOTD. We recommend updating "
                                 "your shortcuts if you want to keep using this config file.";
        QCOMPARE(h.dialogs.texts(), server == "picked" ? QStringList{copied} : QStringList());
        if (!cancelled)
            QTRY_VERIFY(h.folder.exists("server-started"));
    }

    void failedWrite_data()
    {
        QTest::addColumn<QString>("blocked");
        QTest::newRow("kvxserver.conf") << "kvxserver.conf";
        QTest::newRow("motd.txt") << "motd.txt";
    }
    void failedWrite()
    {
        QFETCH(QString, blocked);
        Harness h;
        ClassicWindow &classic = h.open();
        QVERIFY(QDir(h.folder.path()).mkdir(blocked)); // after loading: only the write fails

        h.click("Command2");

        QCOMPARE(h.dialogs.messages.size(), 1);
        QCOMPARE(h.dialogs.messages[0].icon, MessageBox::Icon::Critical);
        QVERIFY(h.dialogs.messages[0].text.contains(QDir::toNativeSeparators(h.folder.path(blocked))));
        QCOMPARE(h.dialogs.fileRequests.size(), 0); // the launch was never reached
        QCOMPARE(h.ended->count(), 0);
        QVERIFY(classic.isVisible());
    }

    void adminAlerts_data()
    {
        QTest::addColumn<bool>("plus");
        QTest::addColumn<QString>("filled");
        QTest::addColumn<QStringList>("alerts");
        const QString password = "KVX Alert: The Adminpanel password needs to be filled in";
        const QString port = "KVX Alert: The Adminpanel port needs to be filled in";
        const QString plusPassword = "KVX Alert: The Admin plus password needs to be filled in";
        QTest::newRow("admin") << false << "" << QStringList{password, port};
        QTest::newRow("both") << true << "" << QStringList{password, port, plusPassword};
        QTest::newRow("both filled") << true << "4004" << QStringList();
    }
    void adminAlerts()
    {
        QFETCH(bool, plus);
        QFETCH(QString, filled);
        QFETCH(QStringList, alerts);
        Harness h;
        h.open();
        h.click("chkadmin");
        if (plus)
            h.click("chkadminplus");
        for (const char *name : {"txtadminport", "txtadminpwd", "txtadminpluspwd"})
            h.type(name, filled);

        h.click("Command2");

        QCOMPARE(h.dialogs.texts(), alerts);
        // The alerts never stop the save.
        QVERIFY(h.folder.read("kvxserver.conf").contains("\r\nAdminServer 1\r\n"));
        QCOMPARE(h.dialogs.fileRequests.size(), 1);
    }

    void endingWritesNothing_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close box") << true;
    }
    void endingWritesNothing()
    {
        QFETCH(bool, closeBox);
        Harness h;
        ClassicWindow &classic = h.open();
        h.type("txtserver", "x");
        if (closeBox)
            QVERIFY(classic.windowHandle()->close());
        else
            h.click("Command1");

        QCOMPARE(h.ended->count(), 1);
        QVERIFY(!classic.isVisible());
        QCOMPARE(QDir(h.folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QCOMPARE(h.dialogs.messages.size(), 0);
    }

    void rules_data()
    {
        QTest::addColumn<Rule>("rule");
        const QString range26 = "Server config Error: Please enter a number between 2 and 26";
        const QString digits = "Server config Error: Only numbers can be enterd.";
        QTest::newRow("GTA allows 31") << Rule{"txtplayers", portland, "3", false, "1", "31", ""};
        QTest::newRow("free text is VC") << Rule{"txtplayers", "gta3", "3", false, "1", "3", range26};
        QTest::newRow("selection replaced") << Rule{"txtplayers", viceDm, "32", true, "9", "9", ""};
        QTest::newRow("port") << Rule{"txtport", viceDm, "12", false, "-", "12", digits};
        QTest::newRow("admin port") << Rule{"txtadminport", viceDm, "12", false, "x", "12", digits};
        QTest::newRow("hour") << Rule{"txthour", viceDm, "2", false, "4", "2", ""};
        QTest::newRow("minute") << Rule{"txtminute", viceDm, "7", false, "6", "7", ""};
        QTest::newRow("hour spinner") << Rule{"txthour", viceDm, "23", false, "UDhourUp", "0", ""};
        QTest::newRow("minute spinner") << Rule{"txtminute", viceDm, "0", false, "udminuteDown", "59", ""};
        // The map rule: a Vice City map lowers 32 players to 26, a GTA3 map keeps them.
        QTest::newRow("typed Vice City") << Rule{"txtplayers", portland, "32", false, ">Vice City - Stunt", "26", ""};
        QTest::newRow("typed GTA3") << Rule{"txtplayers", viceDm, "32", false, ">GTA3 - Portland", "32", ""};
        QTest::newRow("picked Vice City")
            << Rule{"txtplayers", "GTA3 - Staunton Island", "32", false, "Down", "26", ""};
        QTest::newRow("picked GTA3") << Rule{"txtplayers", portland, "32", false, "Down", "32", ""};
    }
    void rules()
    {
        QFETCH(Rule, rule);
        Harness h;
        h.open();
        auto *combo = h.get<QComboBox>("cmbgamemode");
        combo->setEditText(rule.map);
        auto *edit = h.get<QLineEdit>(rule.field);
        edit->setText(rule.text);
        if (rule.selected)
            edit->selectAll();
        if (rule.action.size() == 1)
            QTest::keyClick(edit, rule.action.at(0).toLatin1());
        else if (rule.action == "Down")
            QTest::keyClick(combo, Qt::Key_Down);
        else if (rule.action.startsWith('>'))
            Harness::type(combo->lineEdit(), rule.action.mid(1));
        else
            h.click(rule.action);
        QCOMPARE(edit->text(), rule.after);
        if (rule.action == "Down") // the pick moved to the next entry
            QCOMPARE(combo->currentIndex(), combo->findText(rule.map) + 1);
        QCOMPARE(h.dialogs.texts(), rule.message.isEmpty() ? QStringList() : QStringList{rule.message});
    }


    // The snapshot reader (what the command line reads with) and the windows,
    // which read through their controls and change reactions, agree.
    void windowsAndSnapshotReaderAgree_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("count, then a Vice City map") << QStringList{"MaxPlayers 30", "GameMap 2", "ServerPort 77"};
        QTest::newRow("map, then the count") << QStringList{"GameMap 1", "MaxPlayers 31"};
        QTest::newRow("map shown already, count above") << QStringList{"MaxPlayers 40", "GameMap 1", "GameMap 3"};
        QTest::newRow("passwords and switches")
            << QStringList{"ServerPasswordEnabled 1", "ServerPassword \"pw\"", "AdminServer 1", "ASE 0",
                           "StatLogging 1", "MOTDURL \"http://a/b\"", "#show page 1: 0", "#mode: wizard"};
    }
    void windowsAndSnapshotReaderAgree()
    {
        QFETCH(QStringList, lines);
        Harness h;
        h.folder.write("kvxserver.conf", crLfBytes(lines));
        ClassicFields classic = classicDefaults();
        applyAssignments(classic, loadclassic(lines));
        QCOMPARE(h.open().fields(), classic);

        WizardWindow wizard({h.folder.path(), {}});
        wizard.start();
        WizardFields fields = wizardDefaults();
        FirstPageChoices choices;
        applyAssignments(fields, choices, loadwizard(lines));
        QCOMPARE(wizard.fields(), fields);
        QCOMPARE(wizard.firstPageChoices().chkremember, choices.chkremember);
    }
};

QTEST_MAIN(TestClassic)
#include "test_classic.moc"
