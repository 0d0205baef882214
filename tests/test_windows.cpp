// What differs on Windows: the console twin's streams and statuses reach a
// caller, the server is a program started from the server folder with its
// streams and status passed through, messages show the folder as Windows
// writes it, and the banner's title is Tahoma bold.

#include "support/ProgramRun.h"
#include "support/ToolRun.h"
#include "ui/Banner.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QtTest>

namespace {

const QString executable = QStringLiteral(KVX_EXECUTABLE);

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    // The console twin's output, messages and exit statuses, as cmd.exe and
    // scripts see them; a folder is written with backslashes.
    void consoleTwin_data()
    {
        QTest::addColumn<QStringList>("arguments"); // %1: the server folder
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("version") << QStringList{"--version"} << 0 << QByteArray("kvxconfig 0.5\n") << QByteArray();
        QTest::newRow("show without a file") << QStringList{"show", "--folder", "%1"} << 1 << QByteArray()
                                             << QByteArray("kvxconfig: there is no kvxserver.conf in %1; kvxconfig set creates it.\n");
        QTest::newRow("a refused value") << QStringList{"set", "--folder", "%1", "GameHour=24"} << 2 << QByteArray()
                                         << QByteArray("kvxconfig: GameHour \"24\" is refused: an hour is one or two digits, "
                                                       "0 to 23.\nkvxconfig: nothing was written.\n");
        QTest::newRow("no server") << QStringList{"launch", "--folder", "%1"} << 1 << QByteArray()
                                   << QByteArray("kvxconfig: %1\\KVXServer.exe cannot be started: there is no such file.\n");
    }

    void consoleTwin()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        ToolFolder folder;
        const QString native = QDir::toNativeSeparators(folder.path());
        QVERIFY(native.contains(u'\\'));
        const ProgramRun run = runProgram(executable, arguments.replaceInStrings("%1", folder.path()));
        QCOMPARE(QString::fromLocal8Bit(run.err).remove(u'\r'), QString::fromLocal8Bit(err).replace("%1", native));
        QCOMPARE(QString::fromLocal8Bit(run.out).remove(u'\r'), QString::fromLocal8Bit(out));
        QCOMPARE(run.status, status);
    }

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
