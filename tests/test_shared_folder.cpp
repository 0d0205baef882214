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

#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <cstdarg>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

using Files = QMap<QString, QByteArray>;
const QString executable = QStringLiteral(KVX_EXECUTABLE);
constexpr uint nobody = 65534;
#ifdef Q_OS_UNIX
const bool root = ::geteuid() == 0;
#else
const bool root = false;
#endif

const QByteArray toolWritten = fixture("default-wizard.conf", committedWizard());
// The wizard's defaults with one line changed by hand (index 200, from 0).
const QByteArray handEdited = fixture("default-wizard.conf", committedWizard({{200, "ChatFloodMaxCount 5"}}));
// What `set` without values saves from a file the tool wrote.
const QByteArray classicFromWizard =
    fixture("default-classic.conf", {{50, "GameMap 3"}, {162, "AdminPlus 0"}, {169, "AdminPort 4003"}});
const QByteArray backupNotice = "kvxconfig: kvxserver.conf held changes made by hand, which the template's text "
                                "replaced; the old file is kept in %1/kvxserver.conf.bak.\n";

ProgramRun kvx(const ToolFolder &folder, QStringList arguments, const QByteArray &input = {},
               const std::function<void()> &inChild = {})
{
    return runProgram(executable, arguments.mid(0, 1) + QStringList{"--folder", folder.path()} + arguments.mid(1), input, {}, inChild);
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

#ifdef Q_OS_LINUX
// A failure planted in this process's next opening of a lock file, or its
// next flock, with that error; 0: none.
int openLockFails = 0, flockFails = 0;
#endif

} // namespace

#ifdef Q_OS_LINUX
// The lock's system calls, seen first by this program, which lets through
// every call but a planted failure.
extern "C" int open(const char *path, int flags, ...)
{
    va_list rest;
    va_start(rest, flags);
    const mode_t mode = (flags & O_CREAT) ? mode_t(va_arg(rest, int)) : 0;
    va_end(rest);
    if (openLockFails && QByteArray(path).endsWith(".lock")) {
        errno = std::exchange(openLockFails, 0);
        return -1;
    }
    return int(::syscall(SYS_openat, AT_FDCWD, path, flags, mode));
}

extern "C" int flock(int fd, int operation)
{
    if (flockFails) {
        errno = flockFails;
        return -1;
    }
    return int(::syscall(SYS_flock, fd, operation));
}
#endif

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
            std::vector<std::unique_ptr<QProcess>> runs;
            for (const QString &value : values) {
                runs.push_back(std::make_unique<QProcess>());
                runs.back()->start(executable, {"set", "--folder", folder.path(), value});
            }
            for (const auto &run : runs)
                QVERIFY(run->waitForFinished(60000) && run->exitCode() == 0);
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
        FolderLock holder(tool.folder.path());
        QVERIFY(holder.acquire());
        const Files before = entries(tool.folder.path());
        // Linux keeps a program's name in 15 characters.
        const QString program = QStringLiteral("test_shared_folder").left(QSysInfo::kernelType() == "linux" ? 15 : 18);
        const QString held = "the files in " + QDir::toNativeSeparators(tool.folder.path()) + " are being changed by another program"
                           + " (process " + QString::number(QCoreApplication::applicationPid()) + ", " + program + "), which still held the lock after 10 seconds; nothing was written. "
                           "Try again when it has finished.";
        for (const ProgramRun &run : {command(tool.folder.path(), "set", {"ServerName=x"}),
                                      command(tool.folder.path(), "motd", {"--set", tool.folder.path("motd.txt")})})
            QCOMPARE(QString::number(run.status) + QString::fromUtf8(run.err), "1kvxconfig: " + held + '\n');
        tool.start();
        tool.goToPage(7);
        tool.click({"cmdnext"});
        QCOMPARE(tool.dialogs.texts(), QStringList{"Server config Error: T" + held.mid(1)});
        QCOMPARE(entries(tool.folder.path()), before);
    }

    // The lock's own edges, through failures planted in its system calls: a
    // folder on a read-only mount takes no lock file (the save then reports
    // the folder), a lock the system refuses for a reason of its own stops
    // the writer, and a lock on descriptor 0 (a tool started with its input
    // closed) is let go and its file removed like any other.
    void lockEdges()
    {
#ifndef Q_OS_LINUX
        QSKIP("the system calls planted here are Linux's");
#else
        ToolFolder folder;
        FolderLock lock(folder.path());
        const int input = ::dup(0);
        ::close(0);
        const bool acquired = lock.acquire();
        lock.release();
        QVERIFY(input < 0 || ::dup2(input, 0) == 0);
        ::close(input);
        QVERIFY(acquired && !folder.exists("kvxconfig.lock"));
        openLockFails = EROFS;
        QVERIFY2(lock.acquire(), qPrintable(lock.error()));
        flockFails = ENOLCK;
        const bool refused = !lock.acquire(1000);
        flockFails = 0;
        QVERIFY(refused);
        QCOMPARE(lock.error(), "the lock file " + folder.path("kvxconfig.lock") + " could not be locked: No locks available; nothing was written.");
#endif
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
        QVERIFY(!saveconfigIfUnchanged(path, buildwizard(wizardDefaults()), judged.value(), &changed).ok() && changed);
        QCOMPARE(entries(folder.path()), (Files{{"kvxserver.conf", "an editor's\r\n"}, {"kvxserver.conf.bak", handEdited}}));
        QVERIFY(saveconfigIfUnchanged(path, buildwizard(wizardDefaults()), readRegularFile(path).value(), &changed).ok() && !changed);
    }

    // Owner, group and mode of the file and its backup are the old file's:
    // a password stays as private as it was.
    void ownerGroupAndModeAreKept()
    {
        if (!root)
            QSKIP("giving a file to another user needs root");
#ifdef Q_OS_UNIX
        for (const auto &[front, owner, mode] : {std::tuple{"set", nobody, 0600u}, {"wizard", nobody, 0600u}, {"core", 0u, 0444u}}) {
            ToolRun tool;
            tool.folder.write("kvxserver.conf", handEdited);
            give(tool.folder.path("kvxserver.conf"), owner, mode);
            ::umask(022);
            if (qstrcmp(front, "set") == 0) {
                QCOMPARE(kvx(tool.folder, {"set"}).status, 0);
            } else if (qstrcmp(front, "core") == 0) {
                QVERIFY(saveconfig(tool.folder.path("kvxserver.conf"), buildwizard(wizardDefaults())).ok());
            } else {
                tool.start();
                tool.goToPage(7);
                tool.click({"cmdnext"});
            }
            QCOMPARE(tool.folder.read("kvxserver.conf.bak"), handEdited);
            for (const char *name : {"kvxserver.conf.bak", "kvxserver.conf"})
                QCOMPARE(attributesOf(tool.folder.path(name)), (QList<uint>{owner, owner, mode}));
        }
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
        if (!root)
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
            QCOMPARE(entries(folder.path()), (backup ? Files{{"kvxserver.conf", classicFromWizard}, {name, handEdited}} // a file for the link
                                                     : Files{{name, "<link to " + targetPath.toLocal8Bit() + ">"}}));
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
        QCOMPARE(entries(folder.path()).value("KVXServer.exe"), folder.read("server-build")); // a file, not the link
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
        QCOMPARE(QByteArray::number(run.status) + run.out, "1");
        QCOMPARE(entries(folder.path()), before);
    }

    // A managed line in a form the tool does not write is read as ever, but
    // counts as a hand edit: check names it, and set keeps the old file. The
    // tool's own files hold no hand edits, whatever values they hold.
    void handWrittenValuesAreKept()
    {
        const auto edited = [](int index, const QByteArray &line) { return fixture("default-wizard.conf", committedWizard({{index, line}})); };
        const QList<std::tuple<QByteArray, QByteArray, QByteArray>> rows = { // the file, what show prints for the key, check's first line
            {edited(5, "ServerName My Server"), "ServerName=y Serve",
             "line 6: a save would replace \"ServerName My Server\" with \"ServerName \"y Serve\"\""},
            {edited(64, "GameMins  45"), "GameMins=30", "line 65: a save would replace \"GameMins  45\" with \"GameMins 30\""},
            {edited(57, "GameHour12"), "GameHour=2", "line 58: a save would replace \"GameHour12\" with \"GameHour 2\""},
            {edited(93, "ASE  0"), "ASE=0", "line 94: a save would replace \"ASE  0\" with \"ASE 0\""},
            {edited(253, "#mode:  classic"), "", "line 254: a save would replace \"#mode:  classic\" with \"#mode: wizard\""},
            {toolWritten, "", ""}, {fixture("default-classic.conf", committedClassic()), "", ""},
            {fixture("default-classic.conf", committedClassic({{5, "ServerName \"\""}, {26, "ServerPort 0"}, {41, "MaxPlayers 9"}, {50, "Game 1"},
                                                               {57, "GameHour 7"}, {64, "GameMins 05"}, {129, "StatLogging 1"},
                                                               {145, "ServerPassword \"a \"b\"\""}, {169, "AdminPort "},
                                                               {253, "#mode: classic"}, {254, "#show page 1: 0"}})), "", ""}};
        for (const auto &[file, shown, replaced] : rows) {
            ToolFolder folder;
            folder.write("kvxserver.conf", file);
            QVERIFY2(('\n' + kvx(folder, {"show"}).out).contains('\n' + shown + (shown.isEmpty() ? "" : "\n")), shown);
            const QByteArray check = kvx(folder, {"check"}).out;
            QCOMPARE(check.contains("line ") ? check.split('\n').first() : QByteArray(), replaced);
            const ProgramRun set = kvx(folder, {"set"});
            QCOMPARE(set.status, 0);
            QCOMPARE(set.err, replaced.isEmpty() ? QByteArray() : placed(backupNotice, folder.path()));
            QCOMPARE(folder.read("kvxserver.conf.bak"), replaced.isEmpty() ? QByteArray() : file);
        }
    }

    // Saves of the command line that fail on the way to the disk: the
    // platform's reason is told, every old file stays and no temporary file
    // is left.
    void writeErrorsKeepEveryOldFile()
    {
#ifndef Q_OS_UNIX
        QSKIP("file-size limits and users are POSIX's");
#else
        const QList<std::tuple<QString, qint64, QByteArray, QByteArray>> rows = { // the command, its limit (0: as nobody), the old file
            {"set", 4096, toolWritten, "kvxconfig: %1/kvxserver.conf could not be written: File too large\n"},
            {"set", 4096, handEdited, "kvxconfig: %1/kvxserver.conf was not saved, so that the changes made to it by hand are kept: the "
                                      "backup %1/kvxserver.conf.bak could not be written: File too large\n"},
            {"set", 0, toolWritten, "kvxconfig: %1/kvxserver.conf could not be written: the folder %1 does not allow new files "
                                    "(Permission denied), so the file cannot be replaced safely; it was left as it was\n"},
            {"motd", 4096, "old\r\n", "kvxconfig: %1/motd.txt could not be written: File too large\n"}};
        for (const auto &[name, limit, old, err] : rows) {
            if (limit == 0 && (!root || QStandardPaths::findExecutable("setpriv").isEmpty()))
                continue; // running as another user needs root and setpriv
            ToolFolder folder;
            folder.write(name == "set" ? "kvxserver.conf" : "motd.txt", old);
            const QStringList arguments = QStringList{name, "--folder", folder.path()} + (name == "motd" ? QStringList{"--set", "-"} : QStringList{});
            const Files before = entries(folder.path());
            ProgramRun run;
            if (limit == 0) {
                QVERIFY(::chmod(QFile::encodeName(folder.path()), 0755) == 0 && ::chmod(QFile::encodeName(folder.path("kvxserver.conf")), 0666) == 0);
                run = runProgram("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", executable} + arguments);
            } else {
                run = runProgram(executable, arguments, QByteArray(14000, 'm'), {}, [limit] {
                    std::signal(SIGXFSZ, SIG_DFL); // the tool sees a write past the limit fail by itself
                    const rlimit size{rlim_t(limit), rlim_t(limit)};
                    ::setrlimit(RLIMIT_FSIZE, &size);
                });
            }
            QCOMPARE(QString::number(run.status) + run.err, '1' + placed(err, folder.path()));
            QCOMPARE(entries(folder.path()), before);
        }
#endif
    }

    // The last two steps of a save, each failing once every byte is written:
    // the sync to disk, and the rename over the old file (another program put
    // a folder at its path meanwhile). Either is a failed save and leaves no
    // temporary file.
    void failedSyncOrRenameIsAFailedSave()
    {
        for (const bool syncFails : {true, false}) {
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
            QVERIFY(!syncFails || saved.error() == failed + "Input/output error");
            QCOMPARE(entries(folder.path()), (Files{{"kvxserver.conf", syncFails ? toolWritten : "<folder>"}}));
        }
    }

    // A window's save that stops, and leaves every file and starts nothing:
    // a copy or a start that fails (the wizard stays on page 7); a file
    // another program changed since the window read it (a question: No); a
    // file the window could not read, never replaced in that run, even when
    // a regular file took its place since; a write past a file-size limit.
    void windowSavesThatStop_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("planted"); // before the start: "fifo" (motd.txt), "server-build" (large), else a folder of that name
        QTest::addColumn<QString>("chosen");  // picked in the open-file dialog; empty: no server there, not asked
        QTest::addColumn<QString>("changed"); // by another program after the window read it
        QTest::addColumn<bool>("replace");    // the answer to the question
        QTest::addColumn<qint64>("limit");    // on the size of files written in the save; 0: none
        QTest::addColumn<QStringList>("texts");
        const QString notCopied = "Server Config Info: The server executable %1/%2 could not be copied to %1/KVXServer.exe: ";
        const QString changed = "Server configuration tool: %1 was changed by another program since the tool read it. "
                                "Replace it with the %2 shown here?";
        const QString tooLarge = "Server config Error: %1/%2 could not be written: File too large";
        const QStringList refused{"Server config Error: %1/motd.txt could not be read: it is a FIFO, not a regular file\r\n"
                                  "The message of the day starts empty.",
                                  "Server config Error: The message of the day could not be saved to %1/motd.txt:\r\n"
                                  "the tool could not read it (it is a FIFO, not a regular file), so it does not replace it"
                                  "\r\n\r\nYour text is still in the editor."};
        QTest::newRow("a folder chosen") << "wizard" << "builds" << "builds" << "" << false << qint64(0)
                                         << QStringList{notCopied.arg("%1", "builds") + "%1/builds is a folder, not a program"};
        QTest::newRow("the chosen file vanished") << "wizard" << "" << "gone" << "" << false << qint64(0)
                                                  << QStringList{notCopied.arg("%1", "gone") + qt_error_string(ENOENT)};
        QTest::newRow("a folder named KVXServer.exe")
            << "wizard" << "KVXServer.exe" << "" << "" << false << qint64(0)
            << QStringList{"Server Config Info: The server %1/KVXServer.exe could not be started: it is a folder, not a program"};
        QTest::newRow("wizard, No") << "wizard" << "" << "" << "kvxserver.conf" << false << qint64(0) << QStringList{changed.arg("kvxserver.conf", "settings")};
        QTest::newRow("wizard, Yes") << "wizard" << "" << "" << "kvxserver.conf" << true << qint64(0) << QStringList{changed.arg("kvxserver.conf", "settings")};
        QTest::newRow("classic, motd.txt, No") << "classic" << "" << "" << "motd.txt" << false << qint64(0) << QStringList{changed.arg("motd.txt", "text")};
        QTest::newRow("MOTD editor, No") << "editor" << "" << "" << "motd.txt" << false << qint64(0) << QStringList{changed.arg("motd.txt", "text")};
        QTest::newRow("MOTD editor, a FIFO") << "editor" << "fifo" << "" << "" << false << qint64(0) << refused;
        QTest::newRow("MOTD editor, a regular file since the FIFO") << "editor" << "fifo" << "" << "motd.txt" << false << qint64(0) << refused;
        QTest::newRow("wizard, Launch! past the limit") << "wizard" << "" << "" << "" << false << qint64(4096)
                                                        << QStringList{tooLarge.arg("%1", "kvxserver.conf")};
        QTest::newRow("classic, kvxserver.conf past the limit") << "classic" << "" << "" << "" << false << qint64(4096)
                                                                << QStringList{tooLarge.arg("%1", "kvxserver.conf")};
        QTest::newRow("classic, motd.txt past the limit") << "classic" << "" << "" << "" << false << qint64(12000)
                                                          << QStringList{tooLarge.arg("%1", "motd.txt")};
        QTest::newRow("MOTD editor past the limit") << "editor" << "" << "" << "" << false << qint64(4096)
                                                    << QStringList{"Server config Error: The message of the day could not be saved to "
                                                                   "%1/motd.txt:\r\nFile too large\r\n\r\nYour text is still in the editor."};
        QTest::newRow("copy of the server past the limit") << "wizard" << "server-build" << "server-build" << "" << false << qint64(16384)
                                                           << QStringList{notCopied.arg("%1", "server-build") + "File too large"};
    }

    void windowSavesThatStop()
    {
        QFETCH(QString, window);
        QFETCH(QString, planted);
        QFETCH(QString, chosen);
        QFETCH(QString, changed);
        QFETCH(bool, replace);
        QFETCH(qint64, limit);
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
            if (planted == "server-build")
                tool.folder.write(planted, "#!/bin/sh\n" + QByteArray(20000, '#'), true);
            else if (!planted.isEmpty())
                QDir(tool.folder.path()).mkdir(planted);
        }
        if (planted.isEmpty() && chosen.isEmpty())
            tool.folder.writeStandInServer();
        tool.dialogs.queueFileName(tool.folder.path(chosen));
        tool.dialogs.queueAnswer(replace);
        tool.start();
        tool.goToPage(7);
        QWidget *shown = tool.wizard;
        const QString large(14000, u'm'); // past every limit, within the 16 KiB a file buffers until its flush
        if (window == "classic") {
            shown = tool.classic();
            ToolRun::get<QPlainTextEdit>(shown, "Text8")->setPlainText(large);
        } else if (window == "editor") {
            tool.click({"cmdchangemotd"});
            shown = tool.lifetime->motdEditor();
            ToolRun::get<QPlainTextEdit>(shown, "txtmotd")->setPlainText(large);
        }
        if (!changed.isEmpty()) {
            QFile::remove(tool.folder.path(changed));
            tool.folder.write(changed, "changed by hand\r\n");
        }
        Files before = entries(tool.folder.path());
#ifdef Q_OS_UNIX
        rlimit unlimited {};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        const rlimit size{limit ? rlim_t(limit) : unlimited.rlim_cur, unlimited.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
        ::setrlimit(RLIMIT_FSIZE, &size);
#else
        if (limit)
            QSKIP("file-size limits are POSIX's");
#endif
        ToolRun::click(shown, {window == "classic" ? "Command2" : window == "editor" ? "Command1" : "cmdnext"});
#ifdef Q_OS_UNIX
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
#endif
        for (QString &text : texts)
            text = QString::fromLocal8Bit(placed(text.toLocal8Bit(), tool.folder.path()));
        QCOMPARE(tool.dialogs.texts(), texts);
        QCOMPARE(tool.dialogs.messages.first().icon == OperatorMessage::Icon::Question, !changed.isEmpty() && planted.isEmpty());
        QCOMPARE(tool.dialogs.fileRequests.size(), chosen.isEmpty() ? 0 : 1);
        if (replace) {
            QCOMPARE(tool.folder.read(changed), toolWritten);
            QTRY_VERIFY(tool.folder.exists("server-started"));
        } else {
            if (window == "classic" && limit > 4096) // kvxserver.conf was saved before motd.txt failed
                before.insert("kvxserver.conf", classicFromWizard);
            QCOMPARE(entries(tool.folder.path()), before); // no copy, whole or partial, and no server started
            QVERIFY(shown->isVisible());
            QVERIFY(window != "wizard" || tool.page() == 7);
        }
    }
};

QTEST_MAIN(TestSharedFolder)
#include "test_shared_folder.moc"
