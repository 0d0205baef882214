#include "app/DisplayCheck.h"
#include "app/StartChoice.h"
#include "app/ToolFolderLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class StartUpTest : public QObject
{
    Q_OBJECT

private slots:
    void choiceOnTheArgumentsAsTyped_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<StartChoice>("choice");
        const auto cli = StartChoice::CommandLine;
        const auto windows = StartChoice::Windows;
        QTest::newRow("none") << QStringList() << windows;
        QTest::newRow("-listen") << QStringList{"-listen"} << StartChoice::ListenWindows;
        QTest::newRow("Qt's option before -listen") << QStringList{"-reverse", "-listen"} << windows;
        QTest::newRow("Qt's option with a value") << QStringList{"-style", "fusion", "-listen"} << windows;
        QTest::newRow("-listen twice") << QStringList{"-listen", "-listen"} << windows;
        QTest::newRow("-LISTEN") << QStringList{"-LISTEN"} << windows;
        QTest::newRow("-listen then a command") << QStringList{"-listen", "show"} << windows;
        QTest::newRow("show") << QStringList{"show"} << cli;
        QTest::newRow("set with values") << QStringList{"set", "ServerPort=1"} << cli;
        QTest::newRow("check") << QStringList{"check"} << cli;
        QTest::newRow("motd --set") << QStringList{"motd", "--set", "-"} << cli;
        QTest::newRow("launch") << QStringList{"launch", "--foreground"} << cli;
        QTest::newRow("--help") << QStringList{"--help"} << cli;
        QTest::newRow("-h") << QStringList{"-h"} << cli;
        QTest::newRow("--version") << QStringList{"--version"} << cli;
        QTest::newRow("a command in capitals") << QStringList{"Show"} << windows;
        QTest::newRow("an option before the command") << QStringList{"--folder", "/srv", "show"} << windows;
    }

    void choiceOnTheArgumentsAsTyped()
    {
        QFETCH(QStringList, arguments);
        QFETCH(StartChoice, choice);
        QCOMPARE(chooseStart(arguments), choice);
    }

#ifndef Q_OS_WIN
    void rawArgumentsKeepQtsOptions()
    {
        char program[] = "kvxconfig";
        char reverse[] = "-reverse";
        char listen[] = "-listen";
        char text[] = "caf\xc3\xa9";
        char *argv[] = {program, reverse, listen, text, nullptr};
        QCOMPARE(rawArguments(4, argv), (QStringList{"-reverse", "-listen", QString::fromUtf8("caf\xc3\xa9")}));
    }
#endif

    void toolFolder_data()
    {
        QTest::addColumn<std::optional<QString>>("executable");
        QTest::addColumn<bool>("found");
        const QString temporary = QDir::tempPath();
        QTest::newRow("no path") << std::optional<QString>() << false;
        QTest::newRow("empty path") << std::optional<QString>(QString()) << false;
        QTest::newRow("relative path") << std::optional<QString>("kvxconfig") << false;
        QTest::newRow("missing folder") << std::optional<QString>("/nonexistent-kvx/kvxconfig") << false;
        QTest::newRow("existing folder") << std::optional<QString>(temporary + "/kvxconfig") << true;
    }

    void toolFolder()
    {
        QFETCH(std::optional<QString>, executable);
        QFETCH(bool, found);
        const ToolFolderLocation location = toolFolderOf(executable);
        QCOMPARE(location.folder.isEmpty(), !found);
        QCOMPARE(location.error.isEmpty(), found);
        if (found)
            QCOMPARE(location.folder, QDir::cleanPath(QDir::tempPath()));
        else
            QVERIFY(location.error.startsWith("The folder this tool lies in could not be determined"));
    }

    void toolFolderUnderAFile()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("plain"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const ToolFolderLocation location = toolFolderOf(dir.filePath("plain/kvxconfig"));
        QVERIFY(location.folder.isEmpty());
        QVERIFY(location.error.contains(QDir::toNativeSeparators(dir.filePath("plain"))));
    }

    void runningExecutableIsThisTest()
    {
        const std::optional<QString> path = runningExecutablePath();
        QVERIFY(path.has_value());
        QCOMPARE(QFileInfo(*path).canonicalFilePath(), QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    }

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    void displayNamed_data()
    {
        QTest::addColumn<QString>("variable"); // empty: none set
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("named");
        QTest::newRow("nothing") << "" << "" << false;
        QTest::newRow("DISPLAY") << "DISPLAY" << ":0" << true;
        QTest::newRow("empty DISPLAY") << "DISPLAY" << "" << false;
        QTest::newRow("WAYLAND_DISPLAY") << "WAYLAND_DISPLAY" << "wayland-0" << true;
        QTest::newRow("QT_QPA_PLATFORM") << "QT_QPA_PLATFORM" << "offscreen" << true;
        QTest::newRow("another variable") << "XDG_SESSION_TYPE" << "x11" << false;
    }

    void displayNamed()
    {
        QFETCH(QString, variable);
        QFETCH(QString, value);
        QFETCH(bool, named);
        QProcessEnvironment environment;
        environment.insert("HOME", "/root");
        if (!variable.isEmpty())
            environment.insert(variable, value);
        QCOMPARE(::displayNamed(environment), named);
    }
#endif
};

QTEST_GUILESS_MAIN(StartUpTest)
#include "test_app.moc"
