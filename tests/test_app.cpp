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
        QTest::newRow("a command in capitals") << QStringList{"Show"} << StartChoice::Windows;
        QTest::newRow("an option first") << QStringList{"--folder", "/srv", "show"} << StartChoice::Windows;
        QTest::newRow("a command") << QStringList{"show", "--json"} << StartChoice::CommandLine;
    }

    void choiceOnTheArgumentsAsTyped()
    {
        QFETCH(QStringList, arguments);
        QFETCH(StartChoice, choice);
        QCOMPARE(chooseStart(arguments), choice);
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
            const ToolFolderLocation location = toolFolderOf(folder + "/kvxconfig");
            QCOMPARE(location.folder, QString());
            QCOMPARE(location.error, "The folder this tool lies in could not be determined: " +
                                         QDir::toNativeSeparators(folder) + " is not an existing folder, so nothing "
                                         "was read or written.");
        }
    }
};

QTEST_GUILESS_MAIN(StartUpTest)
#include "test_app.moc"
