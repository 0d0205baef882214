// The server folder as others share it, and saves that fail on the way to the
// disk: other runs of the tool, editors that take no lock, accounts that
// plant links, FIFOs and devices at the files' paths, owners and modes, a
// file-size limit (writes past it fail with EFBIG), a failed sync or rename.
// Every old file stays byte for byte, no temporary file is left and the
// platform's reason reaches the operator. Owners and links need root (CI is
// root).

#include "cli/Command.h"
#include "cli/CommandRegistry.h"
#include "config/ConfigBuilder.h"
#include "config/ConfigFile.h"
#include "files/AtomicFile.h"
#include "files/FolderLock.h"
#include "launch/ServerProgram.h"
#include "motd/MotdWindow.h"
#include "support/Fixture.h"
#include "support/ProgramRun.h"
#include "support/ToolRun.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using Files = QMap<QString, QByteArray>;
const QString executable = QStringLiteral(KVX_EXECUTABLE);
constexpr uint nobody = 65534;

const QByteArray toolWritten = fixture("default-wizard.conf", committedWizard());
// The wizard's defaults with one line changed by hand (index 200, from 0).
const QByteArray handEdited = fixture("default-wizard.conf", committedWizard({{200, "ChatFloodMaxCount 5"}}));
// What `set` without values saves from a file the tool wrote.
const QByteArray classicFromWizard =
    fixture("default-classic.conf", {{50, "GameMap 3"}, {162, "AdminPlus 0"}, {169, "AdminPort 4003"}});
const QByteArray backupNotice = "kvxconfig: kvxserver.conf held changes made by hand, which the template's text "
                                "replaced; the old file is kept in %1/kvxserver.conf.bak.\n";
const QByteArray standIn = "#!/bin/sh\ntouch \"$(dirname \"$0\")/server-started\"\n";

ProgramRun kvx(const ToolFolder &folder, QStringList arguments, const QByteArray &input = {},
               const std::function<void()> &inChild = {})
{
    return runProgram(executable, arguments.mid(0, 1) + QStringList{"--folder", folder.path()} + arguments.mid(1), input, {},
                      inChild);
}

// A command run in this process, where a shortened wait for the lock holds.
ProgramRun command(const QString &folder, const QString &name, const QStringList &arguments)
{
    QByteArray out, err;
    QTextStream outStream(&out), errStream(&err);
    const CommandEntry *entry = findCommand(name);
    const int status = entry->create(*entry)->run(arguments + QStringList{"--folder", folder}, {folder, outStream, errStream});
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

// %1 stands for the folder.
QByteArray placed(QByteArray text, const QString &folder)
{
    return text.replace("%1/", QDir::toNativeSeparators(folder + '/').toLocal8Bit())
        .replace("%1", QDir::toNativeSeparators(folder).toLocal8Bit());
}

// Entries of a folder: a name with its bytes, "<link to T>", "<fifo>", "<folder>".
Files entries(const QString &folder)
{
    Files found;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden)) {
        QFile file(entry.filePath());
        found.insert(entry.fileName(), entry.isSymLink() ? "<link to " + entry.symLinkTarget().toLocal8Bit() + ">"
                                       : entry.isDir()   ? QByteArray("<folder>")
                                       : !entry.isFile() ? QByteArray("<fifo>")
                                       : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                        : QByteArray("<unreadable>"));
    }
    return found;
}

#ifdef Q_OS_UNIX
QList<uint> attributesOf(const QString &path)
{
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return {status.st_uid, status.st_gid, status.st_mode & 07777u};
}

void give(const QString &path, uint owner, uint mode)
{
    const QByteArray name = QFile::encodeName(path);
    if (::lchown(name.constData(), owner, owner) != 0 || (mode && ::chmod(name.constData(), mode) != 0))
        qFatal("cannot give %s away", name.constData());
}
#endif

bool root()
{
#ifdef Q_OS_UNIX
    return ::geteuid() == 0;
#else
    return false;
#endif
}

// The child: one window's save under a file-size limit, reported on
// standard output, a pipe, which the limit does not reach.
int runChild(const QString &scenario, const QString &folder)
{
    QTextStream out(stdout);
    // Past every child's limit, within the 16 KiB a file buffers until its flush.
    const QString large(14000, u'm');
    DialogRecorder dialogs;
    dialogs.queueFileName(QDir(folder).filePath("server-build"));
    ToolLifetime tool({folder, false});
    QWidget *window = tool.wizard();
    std::unique_ptr<QWidget> other;
    if (scenario == "wizard") {
        tool.start();
        for (int press = 0; press < 7; ++press)
            ToolRun::click(window, {"cmdnext"});
    } else if (scenario.startsWith("classic")) {
        auto *classic = new ClassicWindow(&tool, {folder, false});
        other.reset(window = classic);
        classic->showClassic();
        if (scenario == "classic-motd")
            ToolRun::get<QPlainTextEdit>(classic, "Text8")->setPlainText(large);
        ToolRun::click(classic, {"Command2"});
    } else {
        other = std::make_unique<MotdWindow>(ToolContext{folder, false}, defaultMotdUrl());
        window = other.get();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        ToolRun::get<QPlainTextEdit>(window, "txtmotd")->setPlainText(large);
        ToolRun::click(window, {"Command1"});
    }
    for (const QString &text : dialogs.texts())
        out << QString(text).replace("\r\n", "|") << '\n';
    out << (window->isVisible() ? "window open" : "window closed") << '\n';
    return 0;
}

} // namespace

class TestSharedFolder : public QObject
{
    Q_OBJECT

private slots:
    // Three runs at once, each changing another key, eight times over:
    // every run succeeds and no change is lost.
    void concurrentSetsLoseNothing()
    {
        ToolFolder folder;
        for (int round = 0; round < 8; ++round) {
            const QStringList values{QStringLiteral("ServerName=Round %1").arg(round), QStringLiteral("GameHour=%1").arg(round),
                                     QStringLiteral("ServerPort=%1").arg(5000 + round)};
            QList<QProcess *> runs;
            for (const QString &value : values) {
                runs << new QProcess(this);
                runs.last()->start(executable, {"set", "--folder", folder.path(), value});
            }
            for (QProcess *run : std::as_const(runs)) {
                QVERIFY(run->waitForFinished(60000));
                QCOMPARE(run->exitCode(), 0);
                delete run;
            }
            const QByteArray shown = kvx(folder, {"show"}).out;
            for (const QString &value : values)
                QVERIFY2(shown.contains(value.toUtf8() + '\n'), qPrintable(value + " lost in round " + QString::number(round)));
        }
        QCOMPARE(entries(folder.path()).keys(), QStringList{"kvxserver.conf"}); // no lock file left behind
    }

    // While another holds the lock, a writer waits (10 seconds, shortened
    // here), then names the holder and writes nothing: the command line's
    // two writers and a window's save.
    void heldLockKeepsWritersOut()
    {
        setLockWaitForTesting(100);
        const auto realWait = qScopeGuard([] { setLockWaitForTesting(0); });
        ToolRun tool;
        tool.folder.write("kvxserver.conf", handEdited);
        tool.folder.write("motd.txt", "old\r\n");
        tool.folder.writeStandInServer();
        ToolFolder source;
        source.write("new.txt", "new\n");
        FolderLock holder(tool.folder.path());
        QVERIFY(holder.acquire());
        const Files before = entries(tool.folder.path());
#ifdef Q_OS_LINUX
        const QString program = "test_shared_fol"; // as the system keeps it, 15 characters
#else
        const QString program = "test_shared_folder";
#endif
        const QString held = "the files in " + QDir::toNativeSeparators(tool.folder.path()) + " are being changed by another program"
                           + " (process " + QString::number(QCoreApplication::applicationPid()) + ", " + program + "), which still held the lock after 10 seconds; nothing was written. "
                           "Try again when it has finished.";
        for (const ProgramRun &run : {command(tool.folder.path(), "set", {"ServerName=x"}),
                                      command(tool.folder.path(), "motd", {"--set", source.path("new.txt")})}) {
            QCOMPARE(QString::fromUtf8(run.err), "kvxconfig: " + held + '\n');
            QCOMPARE(run.status, 1);
        }
        tool.start();
        tool.goToPage(7);
        tool.click({"cmdnext"});
        QCOMPARE(tool.dialogs.texts(), QStringList{"Server config Error: T" + held.mid(1)});
        QCOMPARE(entries(tool.folder.path()), before);
    }

    // The file a save replaces is the one it judged: the backup holds the
    // bytes read, even when the file changed after, and a file that another
    // program changed under the lock is not replaced.
    void backupComesFromTheBytesJudged()
    {
        ToolFolder folder;
        const QString path = folder.path("kvxserver.conf");
        folder.write("kvxserver.conf", handEdited);
        const Result<FileSnapshot> judged = readRegularFile(path);
        folder.write("kvxserver.conf", ""); // an editor halfway through its write
        QVERIFY(saveconfig(path, buildwizard(wizardDefaults()), judged.value()).ok());
        QCOMPARE(folder.read("kvxserver.conf.bak"), handEdited);

        folder.write("kvxserver.conf", "an editor's\r\n");
        bool changed = false;
        QVERIFY(!saveconfigIfUnchanged(path, buildwizard(wizardDefaults()), judged.value(), &changed).ok());
        QVERIFY(changed);
        QCOMPARE(entries(folder.path()), (Files{{"kvxserver.conf", "an editor's\r\n"}, {"kvxserver.conf.bak", handEdited}}));
        QVERIFY(saveconfigIfUnchanged(path, buildwizard(wizardDefaults()), readRegularFile(path).value(), &changed).ok());
        QVERIFY(!changed);
    }

    // Owner, group and mode of the file and its backup are the old file's:
    // a password stays as private as it was.
    void ownerGroupAndModeAreKept_data()
    {
        QTest::addColumn<QString>("front");
        QTest::addColumn<uint>("owner");
        QTest::addColumn<uint>("mode");
        QTest::newRow("set, another user's private file") << "set" << nobody << 0600u;
        QTest::newRow("set, root's file for a group") << "set" << 0u << 0640u;
        QTest::newRow("wizard, another user's private file") << "wizard" << nobody << 0600u;
        QTest::newRow("core, a read-only file") << "core" << 0u << 0444u;
    }

    void ownerGroupAndModeAreKept()
    {
        QFETCH(QString, front);
        QFETCH(uint, owner);
        QFETCH(uint, mode);
        if (!root())
            QSKIP("giving a file to another user needs root");
#ifdef Q_OS_UNIX
        ToolRun tool;
        tool.folder.write("kvxserver.conf", handEdited);
        give(tool.folder.path("kvxserver.conf"), owner, mode);
        ::umask(022);
        if (front == "set") {
            QCOMPARE(kvx(tool.folder, {"set"}).status, 0);
        } else if (front == "core") {
            QVERIFY(saveconfig(tool.folder.path("kvxserver.conf"), buildwizard(wizardDefaults())).ok());
        } else {
            tool.start();
            tool.goToPage(7);
            tool.click({"cmdnext"});
        }
        QCOMPARE(tool.folder.read("kvxserver.conf.bak"), handEdited);
        QCOMPARE(attributesOf(tool.folder.path("kvxserver.conf.bak")), (QList<uint>{owner, owner, mode}));
        QCOMPARE(attributesOf(tool.folder.path("kvxserver.conf")), (QList<uint>{owner, owner, mode}));
#endif
    }

    // Links another account planted: followed only when the account owns the
    // file they lead to too; the backup's path is replaced.
    void plantedLinks_data()
    {
        QTest::addColumn<QString>("name"); // the link in the server folder
        // In another folder: "secret" (root's private text), "mine" and "own" (a file
        // the tool wrote, root's and nobody's), or "conf" (kvxserver.conf), "none".
        QTest::addColumn<QString>("target");
        QTest::addColumn<uint>("linkOwner");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("err"); // %2: the link's name
        const QByteArray refused = "kvxconfig: %1/%2 could not be %3: the link %1/%2 belongs to nobody (uid 65534), neither "
                                   "the user running the tool nor the owner of the file it leads to, so the tool does not follow it\n";
        const QByteArray notRead = QByteArray(refused).replace("%3", "read");
        QTest::newRow("kvxserver.conf to root's file") << "kvxserver.conf" << "secret" << nobody << QStringList{"set"} << notRead;
        QTest::newRow("kvxserver.conf to nothing") << "kvxserver.conf" << "none" << nobody << QStringList{"set"} << notRead;
        QTest::newRow("kvxserver.conf to its owner's file") << "kvxserver.conf" << "own" << nobody << QStringList{"set"} << QByteArray();
        QTest::newRow("root's own link to root's file") << "kvxserver.conf" << "mine" << 0u << QStringList{"set"} << QByteArray();
        QTest::newRow("motd.txt, printed") << "motd.txt" << "secret" << nobody << QStringList{"motd"} << notRead;
        QTest::newRow("motd.txt, replaced") << "motd.txt" << "secret" << nobody << QStringList{"motd", "--set", "-"}
                                            << QByteArray(refused).replace("%3", "written");
        QTest::newRow("the backup's path") << "kvxserver.conf.bak" << "secret" << nobody << QStringList{"set"} << backupNotice;
        QTest::newRow("the backup's path to the file itself") << "kvxserver.conf.bak" << "conf" << nobody << QStringList{"set"}
                                                              << backupNotice;
    }

    void plantedLinks()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(uint, linkOwner);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, err);
        if (!root())
            QSKIP("links of another user need root");
#ifdef Q_OS_UNIX
        ToolFolder folder, elsewhere;
        elsewhere.write("secret", "root's own\n");
        give(elsewhere.path("secret"), 0, 0600);
        for (const char *file : {"mine", "own"}) {
            elsewhere.write(file, toolWritten);
            give(elsewhere.path(file), qstrcmp(file, "own") == 0 ? nobody : 0, 0600);
        }
        const bool backup = name.endsWith(".bak"), followed = err.isEmpty();
        if (backup)
            folder.write("kvxserver.conf", handEdited);
        const QString targetPath = target == "conf" ? folder.path("kvxserver.conf") : elsewhere.path(target);
        QVERIFY(QFile::link(targetPath, folder.path(name)));
        give(folder.path(name), linkOwner, 0);
        const Files before = entries(elsewhere.path());

        const ProgramRun run = kvx(folder, arguments, "new\n");
        QCOMPARE(run.err, placed(err, folder.path()).replace("%2", name.toLocal8Bit()));
        QCOMPARE(run.status, followed || backup ? 0 : 1);
        if (followed) {
            QCOMPARE(QFileInfo(folder.path(name)).symLinkTarget(), targetPath);
            QCOMPARE(elsewhere.read(target), classicFromWizard);
            QCOMPARE(attributesOf(targetPath), (QList<uint>{linkOwner ? nobody : 0u, linkOwner ? nobody : 0u, 0600}));
        } else {
            QCOMPARE(entries(elsewhere.path()), before);
            QCOMPARE(folder.exists("kvxserver.conf.bak"), backup);
        }
        if (backup) { // replaced by a regular file holding what the save replaced
            QVERIFY(!QFileInfo(folder.path(name)).isSymLink());
            QCOMPARE(folder.read(name), handEdited);
            QCOMPARE(folder.read("kvxserver.conf"), classicFromWizard);
        }
#endif
    }

    // A link at the copy's path is replaced by the copy, whatever it leads to.
    void copyReplacesALink()
    {
#ifndef Q_OS_UNIX
        QSKIP("links are POSIX's here");
#endif
        ToolFolder folder, elsewhere;
        folder.writeStandInServer("server-build");
        elsewhere.write("other", "someone's file\n");
        QVERIFY(QFile::link(elsewhere.path("other"), folder.path("KVXServer.exe")));
        QVERIFY(copyServer(folder.path("server-build"), folder.path()).ok());
        QVERIFY(!QFileInfo(folder.path("KVXServer.exe")).isSymLink());
        QCOMPARE(folder.read("KVXServer.exe"), folder.read("server-build"));
        QCOMPARE(elsewhere.read("other"), "someone's file\n");
    }

    // A FIFO, a device or a file far too large at a file's path, a link or a
    // FIFO at the lock file's, is refused at once, when reading and when
    // saving, and nothing is replaced or made.
    void onlyRegularFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind"); // "fifo", "zero" (a link to /dev/zero), "link" (to a missing file), "large"
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("err");
        const QByteArray fifo = "kvxconfig: %1/kvxserver.conf could not be read: it is a FIFO, not a regular file\n";
        QTest::newRow("show, FIFO") << "kvxserver.conf" << "fifo" << QStringList{"show"} << fifo;
        QTest::newRow("check, FIFO") << "kvxserver.conf" << "fifo" << QStringList{"check"} << fifo;
        QTest::newRow("set, FIFO") << "kvxserver.conf" << "fifo" << QStringList{"set", "ServerName=x"} << fifo;
        QTest::newRow("motd, FIFO") << "motd.txt" << "fifo" << QStringList{"motd"}
                                    << QByteArray("kvxconfig: %1/motd.txt could not be read: it is a FIFO, not a regular file\n");
        QTest::newRow("motd --set, FIFO") << "motd.txt" << "fifo" << QStringList{"motd", "--set", "-"}
                                          << QByteArray("kvxconfig: %1/motd.txt could not be written: it is a FIFO, not a regular file\n");
        QTest::newRow("show, /dev/zero") << "kvxserver.conf" << "zero" << QStringList{"show"}
                                         << QByteArray("kvxconfig: %1/kvxserver.conf could not be read: it is a device, not a regular file\n");
        QTest::newRow("set, FIFO as the backup") << "kvxserver.conf.bak" << "fifo" << QStringList{"set"}
                                                 << QByteArray("kvxconfig: %1/kvxserver.conf was not saved, so that the changes made to it "
                                                               "by hand are kept: the backup %1/kvxserver.conf.bak could not be written: "
                                                               "it is a FIFO, not a regular file\n");
        QTest::newRow("set, 16 MiB and a byte") << "kvxserver.conf" << "large" << QStringList{"set"}
                                                << QByteArray("kvxconfig: %1/kvxserver.conf could not be read: it is larger than 16 MiB, "
                                                              "far more than the file ever holds, so the tool does not read it\n");
        QTest::newRow("set, link as the lock") << "kvxconfig.lock" << "link" << QStringList{"set", "ServerName=x"}
                                               << QByteArray("kvxconfig: the lock file %1/kvxconfig.lock is a link, which the tool "
                                                             "does not follow; nothing was written.\n");
        QTest::newRow("set, FIFO as the lock") << "kvxconfig.lock" << "fifo" << QStringList{"set", "ServerName=x"}
                                               << QByteArray("kvxconfig: the lock file %1/kvxconfig.lock could not be used: it is a "
                                                             "FIFO, not a regular file; nothing was written.\n");
    }

    void onlyRegularFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, err);
        ToolFolder folder;
        const QString path = folder.path(name);
        if (name != "kvxserver.conf")
            folder.write("kvxserver.conf", handEdited);
        if (kind == "large")
            folder.write(name, QByteArray(16 * 1024 * 1024 + 1, '#'));
#ifdef Q_OS_UNIX
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else
            QVERIFY(QFile::link(kind == "zero" ? "/dev/zero" : folder.path("target"), path));
#else
        else
            QSKIP("FIFOs and links are POSIX's");
#endif
        const Files before = entries(folder.path());
        const ProgramRun run = kvx(folder, arguments, "new\n");
        QCOMPARE(run.err, placed(err, folder.path()));
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, "");
        QCOMPARE(entries(folder.path()), before);
    }

    // A managed line in a form the tool does not write is read as ever, but
    // counts as a hand edit: check names it, and set keeps the old file. The
    // tool's own files hold no hand edits, whatever values they hold.
    void handWrittenValuesAreKept_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("shown");    // what show prints for the key
        QTest::addColumn<QByteArray>("replaced"); // check's first line; empty: no hand edit
        const auto edited = [](int index, const QByteArray &line) { return fixture("default-wizard.conf", committedWizard({{index, line}})); };
        QTest::newRow("a name without quotes") << edited(5, "ServerName My Server") << QByteArray("ServerName=y Serve")
                                               << QByteArray("line 6: a save would replace \"ServerName My Server\" with \"ServerName \"y Serve\"\"");
        QTest::newRow("a password without quotes") << edited(176, "AdminPassword hunter2") << QByteArray("AdminPassword=unter")
                                                    << QByteArray("line 177: a save would replace \"AdminPassword hunter2\" with \"AdminPassword \"unter\"\"");
        QTest::newRow("minutes after two spaces") << edited(64, "GameMins  45") << QByteArray("GameMins=30")
                                                  << QByteArray("line 65: a save would replace \"GameMins  45\" with \"GameMins 30\"");
        QTest::newRow("an hour without its space") << edited(57, "GameHour12") << QByteArray("GameHour=2")
                                                   << QByteArray("line 58: a save would replace \"GameHour12\" with \"GameHour 2\"");
        QTest::newRow("a switch after two spaces") << edited(93, "ASE  0") << QByteArray("ASE=0")
                                                   << QByteArray("line 94: a save would replace \"ASE  0\" with \"ASE 0\"");
        QTest::newRow("a mode with a space too many") << edited(253, "#mode:  classic") << QByteArray()
                                                      << QByteArray("line 254: a save would replace \"#mode:  classic\" with \"#mode: wizard\"");
        QTest::newRow("the wizard's defaults") << fixture("default-wizard.conf", committedWizard()) << QByteArray() << QByteArray();
        QTest::newRow("the classic defaults") << fixture("default-classic.conf", committedClassic()) << QByteArray() << QByteArray();
        QTest::newRow("every value of its kind")
            << fixture("default-classic.conf",
                       committedClassic({{5, "ServerName \"\""}, {26, "ServerPort 0"}, {41, "MaxPlayers 9"}, {50, "Game 1"},
                                         {57, "GameHour 7"}, {64, "GameMins 05"}, {129, "StatLogging 1"},
                                         {145, "ServerPassword \"a \"b\"\""}, {169, "AdminPort "},
                                         {253, "#mode: classic"}, {254, "#show page 1: 0"}}))
            << QByteArray() << QByteArray();
    }

    void handWrittenValuesAreKept()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, shown);
        QFETCH(QByteArray, replaced);
        ToolFolder folder;
        folder.write("kvxserver.conf", file);
        if (!shown.isEmpty())
            QVERIFY2(('\n' + kvx(folder, {"show"}).out).contains('\n' + shown + '\n'), shown);
        const QByteArray check = kvx(folder, {"check"}).out;
        QCOMPARE(check.contains("line ") ? check.split('\n').first() : QByteArray(), replaced);
        const ProgramRun set = kvx(folder, {"set"});
        QCOMPARE(set.status, 0);
        QCOMPARE(set.err, replaced.isEmpty() ? QByteArray() : placed(backupNotice, folder.path()));
        QCOMPARE(folder.read("kvxserver.conf.bak"), replaced.isEmpty() ? QByteArray() : file);
    }

    // Saves that fail on the way to the disk, through the command line and
    // each window: the platform's reason is told, every old file stays, no
    // temporary file is left and no server starts.
    void writeErrorsKeepEveryOldFile_data()
    {
        QTest::addColumn<QString>("scenario"); // "set", "motd" (--set): the tool's; else a window's, in a child of the tests
        QTest::addColumn<qint64>("limit");     // 0: no limit, as the user nobody
        QTest::addColumn<Files>("before");
        QTest::addColumn<QStringList>("report");
        QTest::addColumn<QString>("rewritten"); // a file a save before the failed one writes
        const QString failed = "Server config Error: %1/%2 could not be written: File too large";
        QTest::newRow("kvxserver.conf") << "set" << qint64(4096) << Files{{"kvxserver.conf", toolWritten}}
                                        << QStringList{"kvxconfig: %1/kvxserver.conf could not be written: File too large"} << "";
        QTest::newRow("backup of hand edits")
            << "set" << qint64(4096) << Files{{"kvxserver.conf", handEdited}}
            << QStringList{"kvxconfig: %1/kvxserver.conf was not saved, so that the changes made to it by hand are kept: the backup "
                           "%1/kvxserver.conf.bak could not be written: File too large"} << "";
        QTest::newRow("a folder that takes no new files")
            << "set" << qint64(0) << Files{{"kvxserver.conf", toolWritten}}
            << QStringList{"kvxconfig: %1/kvxserver.conf could not be written: the folder %1 does not allow new files "
                           "(Permission denied), so the file cannot be replaced safely; it was left as it was"} << "";
        QTest::newRow("motd.txt") << "motd" << qint64(4096) << Files{{"motd.txt", "old\r\n"}}
                                  << QStringList{"kvxconfig: %1/motd.txt could not be written: File too large"} << "";
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
        QFETCH(QString, scenario);
        QFETCH(qint64, limit);
        QFETCH(Files, before);
        QFETCH(QStringList, report);
        QFETCH(QString, rewritten);
#ifndef Q_OS_UNIX
        QSKIP("file-size limits and users are POSIX's");
#else
        if (limit == 0 && (!root() || QStandardPaths::findExecutable("setpriv").isEmpty()))
            QSKIP("needs root and setpriv to run as another user");
        ToolFolder folder;
        for (auto file = before.cbegin(); file != before.cend(); ++file)
            folder.write(file.key(), file.value(), file.key() == "KVXServer.exe");
        const bool tool = scenario == "set" || scenario == "motd";
        const std::function<void()> limited = [limit, tool] {
            // The tool sees a write past the limit fail by itself; a child of the tests is told to.
            std::signal(SIGXFSZ, tool ? SIG_DFL : SIG_IGN);
            const rlimit size{rlim_t(limit), rlim_t(limit)};
            ::setrlimit(RLIMIT_FSIZE, &size);
        };
        const QStringList arguments = tool ? QStringList{scenario, "--folder", folder.path()} + (tool && scenario == "motd" ? QStringList{"--set", "-"} : QStringList{})
                                           : QStringList{"--child", scenario, folder.path()};
        const QString program = tool ? executable : QCoreApplication::applicationFilePath();
        ProgramRun run;
        if (limit == 0) {
            QVERIFY(::chmod(QFile::encodeName(folder.path()), 0755) == 0 && ::chmod(QFile::encodeName(folder.path("kvxserver.conf")), 0666) == 0);
            run = runProgram("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + arguments);
        } else {
            run = runProgram(program, arguments, QByteArray(14000, 'm'), "QT_QPA_PLATFORM=offscreen", limited);
        }
        QCOMPARE(run.status, tool ? 1 : 0);
        QCOMPARE(QString::fromLocal8Bit(tool ? run.err : run.out).split(u'\n', Qt::SkipEmptyParts),
                 QString::fromLocal8Bit(placed(report.join(u'\n').toLocal8Bit(), folder.path())).split(u'\n'));
        Files after = entries(folder.path());
        QVERIFY(rewritten.isEmpty() || !after.take(rewritten).isEmpty());
        QCOMPARE(after, before); // no server started, no temporary file left
#endif
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
        const QString failed = QString::fromLocal8Bit(placed("%1/kvxserver.conf could not be written: ", folder.path()));
        QVERIFY2(saved.error().startsWith(failed) && saved.error().size() > failed.size(), qPrintable(saved.error()));
        if (syncFails)
            QCOMPARE(saved.error(), failed + "Input/output error");
        QTEST(entries(folder.path()), "left");
    }

    // A window's save that stops, and leaves every file and starts nothing:
    // a copy or a start that fails (the wizard stays on page 7); a file
    // another program changed since the window read it (a question: No); a
    // file the window could not read, never replaced in that run, even when
    // a regular file took its place since.
    void windowSavesThatStop_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("planted"); // before the start: "fifo" (motd.txt), else a folder of that name
        QTest::addColumn<QString>("chosen");  // picked in the open-file dialog; empty: no server there, not asked
        QTest::addColumn<QString>("changed"); // by another program after the window read it
        QTest::addColumn<bool>("replace");    // the answer to the question
        QTest::addColumn<QStringList>("texts");
        const QString notCopied = "Server Config Info: The server executable %1/%2 could not be copied to %1/KVXServer.exe: ";
        const QString changed = "Server configuration tool: %1 was changed by another program since the tool read it. "
                                "Replace it with the %2 shown here?";
        const QStringList refused{"Server config Error: %1/motd.txt could not be read: it is a FIFO, not a regular file\r\n"
                                  "The message of the day starts empty.",
                                  "Server config Error: The message of the day could not be saved to %1/motd.txt:\r\n"
                                  "the tool could not read it (it is a FIFO, not a regular file), so it does not replace it"
                                  "\r\n\r\nYour text is still in the editor."};
        QTest::newRow("a folder chosen") << "wizard" << "builds" << "builds" << "" << false
                                         << QStringList{notCopied.arg("%1", "builds") + "%1/builds is a folder, not a program"};
        QTest::newRow("the chosen file vanished") << "wizard" << "" << "gone" << "" << false
                                                  << QStringList{notCopied.arg("%1", "gone") + qt_error_string(ENOENT)};
        QTest::newRow("a folder named KVXServer.exe")
            << "wizard" << "KVXServer.exe" << "" << "" << false
            << QStringList{"Server Config Info: The server %1/KVXServer.exe could not be started: it is a folder, not a program"};
        QTest::newRow("wizard, No") << "wizard" << "" << "" << "kvxserver.conf" << false << QStringList{changed.arg("kvxserver.conf", "settings")};
        QTest::newRow("wizard, Yes") << "wizard" << "" << "" << "kvxserver.conf" << true << QStringList{changed.arg("kvxserver.conf", "settings")};
        QTest::newRow("classic, motd.txt, No") << "classic" << "" << "" << "motd.txt" << false << QStringList{changed.arg("motd.txt", "text")};
        QTest::newRow("MOTD editor, No") << "editor" << "" << "" << "motd.txt" << false << QStringList{changed.arg("motd.txt", "text")};
        QTest::newRow("MOTD editor, a FIFO") << "editor" << "fifo" << "" << "" << false << refused;
        QTest::newRow("MOTD editor, a regular file since the FIFO") << "editor" << "fifo" << "" << "motd.txt" << false << refused;
    }

    void windowSavesThatStop()
    {
        QFETCH(QString, window);
        QFETCH(QString, planted);
        QFETCH(QString, chosen);
        QFETCH(QString, changed);
        QFETCH(bool, replace);
        QFETCH(QStringList, texts);
        ToolRun tool;
        tool.folder.write("kvxserver.conf", toolWritten);
        if (planted == "fifo") {
#ifdef Q_OS_UNIX
            QCOMPARE(::mkfifo(QFile::encodeName(tool.folder.path("motd.txt")).constData(), 0644), 0);
#else
            QSKIP("FIFOs are POSIX's");
#endif
        } else {
            tool.folder.write("motd.txt", "Hello\r\n");
            if (!planted.isEmpty())
                QDir(tool.folder.path()).mkdir(planted);
        }
        if (planted.isEmpty() && chosen.isEmpty())
            tool.folder.writeStandInServer();
        tool.dialogs.queueFileName(tool.folder.path(chosen));
        tool.dialogs.queueAnswer(replace);
        tool.start();
        tool.goToPage(7);
        QWidget *shown = tool.wizard;
        if (window == "classic") {
            shown = tool.classic();
        } else if (window == "editor") {
            tool.click({"cmdchangemotd"});
            shown = tool.lifetime->motdEditor();
            ToolRun::get<QPlainTextEdit>(shown, "txtmotd")->setPlainText("mine");
        }
        if (!changed.isEmpty()) {
            QFile::remove(tool.folder.path(changed));
            tool.folder.write(changed, "changed by hand\r\n");
        }
        const Files before = entries(tool.folder.path());
        ToolRun::click(shown, {window == "classic" ? "Command2" : window == "editor" ? "Command1" : "cmdnext"});
        for (QString &text : texts)
            text = QString::fromLocal8Bit(placed(text.toLocal8Bit(), tool.folder.path()));
        QCOMPARE(tool.dialogs.texts(), texts);
        QCOMPARE(tool.dialogs.messages.first().icon == OperatorMessage::Icon::Question, !changed.isEmpty() && planted.isEmpty());
        QCOMPARE(tool.dialogs.fileRequests.size(), chosen.isEmpty() ? 0 : 1);
        if (replace) {
            QCOMPARE(tool.folder.read(changed), toolWritten);
            QTRY_VERIFY(tool.folder.exists("server-started"));
        } else {
            QCOMPARE(entries(tool.folder.path()), before); // no copy, whole or partial, and no server started
            QVERIFY(shown->isVisible());
            if (window == "wizard")
                QCOMPARE(tool.page(), 7);
        }
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0) {
        QApplication app(argc, argv);
        return runChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QApplication app(argc, argv);
    TestSharedFolder test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_shared_folder.moc"
