// Saves that fail on the way to the disk: every old file stays byte for byte,
// no temporary file is left, the platform's reason reaches the operator, and
// nothing that would follow runs. Real write errors come from a child process
// with a file-size limit (writes past it fail with EFBIG); a failed sync comes
// through the core's seam. Owner, group and mode are kept; a folder that
// takes no new files is named.

#include "classic/ClassicWindow.h"
#include "config/ConfigBuilder.h"
#include "config/ConfigFile.h"
#include "files/MotdFile.h"
#include "launch/ServerProgram.h"
#include "motd/MotdWindow.h"
#include "support/DialogRecorder.h"
#include "support/ToolFolder.h"
#include "wizard/WizardWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileDevice>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

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

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(KVX_FIXTURES "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no fixture %s", name);
    return file.readAll();
}

// Every file in a folder with its bytes (folders as "<folder>").
Files filesIn(const QString &folder)
{
    Files files;
    const QDir dir(folder);
    for (const QFileInfo &entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        QFile file(entry.filePath());
        files.insert(entry.fileName(), entry.isDir() ? QByteArray("<folder>")
                                       : file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return files;
}

QString native(const QString &folder, const char *name)
{
    return QDir::toNativeSeparators(QDir(folder).filePath(QLatin1String(name)));
}

// ---- the child: one save through the core or a window, reported on stdout,
// which is a pipe and so not limited.

void report(const QString &line)
{
    std::printf("%s\n", qPrintable(QString(line).replace(QLatin1String("\r\n"), QLatin1String("|"))));
}

void click(QWidget *window, const char *name)
{
    QTest::mouseClick(window->findChild<QWidget *>(QLatin1String(name)), Qt::LeftButton);
}

int runChild(const QString &scenario, const QString &folder)
{
    // Past every child's file-size limit, but within the 16 KiB a file keeps
    // in its buffer until the flush.
    const QString large(14000, u'm');
    if (scenario == QLatin1String("config")) {
        WizardFields fields = wizardDefaults();
        fields.txtserver = QStringLiteral("Changed");
        report(saveconfig(configFilePath(folder), buildwizard(fields)).error);
        return 0;
    }
    if (scenario == QLatin1String("motd")) {
        report(savemotd(QDir(folder).filePath(motdFileName()), large).error);
        return 0;
    }
    DialogRecorder dialogs;
    QWidget *window = nullptr;
    WizardWindow wizard({folder, {}});
    std::unique_ptr<QWidget> other;
    if (scenario == QLatin1String("wizard") || scenario == QLatin1String("copy")) {
        dialogs.queueFileName(QDir(folder).filePath(QStringLiteral("server-build")));
        wizard.start();
        for (int press = 0; press < 7; ++press)
            click(&wizard, "cmdnext");
        window = &wizard;
    } else if (scenario.startsWith(QLatin1String("classic"))) {
        auto *classic = new ClassicWindow(&wizard, {folder, {}});
        other.reset(classic);
        classic->showClassic();
        if (scenario == QLatin1String("classic-motd"))
            classic->findChild<QPlainTextEdit *>(QStringLiteral("Text8"))->setPlainText(large);
        click(classic, "Command2");
        window = classic;
    } else {
        auto *editor = new MotdWindow({folder, {}}, defaultMotdUrl());
        editor->setAttribute(Qt::WA_DeleteOnClose, false);
        other.reset(editor);
        editor->show();
        editor->findChild<QPlainTextEdit *>(QStringLiteral("txtmotd"))->setPlainText(large);
        click(editor, "Command1");
        window = editor;
    }
    for (const QString &text : dialogs.texts())
        report(text);
    report(window->isVisible() ? QStringLiteral("window open") : QStringLiteral("window closed"));
    return 0;
}

// Runs one scenario in a child with `limit` bytes as its largest file, or,
// with `unprivileged`, as the user nobody. Returns its report's lines.
QStringList runInChild(const QString &scenario, const QString &folder, [[maybe_unused]] qint64 limit,
                       bool unprivileged = false)
{
    QProcess child;
    QStringList arguments{QStringLiteral("--child"), scenario, folder};
    if (unprivileged) {
        child.setProgram(QStringLiteral("setpriv"));
        arguments.prepend(QCoreApplication::applicationFilePath());
        arguments = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                QStringLiteral("--clear-groups")} + arguments;
    } else {
        child.setProgram(QCoreApplication::applicationFilePath());
#ifdef Q_OS_UNIX
        child.setChildProcessModifier([limit] {
            // Writes past the limit fail with EFBIG instead of killing the child.
            std::signal(SIGXFSZ, SIG_IGN);
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

struct Limited {
    QString scenario;
    qint64 limit;
    Files before;           // the tool folder's files before the save
    QStringList report;     // %1 stands for the folder
    QStringList rewritten;  // files the run may rewrite (a save before the failed one)
};

// A launch whose copy or start fails: `setup` prepares the folder, `chosen`
// is the file picked in the dialog (none when empty).
struct LaunchFailure {
    std::function<void(ToolFolder &)> setup;
    QString chosen;
    QString message; // %1 stands for the folder
};

// Another program changes `changed` after the window read it; the operator
// answers the question.
struct Changed {
    QString window;
    QString changed;
    bool replace;
    QString question;
};

// A tool folder with a file the wizard wrote with its defaults, a stand-in
// server and a motd.txt.
void prepareFolder(ToolFolder &folder)
{
    folder.write("kvxserver.conf", fixture("default-wizard.conf").replace("AdminPlus 1", "AdminPlus 0"));
    folder.write("motd.txt", "Hello\r\n");
    folder.writeStandInServer();
}

} // namespace

Q_DECLARE_METATYPE(Limited)
Q_DECLARE_METATYPE(LaunchFailure)
Q_DECLARE_METATYPE(Changed)

class TestSafeSaves : public QObject
{
    Q_OBJECT

private slots:
    void writeErrorsKeepEveryOldFile_data()
    {
        QTest::addColumn<Limited>("row");
        // A file the wizard wrote with its defaults (a commit clears Admin+).
        const QByteArray tool = fixture("default-wizard.conf").replace("AdminPlus 1", "AdminPlus 0");
        QByteArray handEdited = tool;
        handEdited.replace("ChatFloodMaxCount 2", "ChatFloodMaxCount 5");
        const QByteArray server = "#!/bin/sh\nexit 0\n" + QByteArray(20000, '#') + "\n";
        const QString tooLarge = QStringLiteral("File too large");
        const QString failed = QStringLiteral("Server config Error: %1 could not be written: File too large");

        QTest::newRow("kvxserver.conf") << Limited{"config", 4096, {{"kvxserver.conf", tool}}, {"%1/kvxserver.conf could not be written: File too large"}, {}};
        QTest::newRow("backup of hand edits")
            << Limited{"config", 4096, {{"kvxserver.conf", handEdited}},
                       {"%1/kvxserver.conf was not saved, so that the changes made to it by hand are kept: the backup "
                        "%1/kvxserver.conf.bak could not be written: File too large"}, {}};
        QTest::newRow("motd.txt") << Limited{"motd", 4096, {{"motd.txt", "old\r\n"}}, {tooLarge}, {}};
        QTest::newRow("wizard, Launch!")
            << Limited{"wizard", 4096, {{"kvxserver.conf", tool}, {"KVXServer.exe", "#!/bin/sh\ntouch \"$(dirname \"$0\")/started\"\n"}},
                       {failed.arg("%1/kvxserver.conf"), "window open"}, {}};
        QTest::newRow("classic, kvxserver.conf")
            << Limited{"classic", 4096, {{"kvxserver.conf", tool}, {"motd.txt", "old\r\n"}},
                       {failed.arg("%1/kvxserver.conf"), "window open"}, {}};
        QTest::newRow("classic, motd.txt")
            << Limited{"classic-motd", 12000, {{"motd.txt", "old\r\n"}, {"KVXServer.exe", "#!/bin/sh\ntouch \"$(dirname \"$0\")/started\"\n"}},
                       {failed.arg("%1/motd.txt"), "window open"}, {"kvxserver.conf"}};
        QTest::newRow("MOTD editor")
            << Limited{"editor", 4096, {{"motd.txt", "old\r\n"}},
                       {"Server config Error: The message of the day could not be saved to %1/motd.txt:|File too "
                        "large||Your text is still in the editor.", "window open"}, {}};
        QTest::newRow("copy of the server")
            << Limited{"copy", 16384, {{"kvxserver.conf", tool}, {"server-build", server}},
                       {"Server Config Info: The server executable %1/server-build could not be copied to "
                        "%1/KVXServer.exe: File too large", "window open"}, {"kvxserver.conf"}};
    }

    void writeErrorsKeepEveryOldFile()
    {
#ifndef Q_OS_UNIX
        QSKIP("file-size limits are a POSIX means");
#else
        QFETCH(Limited, row);
        ToolFolder folder;
        for (auto file = row.before.cbegin(); file != row.before.cend(); ++file)
            folder.write(file.key(), file.value(), file.key() == QLatin1String("KVXServer.exe"));
        QStringList expected;
        for (const QString &line : row.report)
            expected << QString(line).replace(QLatin1String("%1/"), QDir::toNativeSeparators(folder.path() + u'/'));

        QCOMPARE(runInChild(row.scenario, folder.path(), row.limit), expected);
        Files after = filesIn(folder.path());
        Files before = row.before;
        for (const QString &name : row.rewritten) {
            QVERIFY2(after.take(name).size() > 0, qPrintable(name));
            before.remove(name);
        }
        QCOMPARE(after, before); // no server started, no temporary file left
#endif
    }

    // A sync to disk that fails is a failed save, though every byte was written.
    void failedSyncIsAFailedSave()
    {
        ToolFolder folder;
        folder.write("kvxserver.conf", fixture("default-classic.conf"));
        const Files before = filesIn(folder.path());
        setDiskSyncForTesting([](QFileDevice &, QString *error) {
            *error = QStringLiteral("Input/output error");
            return false;
        });
        const SaveResult saved = saveconfig(folder.path("kvxserver.conf"), buildwizard(wizardDefaults()));
        setDiskSyncForTesting({});
        QCOMPARE(saved.error, native(folder.path(), "kvxserver.conf") + " could not be written: Input/output error");
        QCOMPARE(filesIn(folder.path()), before);
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
        const QByteArray path = QFile::encodeName(folder.path("kvxserver.conf"));
        folder.write("kvxserver.conf", "old\r\n");
        QVERIFY(chown(path, owner, owner) == 0 && chmod(path, mode) == 0);
        QVERIFY(saveconfig(folder.path("kvxserver.conf"), buildwizard(wizardDefaults())).ok);
        struct stat saved;
        QVERIFY(stat(path, &saved) == 0);
        QCOMPARE(uint(saved.st_uid), owner);
        QCOMPARE(uint(saved.st_gid), owner);
        QCOMPARE(uint(saved.st_mode & 07777), mode);
#endif
    }

    // A shared folder that takes no new files, holding a file the user may
    // write: the file cannot be replaced safely, and the message says why.
    void folderWithoutNewFilesIsNamed()
    {
#ifndef Q_OS_UNIX
        QSKIP("needs a user to drop to");
#else
        if (geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs root and setpriv to run as another user");
        ToolFolder folder;
        folder.write("kvxserver.conf", fixture("default-wizard.conf"));
        QVERIFY(chmod(QFile::encodeName(folder.path()), 0755) == 0);
        QVERIFY(chmod(QFile::encodeName(folder.path("kvxserver.conf")), 0666) == 0);
        const QString path = native(folder.path(), "kvxserver.conf");
        QCOMPARE(runInChild(QStringLiteral("config"), folder.path(), 0, true),
                 QStringList{path + " could not be written: the folder " + QDir::toNativeSeparators(folder.path())
                             + " does not allow new files (Permission denied), so the file cannot be replaced "
                               "safely; it was left as it was"});
        QCOMPARE(folder.read("kvxserver.conf"), fixture("default-wizard.conf"));
#endif
    }

    void launchFailuresAreReported_data()
    {
        QTest::addColumn<LaunchFailure>("row");
        const QString notCopied = QStringLiteral("The server executable %1/%2 could not be copied to %1/KVXServer.exe: ");
        QTest::newRow("a folder chosen") << LaunchFailure{[](ToolFolder &f) { QDir(f.path()).mkdir("builds"); }, "builds",
                                                          notCopied.arg("%1", "builds") + "%1/builds is a folder, not a program"};
        QTest::newRow("the chosen file vanished")
            << LaunchFailure{[](ToolFolder &) {}, "gone", notCopied.arg("%1", "gone") + "No such file or directory"};
#ifdef Q_OS_UNIX
        QTest::newRow("a link to nothing where the copy goes")
            << LaunchFailure{[](ToolFolder &f) {
                                 f.writeStandInServer("server-build");
                                 QFile::link(f.path("missing"), f.path("KVXServer.exe"));
                             },
                             "server-build",
                             notCopied.arg("%1", "server-build") + "%1/KVXServer.exe is a link to %1/missing, which does not exist"};
#endif
        QTest::newRow("a folder named KVXServer.exe")
            << LaunchFailure{[](ToolFolder &f) { QDir(f.path()).mkdir("KVXServer.exe"); }, "",
                             "The server %1/KVXServer.exe could not be started: it is a folder, not a program"};
    }

    void launchFailuresAreReported()
    {
        QFETCH(LaunchFailure, row);
        ToolFolder folder;
        row.setup(folder);
        const Files before = filesIn(folder.path());
        DialogRecorder dialogs;
        if (!row.chosen.isEmpty())
            dialogs.queueFileName(folder.path(row.chosen));
        WizardWindow wizard({folder.path(), {}});
        wizard.start();
        for (int press = 0; press < 7; ++press)
            click(&wizard, "cmdnext");

        const QString shown = QString(row.message).replace(QLatin1String("%1/"), QDir::toNativeSeparators(folder.path() + u'/'));
        QCOMPARE(dialogs.texts(), QStringList{"Server Config Info: " + shown});
        QCOMPARE(dialogs.fileRequests.size(), row.chosen.isEmpty() ? 0 : 1);
        QVERIFY(wizard.isVisible()); // on page 7, ready for another try
        QCOMPARE(wizard.findChild<QPushButton *>("cmdnext")->text(), "Launch!");
        Files after = filesIn(folder.path());
        after.remove("kvxserver.conf");
        QCOMPARE(after, before); // no copy, whole or partial, and no server started
    }

    void changedFilesAreNotReplacedSilently_data()
    {
        QTest::addColumn<Changed>("row");
        const QString question = "Server configuration tool: %1 was changed by another program since the tool read it. "
                                 "Replace it with the %2 shown here?";
        QTest::newRow("wizard, No") << Changed{"wizard", "kvxserver.conf", false, question.arg("kvxserver.conf", "settings")};
        QTest::newRow("wizard, Yes") << Changed{"wizard", "kvxserver.conf", true, question.arg("kvxserver.conf", "settings")};
        QTest::newRow("classic, motd.txt, No") << Changed{"classic", "motd.txt", false, question.arg("motd.txt", "text")};
        QTest::newRow("MOTD editor, No") << Changed{"editor", "motd.txt", false, question.arg("motd.txt", "text")};
    }

    void changedFilesAreNotReplacedSilently()
    {
        QFETCH(Changed, row);
        ToolFolder folder;
        prepareFolder(folder);
        DialogRecorder dialogs;
        dialogs.queueAnswer(row.replace);
        WizardWindow wizard({folder.path(), {}});
        std::unique_ptr<QWidget> window;
        if (row.window == "classic") {
            auto *classic = new ClassicWindow(&wizard, {folder.path(), {}});
            window.reset(classic);
            classic->showClassic();
        } else if (row.window == "editor") {
            window = std::make_unique<MotdWindow>(ToolContext{folder.path(), {}}, defaultMotdUrl());
            window->setAttribute(Qt::WA_DeleteOnClose, false);
            window->show();
        } else {
            wizard.start();
            for (int press = 0; press < 6; ++press)
                click(&wizard, "cmdnext");
        }
        folder.write(row.changed, "changed by hand\r\n");
        const Files changed = filesIn(folder.path());
        click(window ? window.get() : &wizard, row.window == "classic" ? "Command2" : row.window == "editor" ? "Command1" : "cmdnext");

        QCOMPARE(dialogs.texts(), QStringList{row.question});
        if (row.replace) {
            QCOMPARE(folder.read(row.changed), fixture("default-wizard.conf").replace("AdminPlus 1", "AdminPlus 0"));
            QTRY_VERIFY(folder.exists("server-started"));
        } else {
            QCOMPARE(filesIn(folder.path()), changed); // nothing written, nothing started
            QVERIFY(window ? window->isVisible() : wizard.isVisible());
        }
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0) {
        const QString scenario = QString::fromLocal8Bit(argv[2]);
        const QString folder = QString::fromLocal8Bit(argv[3]);
        if (scenario == QLatin1String("config") || scenario == QLatin1String("motd")) {
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
