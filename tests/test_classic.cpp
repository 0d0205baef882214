// The classic editor, opened as the operator opens it (through the wizard's
// first page, or under -listen): loading, listen mode, the hand-over both
// ways, save and launch, ending, and the wiring of its rules. The rules'
// tables are in test_rules.cpp; every saved file is compared with a fixture.

#include "config/ConfigReader.h"
#include "support/Fixture.h"
#include "support/ToolRun.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QByteArray defaultMotdBytes = "Welcome\r\n\r\nI have not yet edited the motd.txt file, but this is my Server!\r\n\r\nHave fun.\r\n\r\n";

QByteArray crLf(const QStringList &lines)
{
    return lines.join("\r\n").toLatin1() + "\r\n";
}

struct Rule {
    QString field, map, text;
    bool selected;
    // A key typed into the field, a spinner arrow clicked, "Down" pressed on
    // the map list, or ">" and a text typed into the map's edit part.
    QString action, after, message;
};

} // namespace

Q_DECLARE_METATYPE(Rule)

class TestClassic : public QObject
{
    Q_OBJECT

private slots:
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
        QFETCH(QString, map);
        QFETCH(QString, players);
        ToolRun tool;
        if (!lines.isEmpty())
            tool.folder.write("kvxserver.conf", crLf(lines));
        tool.folder.write("motd.txt", lines.isEmpty() ? QByteArray() : QByteArray("Hi\r\n"));
        tool.start();
        ClassicWindow *classic = tool.classic();

        ClassicFields expected = classicDefaults();
        expected.cmbgamemode = map;
        expected.txtplayers = players;
        expected.txtpwd = lines.contains("ServerPassword \"pw\"") ? "pw" : "";
        QCOMPARE(classic->fields(), expected);

        auto *combo = ToolRun::get<QComboBox>(classic, "cmbgamemode");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, QStringList({"GTA3 - Portland", "GTA3 - Shore Side Vale", "GTA3 - Staunton Island",
                                     "Vice City - Deathmatch", "Vice City - Stunt"}));
        QCOMPARE(ToolRun::get<QPlainTextEdit>(classic, "Text8")->toPlainText(), lines.isEmpty() ? "" : "Hi");
    }

    void listenModeLocksAndSaves()
    {
        ToolRun tool;
        tool.folder.write("kvxserver.conf", crLf({"ServerName \"Front\"", "ServerPort 2500", "MaxPlayers 31", "GameMap 5", "ASE 0"}));
        tool.start(true); // -listen
        ClassicWindow *classic = tool.classic();
        QCOMPARE(ToolRun::get<QPushButton>(classic, "Command2")->text(), "Save && return");
        QVERIFY(ToolRun::get(classic, "FrameListen")->isVisible());
        for (const char *name : {"Frame1", "Frame2", "Frame4", "Frame5", "Frame7"})
            QVERIFY2(!ToolRun::get(classic, name)->isEnabled(), name);
        QVERIFY(!ToolRun::get(classic, "Command4")->isVisible());
        QCOMPARE(classic->focusWidget(), ToolRun::get(classic, "txtpwd"));

        // No KVXServer.exe: the save still ends the tool at once, asking nothing.
        ToolRun::type(ToolRun::get<QLineEdit>(classic, "txtpwd"), "pw");
        ToolRun::click(classic, {"Command2"});
        QCOMPARE(tool.folder.read("kvxserver.conf"),
                 fixture("default-classic.conf", committedClassic({{5, "ServerName \"Front\""}, {26, "ServerPort 2500"}, {41, "MaxPlayers 31"},
                                                                  {50, "GameMap 5"}, {93, "ASE 0"}, {138, "ServerPasswordEnabled 1"}, {145, "ServerPassword \"pw\""}})));
        QCOMPARE(tool.folder.read("kvxserver.conf.bak"), crLf({"ServerName \"Front\"", "ServerPort 2500", "MaxPlayers 31", "GameMap 5", "ASE 0"}));
        QCOMPARE(tool.folder.read("motd.txt"), defaultMotdBytes);
        QCOMPARE(tool.ended->count(), 1);
        QCOMPARE(tool.dialogs.texts() + QStringList(tool.dialogs.fileRequests.size(), "asked"), QStringList());
        QVERIFY(!tool.folder.exists("KVXServer.exe"));
    }

    void tabOrder()
    {
        const QStringList chain = QStringLiteral(
            "txtplayers txtport cmbgamemode txtpwd chkmotd Text8 Check5 chkadmin chkshutdown txtadminport txtadminpwd "
            "Command2 Command3 Command1 ChkASE txthour txtminute udminute UDhour chkweather chkadminplus "
            "txtadminpluspwd Command4 txturl txtserver txtplayers").split(' ');
        ToolRun tool;
        tool.start();
        ClassicWindow *classic = tool.classic();
        for (const QString &name : chain) { // a spinner takes the focus on one of its arrows
            QWidget *focus = classic->focusWidget();
            QVERIFY2(focus == ToolRun::get(classic, name) || focus->parentWidget() == ToolRun::get(classic, name), qPrintable(name));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
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
        QVERIFY(!classic->isVisible());
        QVERIFY(tool.wizard->isVisible());
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
        QTest::newRow("NUL, TAB, ESC") << QString("a") + QChar(0) + "b\tc\x1b" << "\tfile a b c x";
    }
    void pastedControlCharactersBecomeSpaces()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, field);
        ToolRun tool;
        tool.folder.write("kvxserver.conf", "ServerName \"\tfile\"\r\n");
        tool.start();
        auto *server = ToolRun::get<QLineEdit>(tool.classic(), "txtserver");
        QCOMPARE(server->text(), "\tfile");
        server->end(false);
        QApplication::clipboard()->setText(" " + pasted);
        server->paste();
        QTest::keyClick(server, Qt::Key_X);
        QCOMPARE(server->text(), field);
        QCOMPARE(server->cursorPosition(), field.size());
    }

    // Both files, the first page's choices recorded, then the server.
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
        ToolRun tool;
        ToolFolder elsewhere;
        elsewhere.writeStandInServer("server-build");
        if (server == "present")
            tool.folder.writeStandInServer();
        else if (server == "picked")
            tool.dialogs.queueFileName(elsewhere.path("server-build"));
        tool.start();
        tool.click({"chkremember"});
        ClassicWindow *classic = tool.classic();
        ToolRun::type(ToolRun::get<QLineEdit>(classic, "txtserver"), "My \"best\" server");
        ToolRun::click(classic, {"chkmotd", "Check5"});
        auto *text8 = ToolRun::get<QPlainTextEdit>(classic, "Text8");
        text8->selectAll();
        QTest::keyClicks(text8, "Line one");
        QTest::keyClick(text8, Qt::Key_Return);
        QTest::keyClicks(text8, "Line two");
        ToolRun::click(classic, {"Command2"});

        QCOMPARE(tool.folder.read("kvxserver.conf"),
                 fixture("default-classic.conf", committedWizard({{5, "ServerName \"My \"best\" server\""}, {129, "StatLogging 1"},
                                                                  {253, "#mode: classic"}, {254, "#show page 1: 0"}})));
        QCOMPARE(tool.folder.read("motd.txt"), "Line one\r\nLine two\r\n");
        const bool cancelled = server == "cancelled";
        QCOMPARE(tool.dialogs.fileRequests.size(), server == "present" ? 0 : 1);
        QCOMPARE(classic->isVisible(), cancelled);
        QCOMPARE(tool.ended->count(), cancelled ? 0 : 1);
        QCOMPARE(tool.folder.exists("KVXServer.exe"), !cancelled);
        QCOMPARE(tool.dialogs.texts().size(), server == "picked" ? 1 : 0); // the copied message, as the wizard's
        if (!cancelled)
            QTRY_VERIFY(tool.folder.exists("server-started"));
    }

    // The commit's alerts do not stop the save.
    void adminAlerts()
    {
        ToolRun tool;
        tool.start();
        ClassicWindow *classic = tool.classic();
        ToolRun::click(classic, {"chkadmin"});
        ToolRun::click(classic, {"Command2"});
        QCOMPARE(tool.dialogs.texts(), QStringList({"KVX Alert: The Adminpanel password needs to be filled in",
                                                    "KVX Alert: The Adminpanel port needs to be filled in"}));
        QCOMPARE(tool.folder.read("kvxserver.conf"), fixture("default-classic.conf", committedClassic({{153, "AdminServer 1"}})));
        QCOMPARE(tool.dialogs.fileRequests.size(), 1);
    }

    // The one sentence that says why motd.txt was not saved; no launch follows.
    void motdOutsideTheCodePage()
    {
        ToolRun tool;
        tool.start();
        ToolRun::get<QPlainTextEdit>(tool.classic(), "Text8")->setPlainText("Welcome \u6b22");
        ToolRun::click(tool.classic(), {"Command2"});
        QCOMPARE(tool.dialogs.texts(), QStringList{"Server config Error: The message of the day holds the character "
                                                   "\"\u6b22\" (U+6B22), which the Windows-1252 code page of motd.txt "
                                                   "cannot hold."});
        QVERIFY(!tool.folder.exists("motd.txt") && tool.dialogs.fileRequests.isEmpty());
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
        ToolRun tool;
        tool.start();
        ClassicWindow *classic = tool.classic();
        ToolRun::type(ToolRun::get<QLineEdit>(classic, "txtserver"), "x");
        if (closeBox)
            QVERIFY(classic->windowHandle()->close());
        else
            ToolRun::click(classic, {"Command1"});
        QCOMPARE(tool.ended->count(), 1);
        QVERIFY(!classic->isVisible() && !tool.wizard->isVisible());
        QCOMPARE(QDir(tool.folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QCOMPARE(tool.dialogs.messages.size(), 0);
    }

    void rules_data()
    {
        QTest::addColumn<Rule>("rule");
        const QString range26 = "Server config Error: Please enter a number between 2 and 26";
        const QString digits = "Server config Error: Only numbers can be enterd.";
        const QString portland = "GTA3 - Portland", viceDm = "Vice City - Deathmatch";
        QTest::newRow("GTA allows 31") << Rule{"txtplayers", portland, "3", false, "1", "31", ""};
        QTest::newRow("free text is VC") << Rule{"txtplayers", "gta3", "3", false, "1", "3", range26};
        QTest::newRow("port") << Rule{"txtport", viceDm, "12", false, "-", "12", digits};
        QTest::newRow("admin port") << Rule{"txtadminport", viceDm, "12", false, "x", "12", digits};
        QTest::newRow("hour") << Rule{"txthour", viceDm, "2", false, "4", "2", ""};
        QTest::newRow("minute") << Rule{"txtminute", viceDm, "7", false, "6", "7", ""};
        QTest::newRow("hour spinner") << Rule{"txthour", viceDm, "23", false, "UDhourUp", "0", ""};
        QTest::newRow("minute spinner") << Rule{"txtminute", viceDm, "0", false, "udminuteDown", "59", ""};
        QTest::newRow("typed Stunt, 27") << Rule{"txtplayers", portland, "27", false, ">Vice City - Stunt", "26", ""};
        QTest::newRow("typed GTA3") << Rule{"txtplayers", viceDm, "32", false, ">GTA3 - Portland", "32", ""};
        QTest::newRow("picked Deathmatch, 27") << Rule{"txtplayers", "GTA3 - Staunton Island", "27", false, "Down", "26", ""};
        QTest::newRow("picked GTA3") << Rule{"txtplayers", portland, "32", false, "Down", "32", ""};
    }
    void rules()
    {
        QFETCH(Rule, rule);
        ToolRun tool;
        tool.start();
        ClassicWindow *classic = tool.classic();
        auto *combo = ToolRun::get<QComboBox>(classic, "cmbgamemode");
        combo->setEditText(rule.map);
        auto *edit = ToolRun::get<QLineEdit>(classic, rule.field);
        edit->setText(rule.text);
        if (rule.action.size() == 1)
            QTest::keyClick(edit, rule.action.at(0).toLatin1());
        else if (rule.action == "Down")
            QTest::keyClick(combo, Qt::Key_Down);
        else if (rule.action.startsWith('>'))
            ToolRun::type(combo->lineEdit(), rule.action.mid(1));
        else
            ToolRun::click(classic, {rule.action});
        QCOMPARE(edit->text(), rule.after);
        QCOMPARE(tool.dialogs.texts(), rule.message.isEmpty() ? QStringList() : QStringList{rule.message});
    }
};

QTEST_MAIN(TestClassic)
#include "test_classic.moc"
