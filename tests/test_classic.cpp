// The classic editor, opened as the operator opens it (through the wizard's
// first page, or under -listen): loading, listen mode, the hand-over both
// ways, pasting, and a text motd.txt cannot hold. Its keys and rules are in
// test_keyboard.cpp, its save, launch, ending and alerts beside the
// wizard's; every saved file is compared with a fixture.

#include "support/Fixture.h"
#include "support/ToolRun.h"

#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>

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
        server->end(false);
        QApplication::clipboard()->setText(" " + pasted);
        server->paste();
        QTest::keyClick(server, Qt::Key_X);
        QCOMPARE(server->text(), field);
        QCOMPARE(server->cursorPosition(), field.size());
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
};

QTEST_MAIN(TestClassic)
#include "test_classic.moc"
