// What differs on Windows: the server is a program started from the server
// folder with its streams and status passed through, and the banner's title
// is Tahoma bold. The console twin's streams, statuses and folders written
// with backslashes are the command line's tests, run against it.

#include "support/ProgramRun.h"
#include "support/ToolRun.h"
#include "ui/Banner.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QtTest>

static const QString executable = QStringLiteral(KVX_EXECUTABLE);

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    // In the foreground the server's streams and status pass through and it
    // runs in the server folder; detached, the tool prints its process id.
    void launchPassesTheServerThrough()
    {
        ToolFolder folder;
        folder.writeStandInServer();
        const ProgramRun attached = runProgram(executable, {"launch", "--folder", folder.path(), "--foreground"}, "in\n");
        QCOMPARE(attached.out, "in " + QDir::toNativeSeparators(folder.path()).toLocal8Bit() + "\n");
        QCOMPARE(attached.err, QByteArray("err\n"));
        QCOMPARE(attached.status, 7);

        QVERIFY(QFile::remove(folder.path("server-started")));
        const ProgramRun detached = runProgram(executable, {"launch", "--folder", folder.path()});
        QCOMPARE(detached.status, 0);
        QVERIFY2(detached.out.trimmed().toLongLong() > 0, detached.out);
        QTRY_VERIFY(folder.exists("server-started"));
    }

    // The face the banner's title was drawn in, which every Windows system
    // has (Wine from its own fonts). Only the Windows platform sees the
    // system's fonts; CTest runs this once more on it.
    void titleIsTahomaBold()
    {
        if (QGuiApplication::platformName() != "windows")
            QSKIP("the offscreen platform sees no system fonts on Windows");
        const Banner banner;
        const QFontInfo title(banner.title()->font());
        QCOMPARE(title.family(), "Tahoma");
        QVERIFY(title.bold());
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_windows.moc"
