#include "app/StartChoice.h"
#include "app/ToolFolderLocation.h"

#include <QDir>
#include <QtTest>

class StartUpTest : public QObject
{
    Q_OBJECT

private slots:
    // Listen mode is exactly "-listen" as typed; the command line needs a
    // command or option first. test_cli runs each command and the windows'
    // refusal without a display.
    void choiceOnTheArgumentsAsTyped_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<StartChoice>("choice");
        QTest::newRow("none") << QStringList() << StartChoice::Windows;
        QTest::newRow("-listen") << QStringList{"-listen"} << StartChoice::ListenWindows;
        QTest::newRow("Qt's option before -listen") << QStringList{"-reverse", "-listen"} << StartChoice::Windows;
        QTest::newRow("-LISTEN") << QStringList{"-LISTEN"} << StartChoice::Windows;
        QTest::newRow("-listen and more") << QStringList{"-listen", "extra"} << StartChoice::Windows;
        QTest::newRow("a command in capitals") << QStringList{"Show"} << StartChoice::Windows;
        QTest::newRow("a command") << QStringList{"show", "--json"} << StartChoice::CommandLine;
        for (const char *first : {"--folder", "--folder=/srv", "help", "version", "-V", "--version", "-h"})
            QTest::addRow("%s first", first) << QStringList{first, "show"} << StartChoice::CommandLine;
        QTest::newRow("--folder later") << QStringList{"-reverse", "--folder", "/srv", "show"} << StartChoice::Windows;
        QTest::newRow("Qt's option with a value") << QStringList{"-style", "fusion"} << StartChoice::Windows;
    }

    void choiceOnTheArgumentsAsTyped()
    {
        QFETCH(QStringList, arguments);
        QFETCH(StartChoice, choice);
        QCOMPARE(chooseStart(arguments), choice);
    }

    // A windows' list that holds a mistyped command: one letter added,
    // dropped, changed or swapped with its neighbour, or letter case alone,
    // in a word of letters only.
    void nearMissOfACommand_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("word");
        QTest::newRow("swapped") << QStringList{"shwo"} << "shwo";
        QTest::newRow("letter case") << QStringList{"Show"} << "Show";
        QTest::newRow("dropped, after Qt's option") << QStringList{"-reverse", "mtd"} << "mtd";
        QTest::newRow("added") << QStringList{"checkk"} << "checkk";
        QTest::newRow("changed") << QStringList{"lounch"} << "lounch";
        QTest::newRow("swapped in the middle, capitals") << QStringList{"VERISON"} << "VERISON";
        QTest::newRow("swapped at the end") << QStringList{"hepl"} << "hepl";
        QTest::newRow("the first of two") << QStringList{"sett", "shwo"} << "sett";
        QTest::newRow("two letters off") << QStringList{"shwoo", "sx"} << "";
        QTest::newRow("not letters only") << QStringList{"show2", "-show", "sho w"} << "";
        QTest::newRow("Qt's options and their values") << QStringList{"-style", "fusion", "-listen"} << "";
        QTest::newRow("none") << QStringList() << "";
    }

    void nearMissOfACommand()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, word);
        QCOMPARE(nearMissOfCommand(arguments), word);
    }

#ifndef Q_OS_WIN
    // Qt's own options stay in the list main decides on.
    void rawArgumentsKeepQtsOptions()
    {
        char program[] = "kvxconfig", reverse[] = "-reverse", listen[] = "-listen", text[] = "caf\xc3\xa9";
        char *argv[] = {program, reverse, listen, text, nullptr};
        QCOMPARE(rawArguments(4, argv), (QStringList{"-reverse", "-listen", QString::fromUtf8("caf\xc3\xa9")}));
    }
#endif

    // A tool folder that does not exist, or is a file, is no folder (the
    // current one is never taken instead), and the sentence names it.
    // test_cli runs a folder whose name cannot be read, and the tool's own.
    void missingToolFolder()
    {
        for (const QString &folder : {QStringLiteral("/nonexistent-kvx"), QCoreApplication::applicationFilePath()}) {
            const Result<QString> location = toolFolderOf(folder + "/kvxconfig");
            QVERIFY(!location);
            QCOMPARE(location.error(), "The folder this tool lies in could not be determined: " +
                                         QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath()) + " is not an existing folder, so nothing "
                                         "was read or written.");
        }
    }
};

QTEST_GUILESS_MAIN(StartUpTest)
#include "test_app.moc"
