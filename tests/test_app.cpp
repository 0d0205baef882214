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
    void choiceOnTheArgumentsAsTyped()
    {
        const QList<std::pair<QStringList, StartChoice>> rows = {
            {{}, StartChoice::Windows}, {{"-listen"}, StartChoice::ListenWindows},
            {{"-reverse", "-listen"}, StartChoice::Windows}, {{"-LISTEN"}, StartChoice::Windows},
            {{"-listen", "extra"}, StartChoice::Windows}, {{"Show"}, StartChoice::Windows},
            {{"show", "--json"}, StartChoice::CommandLine}, {{"-reverse", "--folder", "/srv", "show"}, StartChoice::Windows},
            {{"-style", "fusion"}, StartChoice::Windows}};
        for (const auto &[arguments, choice] : rows)
            QVERIFY2(chooseStart(arguments) == choice, qPrintable(arguments.join(' ')));
        for (const char *first : {"--folder", "--folder=/srv", "help", "version", "-V", "--version", "-h"})
            QVERIFY2(chooseStart({first, "show"}) == StartChoice::CommandLine, first);
    }

    // A windows' list that holds a mistyped command: one letter added,
    // dropped, changed or swapped with its neighbour, or letter case alone,
    // in a word of letters only.
    void nearMissOfACommand()
    {
        const QList<std::pair<QStringList, QString>> rows = {
            {{"shwo"}, "shwo"}, {{"Show"}, "Show"}, {{"-reverse", "mtd"}, "mtd"}, {{"checkk"}, "checkk"},
            {{"lounch"}, "lounch"}, {{"VERISON"}, "VERISON"}, {{"hepl"}, "hepl"}, {{"sett", "shwo"}, "sett"},
            {{"shwoo", "sx"}, ""}, {{"show2", "-show", "sho w"}, ""}, {{"-style", "fusion", "-listen"}, ""}, {{}, ""}};
        for (const auto &[arguments, word] : rows)
            QCOMPARE(arguments.join(' ') + ": " + nearMissOfCommand(arguments), arguments.join(' ') + ": " + word);
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
        for (const QString &folder : {QStringLiteral("/nonexistent-kvx"), QCoreApplication::applicationFilePath()})
            QCOMPARE(toolFolderOf(folder + "/kvxconfig").error(), "The folder this tool lies in could not be determined: " +
                     QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath()) + " is not an existing folder, so nothing was read or written.");
    }
};

QTEST_GUILESS_MAIN(StartUpTest)
#include "test_app.moc"
