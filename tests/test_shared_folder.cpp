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

// Makes an entry as entries() shows it: "<folder>", "<fifo>", "<link to T>"
// (%1 in T stands for the folder), else a file, a program when it starts
// with "#!"; false where the system has no FIFOs or links.
bool plant(const ToolFolder &folder, const QString &name, const QByteArray &bytes)
{
    if (bytes == "<folder>")
        return QDir(folder.path()).mkdir(name);
#ifdef Q_OS_UNIX
    if (bytes == "<fifo>")
        return ::mkfifo(QFile::encodeName(folder.path(name)).constData(), 0644) == 0;
    if (bytes.startsWith("<link to "))
        return QFile::link(placed(bytes.mid(9).chopped(1), folder.path()), folder.path(name));
#endif
    folder.write(name, bytes, bytes.startsWith("#!"));
    return !bytes.startsWith('<');
}

// From now on, writes past `limit` bytes fail (0: no limit), with SIGXFSZ,
// which ends a process that does not catch or ignore it; false where the
// system has no such limit.
bool limitFileSize([[maybe_unused]] qint64 limit, [[maybe_unused]] bool ignored = false)
{
#ifdef Q_OS_UNIX
    std::signal(SIGXFSZ, ignored ? SIG_IGN : SIG_DFL);
    rlimit size {};
    ::getrlimit(RLIMIT_FSIZE, &size);
    size.rlim_cur = limit ? rlim_t(limit) : size.rlim_max;
    return ::setrlimit(RLIMIT_FSIZE, &size) == 0;
#else
    return false;
#endif
}

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
            QProcess runs[3];
            for (int i = 0; i < 3; ++i)
                runs[i].start(executable, {"set", "--folder", folder.path(), values[i]});
            for (QProcess &run : runs)
                QVERIFY(run.waitForFinished(60000) && run.exitCode() == 0);
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
    void plantedLinks()
    {
        if (!root)
            QSKIP("links of another user need root");
#ifdef Q_OS_UNIX
        const QByteArray refused = "kvxconfig: %1/%2 could not be %3: the link %1/%2 belongs to nobody (uid 65534), neither "
                                   "the user running the tool nor the owner of the file it leads to, so the tool does not follow it\n";
        const QByteArray notRead = QByteArray(refused).replace("%3", "read");
        // The link in the server folder; what it leads to in another folder: "secret" (root's private text), "mine" and
        // "own" (a file the tool wrote, root's and nobody's), "none", or "conf" (kvxserver.conf); its owner; %2: its name.
        const QList<std::tuple<QString, QString, uint, QStringList, QByteArray>> rows = {
            {"kvxserver.conf", "secret", nobody, {"set"}, notRead}, {"kvxserver.conf", "none", nobody, {"set"}, notRead},
            {"kvxserver.conf", "own", nobody, {"set"}, ""}, {"kvxserver.conf", "mine", 0u, {"set"}, ""},
            {"motd.txt", "secret", nobody, {"motd"}, notRead},
            {"motd.txt", "secret", nobody, {"motd", "--set", "-"}, QByteArray(refused).replace("%3", "written")},
            {"kvxserver.conf.bak", "secret", nobody, {"set"}, backupNotice}, {"kvxserver.conf.bak", "conf", nobody, {"set"}, backupNotice}};
        for (const auto &[name, target, linkOwner, arguments, err] : rows) {
            ToolFolder folder, elsewhere;
            for (const auto &[file, owner] : {std::pair{"secret", 0u}, {"mine", 0u}, {"own", nobody}}) {
                elsewhere.write(file, qstrcmp(file, "secret") == 0 ? "root's own\n" : toolWritten);
                give(elsewhere.path(file), owner, 0600);
            }
            const bool backup = name.endsWith(".bak"), followed = err.isEmpty();
            if (backup)
                folder.write("kvxserver.conf", handEdited);
            const QString targetPath = target == "conf" ? folder.path("kvxserver.conf") : elsewhere.path(target);
            QVERIFY(QFile::link(targetPath, folder.path(name)));
            give(folder.path(name), linkOwner, 0);
            Files after = entries(elsewhere.path());
            if (followed)
                after.insert(target, classicFromWizard);
            const ProgramRun run = kvx(folder, arguments, "new\n");
            QCOMPARE(QByteArray::number(run.status) + run.err,
                     QByteArray::number(followed || backup ? 0 : 1) + placed(err, folder.path()).replace("%2", name.toLocal8Bit()));
            QCOMPARE(entries(elsewhere.path()), after);
            QCOMPARE(entries(folder.path()), (backup ? Files{{"kvxserver.conf", classicFromWizard}, {name, handEdited}} // a file for the link
                                                     : Files{{name, "<link to " + targetPath.toLocal8Bit() + ">"}}));
            QVERIFY(!followed || attributesOf(targetPath) == (QList<uint>{linkOwner, linkOwner, 0600}));
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

    // Commands that stop, and leave every file as it was: a FIFO, a device or
    // a file far too large at a file's path, a link or a FIFO at the lock
    // file's (refused at once, when reading and when saving), and saves that
    // fail on the way to the disk, past a file-size limit or as a user the
    // folder takes no new files from. The platform's reason is told, and no
    // temporary file is left.
    void commandsThatStopKeepEveryFile()
    {
        const QByteArray fifo = "<fifo>", notRegular = "could not be read: it is a FIFO, not a regular file\n";
        const QByteArray tooLarge = " could not be written: File too large\n";
        const QList<std::tuple<Files, QStringList, qint64, QByteArray>> rows = { // a limit of -1: run as nobody
            {{{"kvxserver.conf", fifo}}, {"check"}, 0, "%1/kvxserver.conf " + notRegular},
            {{{"kvxserver.conf", fifo}}, {"set", "ServerName=x"}, 0, "%1/kvxserver.conf " + notRegular},
            {{{"motd.txt", fifo}}, {"motd"}, 0, "%1/motd.txt " + notRegular},
            {{{"motd.txt", fifo}}, {"motd", "--set", "-"}, 0, "%1/motd.txt could not be written: it is a FIFO, not a regular file\n"},
            {{{"kvxserver.conf", "<link to /dev/zero>"}}, {"show"}, 0, "%1/kvxserver.conf could not be read: it is a device, not a regular file\n"},
            {{{"kvxserver.conf", handEdited}, {"kvxserver.conf.bak", fifo}}, {"set"}, 0,
             "%1/kvxserver.conf was not saved, so that the changes made to it by hand are kept: the backup %1/kvxserver.conf.bak "
             "could not be written: it is a FIFO, not a regular file\n"},
            {{{"kvxserver.conf", QByteArray(16 * 1024 * 1024 + 1, '#')}}, {"set"}, 0,
             "%1/kvxserver.conf could not be read: it is larger than 16 MiB, far more than the file ever holds, so the tool does not read it\n"},
            {{{"kvxconfig.lock", "<link to %1/target>"}}, {"set", "ServerName=x"}, 0,
             "the lock file %1/kvxconfig.lock is a link, which the tool does not follow; nothing was written.\n"},
            {{{"kvxconfig.lock", fifo}}, {"set", "ServerName=x"}, 0,
             "the lock file %1/kvxconfig.lock could not be used: it is a FIFO, not a regular file; nothing was written.\n"},
            {{{"kvxserver.conf", toolWritten}}, {"set"}, 4096, "%1/kvxserver.conf" + tooLarge},
            {{{"kvxserver.conf", handEdited}}, {"set"}, 4096,
             "%1/kvxserver.conf was not saved, so that the changes made to it by hand are kept: the backup %1/kvxserver.conf.bak" + tooLarge},
            {{{"motd.txt", "old\r\n"}}, {"motd", "--set", "-"}, 4096, "%1/motd.txt" + tooLarge},
            {{{"kvxserver.conf", toolWritten}}, {"set"}, -1,
             "%1/kvxserver.conf could not be written: the folder %1 does not allow new files (Permission denied), so the file cannot be "
             "replaced safely; it was left as it was\n"}};
        for (const auto &[files, arguments, limit, err] : rows) {
            ToolFolder folder;
            bool planted = true;
            for (auto [name, bytes] : files.asKeyValueRange())
                planted = plant(folder, name, bytes) && planted;
            if (!planted || (limit > 0 && !limitFileSize(0)) || (limit < 0 && (!root || QStandardPaths::findExecutable("setpriv").isEmpty())))
                continue; // FIFOs, links and limits are POSIX's; running as another user needs root and setpriv
            const auto mode = QFileDevice::Permissions(0x7055); // 0755: nobody may change the file, but make no new one
            QVERIFY(limit >= 0 || (QFile::setPermissions(folder.path(), mode) && QFile::setPermissions(folder.path("kvxserver.conf"), mode | QFile::WriteOther)));
            const Files before = entries(folder.path());
            const ProgramRun run = limit < 0 ? runProgram("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", executable}
                                                                          + arguments.mid(0, 1) + QStringList{"--folder", folder.path()} + arguments.mid(1))
                                             : kvx(folder, arguments, QByteArray(14000, 'm'), [limit = limit] { limitFileSize(limit); }); // seen by the tool itself
            QCOMPARE(QByteArray::number(run.status) + run.out + run.err, "1kvxconfig: " + placed(err, folder.path()));
            QCOMPARE(entries(folder.path()), before);
        }
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
    void windowSavesThatStop()
    {
        const QString notCopied = "Server Config Info: The server executable %1/%2 could not be copied to %1/KVXServer.exe: ";
        const QString changed = "Server configuration tool: %1 was changed by another program since the tool read it. "
                                "Replace it with the %2 shown here?";
        const QString tooLarge = "Server config Error: %1/%2 could not be written: File too large";
        const QStringList refused{"Server config Error: %1/motd.txt could not be read: it is a FIFO, not a regular file\r\n"
                                  "The message of the day starts empty.",
                                  "Server config Error: The message of the day could not be saved to %1/motd.txt:\r\n"
                                  "the tool could not read it (it is a FIFO, not a regular file), so it does not replace it"
                                  "\r\n\r\nYour text is still in the editor."};
        const Files fifo{{"motd.txt", "<fifo>"}};
        struct Row { QString window; Files planted; QString chosen, changed; bool replace; qint64 limit; QStringList texts; };
        const Row rows[] = { // planted before the start; chosen in the open-file dialog (empty: a server is there); changed after the read
            {"wizard", {{"builds", "<folder>"}}, "builds", "", false, 0, {notCopied.arg("%1", "builds") + "%1/builds is a folder, not a program"}},
            {"wizard", {}, "gone", "", false, 0, {notCopied.arg("%1", "gone") + qt_error_string(ENOENT)}},
            {"wizard", {{"KVXServer.exe", "<folder>"}}, "", "", false, 0,
             {"Server Config Info: The server %1/KVXServer.exe could not be started: it is a folder, not a program"}},
            {"wizard", {}, "", "kvxserver.conf", false, 0, {changed.arg("kvxserver.conf", "settings")}},
            {"wizard", {}, "", "kvxserver.conf", true, 0, {changed.arg("kvxserver.conf", "settings")}},
            {"classic", {}, "", "motd.txt", false, 0, {changed.arg("motd.txt", "text")}},
            {"editor", {}, "", "motd.txt", false, 0, {changed.arg("motd.txt", "text")}},
            {"editor", fifo, "", "", false, 0, refused},
            {"editor", fifo, "", "motd.txt", false, 0, refused},
            {"wizard", {}, "", "", false, 4096, {tooLarge.arg("%1", "kvxserver.conf")}},
            {"classic", {}, "", "", false, 4096, {tooLarge.arg("%1", "kvxserver.conf")}},
            {"classic", {}, "", "", false, 12000, {tooLarge.arg("%1", "motd.txt")}},
            {"editor", {}, "", "", false, 4096,
             {"Server config Error: The message of the day could not be saved to %1/motd.txt:\r\nFile too large\r\n\r\nYour text is still in the editor."}},
            {"wizard", {{"server-build", "#!/bin/sh\n" + QByteArray(20000, '#')}}, "server-build", "", false, 16384,
             {notCopied.arg("%1", "server-build") + "File too large"}}};
        for (Row row : rows) {
            ToolRun tool;
            Files files{{"kvxserver.conf", toolWritten}, {"motd.txt", "Hello\r\n"}};
            files.insert(row.planted);
            bool planted = true;
            for (auto [name, bytes] : files.asKeyValueRange())
                planted = plant(tool.folder, name, bytes) && planted;
            if (!planted || (row.limit && !limitFileSize(0)))
                continue; // FIFOs and file-size limits are POSIX's
            if (row.planted.isEmpty() && row.chosen.isEmpty())
                tool.folder.writeStandInServer();
            tool.dialogs.queueFileName(tool.folder.path(row.chosen));
            tool.dialogs.queueAnswer(row.replace);
            tool.start();
            tool.goToPage(7);
            QWidget *shown = row.window == "classic" ? static_cast<QWidget *>(tool.classic()) : tool.wizard;
            if (row.window == "editor") {
                tool.click({"cmdchangemotd"});
                shown = tool.lifetime->motdEditor();
            }
            if (shown != tool.wizard) // past every limit, within the 16 KiB a file buffers until its flush
                ToolRun::get<QPlainTextEdit>(shown, row.window == "editor" ? "txtmotd" : "Text8")->setPlainText(QString(14000, u'm'));
            if (!row.changed.isEmpty()) {
                QFile::remove(tool.folder.path(row.changed));
                tool.folder.write(row.changed, "changed by hand\r\n");
            }
            Files before = entries(tool.folder.path());
            limitFileSize(row.limit, true); // a write past the limit fails, and the window tells it
            ToolRun::click(shown, {row.window == "classic" ? "Command2" : row.window == "editor" ? "Command1" : "cmdnext"});
            limitFileSize(0, true);
            for (QString &text : row.texts)
                text = QString::fromLocal8Bit(placed(text.toLocal8Bit(), tool.folder.path()));
            QCOMPARE(tool.dialogs.texts(), row.texts);
            QCOMPARE(tool.dialogs.messages.first().icon == OperatorMessage::Icon::Question, !row.changed.isEmpty() && row.planted.isEmpty());
            QCOMPARE(tool.dialogs.fileRequests.size(), row.chosen.isEmpty() ? 0 : 1);
            if (row.replace) {
                QCOMPARE(tool.folder.read(row.changed), toolWritten);
                QTRY_VERIFY(tool.folder.exists("server-started"));
                continue;
            }
            if (row.window == "classic" && row.limit > 4096) // kvxserver.conf was saved before motd.txt failed
                before.insert("kvxserver.conf", classicFromWizard);
            QCOMPARE(entries(tool.folder.path()), before); // no copy, whole or partial, and no server started
            QVERIFY(shown->isVisible() && (row.window != "wizard" || tool.page() == 7));
        }
    }
};

QTEST_MAIN(TestSharedFolder)
#include "test_shared_folder.moc"
