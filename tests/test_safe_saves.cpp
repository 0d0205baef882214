// Saves that fail on the way to the disk: every old file stays byte for byte,
// no temporary file is left, the platform's reason reaches the operator, and
// nothing that would follow runs. Real write errors come from a child process
// with a file-size limit (writes past it fail with EFBIG); a failed sync comes
// through the core's seam. Owner, group and mode are kept; a folder that
// takes no new files is named; a failed copy or start of the server is told;
// a file changed behind the tool's back is not replaced without a question.

#include "config/ConfigBuilder.h"
#include "config/ConfigFile.h"
#include "files/MotdFile.h"
#include "motd/MotdWindow.h"
#include "support/Fixture.h"
#include "support/ToolRun.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using Files = QMap<QString, QByteArray>;

// A file the wizard wrote with its defaults.
const QByteArray toolWritten = fixture("default-wizard.conf", committedWizard());
const QByteArray standIn = "#!/bin/sh\ntouch \"$(dirname \"$0\")/server-started\"\n";

// Every entry of a folder with its bytes ("<folder>" for a folder).
Files filesIn(const QString &folder)
{
    Files files;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        QFile file(entry.filePath());
        files.insert(entry.fileName(), entry.isDir() ? "<folder>" : file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
    }
    return files;
}

QString withFolder(QString text, const QString &folder)
{
    return text.replace("%1/", QDir::toNativeSeparators(folder + u'/'));
}

// The child: one save through the core or a window, reported on standard
// output, a pipe, which the file-size limit does not reach.
int runChild(const QString &scenario, const QString &folder)
{
    QTextStream out(stdout);
    // Past every child's limit, within the 16 KiB a file buffers until its flush.
    const QString large(14000, u'm');
    if (scenario == "config") {
        WizardFields fields = wizardDefaults();
        fields.txtserver = "Changed";
        out << saveconfig(QDir(folder).filePath("kvxserver.conf"), buildwizard(fields)).error() << '\n';
        return 0;
    }
    if (scenario == "motd") {
        out << savemotd(QDir(folder).filePath("motd.txt"), large).error() << '\n';
        return 0;
    }
    DialogRecorder dialogs;
    dialogs.queueFileName(QDir(folder).filePath("server-build"));
    ToolLifetime tool({folder, false});
    WizardWindow *wizard = tool.wizard();
    std::unique_ptr<QWidget> window;
    if (scenario == "wizard") {
        tool.start();
        for (int press = 0; press < 7; ++press)
            ToolRun::click(wizard, {"cmdnext"});
    } else if (scenario.startsWith("classic")) {
        auto *classic = new ClassicWindow(&tool, {folder, false});
        window.reset(classic);
        classic->showClassic();
        if (scenario == "classic-motd")
            ToolRun::get<QPlainTextEdit>(classic, "Text8")->setPlainText(large);
        ToolRun::click(classic, {"Command2"});
    } else {
        window = std::make_unique<MotdWindow>(ToolContext{folder, false}, defaultMotdUrl());
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        ToolRun::get<QPlainTextEdit>(window.get(), "txtmotd")->setPlainText(large);
        ToolRun::click(window.get(), {"Command1"});
    }
    for (const QString &text : dialogs.texts())
        out << QString(text).replace("\r\n", "|") << '\n';
    out << ((window ? window.get() : wizard)->isVisible() ? "window open" : "window closed") << '\n';
    return 0;
}

// Runs a scenario in a child with a file-size limit of `limit` bytes, or,
// without one, as the user nobody. Returns its report's lines.
QStringList runInChild(const QString &scenario, const QString &folder, [[maybe_unused]] qint64 limit)
{
    QProcess child;
    QStringList arguments{"--child", scenario, folder};
    if (limit == 0) {
        child.setProgram("setpriv");
        arguments = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", QCoreApplication::applicationFilePath()} + arguments;
    } else {
        child.setProgram(QCoreApplication::applicationFilePath());
#ifdef Q_OS_UNIX
        child.setChildProcessModifier([limit] {
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of killing the child
            rlimit size{};
            getrlimit(RLIMIT_FSIZE, &size);
            size.rlim_cur = rlim_t(limit);
            setrlimit(RLIMIT_FSIZE, &size);
        });
#endif
    }
    child.setArguments(arguments);
    child.start();
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        qWarning("child %s: %s", qPrintable(scenario), child.readAllStandardError().constData());
    return QString::fromLocal8Bit(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TestSafeSaves : public QObject
{
    Q_OBJECT

private slots:
    void writeErrorsKeepEveryOldFile_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<Files>("before");      // the tool folder's files
        QTest::addColumn<QStringList>("report"); // %1 stands for the folder
        QTest::addColumn<QString>("rewritten");  // a file a save before the failed one writes
        const QByteArray handEdited = fixture("default-wizard.conf", committedWizard({{200, "ChatFloodMaxCount 5"}}));
        const QString failed = "Server config Error: %1/%2 could not be written: File too large";
        QTest::newRow("kvxserver.conf") << "config" << qint64(4096) << Files{{"kvxserver.conf", toolWritten}}
                                        << QStringList{"%1/kvxserver.conf could not be written: File too large"} << "";
        QTest::newRow("backup of hand edits")
            << "config" << qint64(4096) << Files{{"kvxserver.conf", handEdited}}
            << QStringList{"%1/kvxserver.conf was not saved, so that the changes made to it by hand are kept: the backup "
                           "%1/kvxserver.conf.bak could not be written: File too large"} << "";
        QTest::newRow("motd.txt") << "motd" << qint64(4096) << Files{{"motd.txt", "old\r\n"}} << QStringList{"%1/motd.txt could not be written: File too large"} << "";
        QTest::newRow("wizard, Launch!") << "wizard" << qint64(4096) << Files{{"kvxserver.conf", toolWritten}, {"KVXServer.exe", standIn}}
                                         << QStringList{failed.arg("%1", "kvxserver.conf"), "window open"} << "";
        QTest::newRow("classic, kvxserver.conf") << "classic" << qint64(4096) << Files{{"kvxserver.conf", toolWritten}, {"motd.txt", "old\r\n"}}
                                                 << QStringList{failed.arg("%1", "kvxserver.conf"), "window open"} << "";
        QTest::newRow("classic, motd.txt") << "classic-motd" << qint64(12000) << Files{{"motd.txt", "old\r\n"}, {"KVXServer.exe", standIn}}
                                           << QStringList{failed.arg("%1", "motd.txt"), "window open"} << "kvxserver.conf";
        QTest::newRow("MOTD editor") << "editor" << qint64(4096) << Files{{"motd.txt", "old\r\n"}}
                                     << QStringList{"Server config Error: The message of the day could not be saved to %1/motd.txt:|"
                                                    "File too large||Your text is still in the editor.", "window open"} << "";
        QTest::newRow("copy of the server")
            << "wizard" << qint64(16384) << Files{{"kvxserver.conf", toolWritten}, {"server-build", "#!/bin/sh\n" + QByteArray(20000, '#')}}
            << QStringList{"Server Config Info: The server executable %1/server-build could not be copied to %1/KVXServer.exe: "
                           "File too large", "window open"} << "";
    }

    void writeErrorsKeepEveryOldFile()
    {
#ifndef Q_OS_UNIX
        QSKIP("file-size limits are a POSIX means");
#endif
        QFETCH(QString, scenario);
        QFETCH(qint64, limit);
        QFETCH(Files, before);
        QFETCH(QStringList, report);
        QFETCH(QString, rewritten);
        ToolFolder folder;
        for (auto file = before.cbegin(); file != before.cend(); ++file)
            folder.write(file.key(), file.value(), file.key() == "KVXServer.exe");
        for (QString &line : report)
            line = withFolder(line, folder.path());
        QCOMPARE(runInChild(scenario, folder.path(), limit), report);
        Files after = filesIn(folder.path());
        QVERIFY(rewritten.isEmpty() || !after.take(rewritten).isEmpty());
        QCOMPARE(after, before); // no server started, no temporary file left
    }

    // The last two steps of a save, each failing once every byte is written:
    // the sync to disk, and the rename over the old file (another program put
    // a folder at its path meanwhile). Either is a failed save and leaves no
    // temporary file.
    void failedSyncOrRenameIsAFailedSave_data()
    {
        QTest::addColumn<bool>("syncFails");
        QTest::addColumn<Files>("left");
        QTest::newRow("sync") << true << Files{{"kvxserver.conf", toolWritten}};
        QTest::newRow("rename") << false << Files{{"kvxserver.conf", "<folder>"}};
    }
    void failedSyncOrRenameIsAFailedSave()
    {
        QFETCH(bool, syncFails);
        ToolFolder folder;
        folder.write("kvxserver.conf", toolWritten);
        const QString path = folder.path("kvxserver.conf");
        setDiskSyncForTesting([&](QFileDevice &, QString *error) {
            *error = "Input/output error";
            if (syncFails)
                return false;
            QFile::remove(path);
            return QDir().mkpath(path + "/kept");
        });
        const Result<void> saved = saveconfig(path, buildwizard(wizardDefaults()));
        setDiskSyncForTesting({});
        const QString failed = withFolder("%1/kvxserver.conf could not be written: ", folder.path());
        QVERIFY2(saved.error().startsWith(failed) && saved.error().size() > failed.size(), qPrintable(saved.error()));
        if (syncFails)
            QCOMPARE(saved.error(), failed + "Input/output error");
        QTEST(filesIn(folder.path()), "left");
    }

    void ownerGroupAndModeAreKept_data()
    {
        QTest::addColumn<uint>("owner");
        QTest::addColumn<uint>("mode");
        QTest::newRow("another user's 0640 file") << 65534u << 0640u;
        QTest::newRow("read-only 0444 file") << 0u << 0444u;
        QTest::newRow("private 0600 file") << 0u << 0600u;
    }

    void ownerGroupAndModeAreKept()
    {
#ifndef Q_OS_UNIX
        QSKIP("owners and modes are POSIX's");
#else
        QFETCH(uint, owner);
        QFETCH(uint, mode);
        if (geteuid() != 0)
            QSKIP("giving a file to another user needs root");
        ToolFolder folder;
        folder.write("kvxserver.conf", "old\r\n");
        const QByteArray path = QFile::encodeName(folder.path("kvxserver.conf"));
        QVERIFY(chown(path, owner, owner) == 0 && chmod(path, mode) == 0);
        QVERIFY(saveconfig(folder.path("kvxserver.conf"), buildwizard(wizardDefaults())).ok());
        struct stat saved;
        QVERIFY(stat(path, &saved) == 0);
        QCOMPARE(QList<uint>({saved.st_uid, saved.st_gid, saved.st_mode & 07777}), QList<uint>({owner, owner, mode}));
#endif
    }

    // A shared folder that takes no new files, holding a file the user may
    // write: the file cannot be replaced safely, and the message says why.
    void folderWithoutNewFilesIsNamed()
    {
#ifndef Q_OS_UNIX
        QSKIP("needs a user to drop to");
#else
        if (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
            QSKIP("needs root and setpriv to run as another user");
        ToolFolder folder;
        folder.write("kvxserver.conf", toolWritten);
        QVERIFY(chmod(QFile::encodeName(folder.path()), 0755) == 0);
        QVERIFY(chmod(QFile::encodeName(folder.path("kvxserver.conf")), 0666) == 0);
        QCOMPARE(runInChild("config", folder.path(), 0),
                 QStringList{withFolder("%1/kvxserver.conf could not be written: the folder ", folder.path())
                             + QDir::toNativeSeparators(folder.path())
                             + " does not allow new files (Permission denied), so the file cannot be replaced safely; it was left as it was"});
        QCOMPARE(folder.read("kvxserver.conf"), toolWritten);
#endif
    }

    // A copy or a start that fails is told, and the wizard stays on page 7.
    void launchFailuresAreReported_data()
    {
        QTest::addColumn<std::function<void(ToolFolder &)>>("setup");
        QTest::addColumn<QString>("chosen"); // picked in the dialog; empty: not asked
        QTest::addColumn<QString>("message");
        const QString notCopied = "The server executable %1/%2 could not be copied to %1/KVXServer.exe: ";
        QTest::newRow("a folder chosen") << std::function<void(ToolFolder &)>([](ToolFolder &f) { QDir(f.path()).mkdir("builds"); })
                                         << "builds" << notCopied.arg("%1", "builds") + "%1/builds is a folder, not a program";
        QTest::newRow("the chosen file vanished") << std::function<void(ToolFolder &)>([](ToolFolder &) {}) << "gone"
                                                  << notCopied.arg("%1", "gone") + qt_error_string(ENOENT);
        QTest::newRow("a folder named KVXServer.exe")
            << std::function<void(ToolFolder &)>([](ToolFolder &f) { QDir(f.path()).mkdir("KVXServer.exe"); }) << ""
            << "The server %1/KVXServer.exe could not be started: it is a folder, not a program";
    }

    void launchFailuresAreReported()
    {
        QFETCH(std::function<void(ToolFolder &)>, setup);
        QFETCH(QString, chosen);
        QFETCH(QString, message);
        ToolRun tool;
        setup(tool.folder);
        const Files before = filesIn(tool.folder.path());
        if (!chosen.isEmpty())
            tool.dialogs.queueFileName(tool.folder.path(chosen));
        tool.start();
        tool.goToPage(7);
        tool.click({"cmdnext"});
        QCOMPARE(tool.dialogs.texts(), QStringList{"Server Config Info: " + withFolder(message, tool.folder.path())});
        QCOMPARE(tool.dialogs.fileRequests.size(), chosen.isEmpty() ? 0 : 1);
        QVERIFY(tool.wizard->isVisible());
        QCOMPARE(tool.get<QPushButton>("cmdnext")->text(), "Launch!");
        Files after = filesIn(tool.folder.path());
        after.remove("kvxserver.conf");
        QCOMPARE(after, before); // no copy, whole or partial, and no server started
    }

    // Another program changes a file after the window read it: a question,
    // and No leaves every file and starts nothing.
    void changedFilesAreNotReplacedSilently_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<bool>("replace");
        QTest::newRow("wizard, No") << "wizard" << "kvxserver.conf" << false;
        QTest::newRow("wizard, Yes") << "wizard" << "kvxserver.conf" << true;
        QTest::newRow("classic, motd.txt, No") << "classic" << "motd.txt" << false;
        QTest::newRow("MOTD editor, No") << "editor" << "motd.txt" << false;
    }

    void changedFilesAreNotReplacedSilently()
    {
        QFETCH(QString, window);
        QFETCH(QString, changed);
        QFETCH(bool, replace);
        ToolRun tool;
        tool.folder.write("kvxserver.conf", toolWritten);
        tool.folder.write("motd.txt", "Hello\r\n");
        tool.folder.writeStandInServer();
        tool.dialogs.queueAnswer(replace);
        tool.start();
        tool.goToPage(7);
        QWidget *shown = tool.wizard;
        if (window == "classic") {
            shown = tool.classic();
        } else if (window == "editor") {
            tool.click({"cmdchangemotd"});
            shown = tool.lifetime->motdEditor();
        }
        tool.folder.write(changed, "changed by hand\r\n");
        const Files before = filesIn(tool.folder.path());
        ToolRun::click(shown, {window == "classic" ? "Command2" : window == "editor" ? "Command1" : "cmdnext"});

        QCOMPARE(tool.dialogs.texts(), QStringList{"Server configuration tool: " + changed + " was changed by another program since "
                                                   "the tool read it. Replace it with the " + (changed == "motd.txt" ? "text" : "settings")
                                                   + " shown here?"});
        QCOMPARE(tool.dialogs.messages.first().icon, OperatorMessage::Icon::Question);
        if (replace) {
            QCOMPARE(tool.folder.read(changed), toolWritten);
            QTRY_VERIFY(tool.folder.exists("server-started"));
        } else {
            QCOMPARE(filesIn(tool.folder.path()), before);
            QVERIFY(shown->isVisible());
        }
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0) {
        const QString scenario = QString::fromLocal8Bit(argv[2]);
        const QString folder = QString::fromLocal8Bit(argv[3]);
        if (scenario == "config" || scenario == "motd") {
            QCoreApplication app(argc, argv);
            return runChild(scenario, folder);
        }
        QApplication app(argc, argv);
        return runChild(scenario, folder);
    }
    QApplication app(argc, argv);
    TestSafeSaves test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_safe_saves.moc"
