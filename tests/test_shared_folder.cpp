// The server folder as others share it: other runs of the tool, editors that
// take no lock, accounts that plant links, FIFOs and devices at the files'
// paths, a file-size limit. Most cases run the real executable; the windows'
// saves are driven where they differ. Owners and links need root (CI is root).

#include "config/ConfigBuilder.h"
#include "config/ConfigFile.h"
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
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString executable = QStringLiteral(KVX_EXECUTABLE);
constexpr uint nobody = 65534;

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
    arguments.insert(1, "--folder");
    arguments.insert(2, folder.path());
    return runProgram(executable, arguments, input, {}, inChild);
}

QByteArray placed(QByteArray text, const ToolFolder &folder)
{
    return text.replace("%1/", QDir::toNativeSeparators(folder.path() + '/').toLocal8Bit())
        .replace("%1", QDir::toNativeSeparators(folder.path()).toLocal8Bit());
}

// Entries of a folder: a name with its bytes, "<link to T>", "<fifo>", "<folder>".
QMap<QString, QByteArray> entries(const QString &folder)
{
    QMap<QString, QByteArray> found;
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
struct Attributes {
    uint owner, group, mode;
    bool operator==(const Attributes &) const = default;
};

Attributes attributesOf(const QString &path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return {0, 0, 0};
    return {status.st_uid, status.st_gid, status.st_mode & 07777};
}

void give(const QString &path, uint owner, uint mode)
{
    const QByteArray name = QFile::encodeName(path);
    if (::lchown(name.constData(), owner, owner) != 0 || (mode && ::chmod(name.constData(), mode) != 0))
        qFatal("cannot give %s away", name.constData());
}

void link(const QString &target, const QString &at, uint owner)
{
    if (!QFile::link(target, at))
        qFatal("cannot link %s", qPrintable(at));
    give(at, owner, 0);
}

bool root()
{
    return ::geteuid() == 0;
}
#endif

// A second process holding the folder's lock until it is killed.
class LockHolder final
{
public:
    explicit LockHolder(const QString &folder)
    {
        m_process.setProgram(QCoreApplication::applicationFilePath());
        m_process.setArguments({"--hold-lock", folder});
        m_process.start();
        if (!m_process.waitForReadyRead(10000))
            qFatal("the lock holder did not start");
    }
    ~LockHolder()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
};

} // namespace

class TestSharedFolder : public QObject
{
    Q_OBJECT

private slots:
    // Three runs at once, each changing another key, twenty times over:
    // every run succeeds and no change is lost.
    void concurrentSetsLoseNothing()
    {
        ToolFolder folder;
        for (int round = 0; round < 20; ++round) {
            const QString name = QStringLiteral("Round %1").arg(round);
            const QStringList values{"ServerName=" + name, QStringLiteral("GameHour=%1").arg(round),
                                     QStringLiteral("ServerPort=%1").arg(5000 + round)};
            QList<QProcess *> runs;
            for (const QString &value : values) {
                auto *run = new QProcess(this);
                run->start(executable, {"set", "--folder", folder.path(), value});
                runs << run;
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

    // While another process holds the lock, a writer waits 10 seconds, then
    // names it and writes nothing: the command line's two writers and a
    // window's save.
    void heldLockKeepsWritersOut()
    {
        ToolFolder folder;
        folder.write("kvxserver.conf", handEdited);
        folder.write("motd.txt", "old\r\n");
        LockHolder holder(folder.path());
#ifdef Q_OS_LINUX
        const QByteArray holderName = "test_shared_fol"; // as the system keeps it, 15 characters
#else
        const QByteArray holderName = "test_shared_folder";
#endif
        const auto before = entries(folder.path());
        const QByteArray held = "the files in " + QDir::toNativeSeparators(folder.path()).toLocal8Bit()
                              + " are being changed by another program (process " + QByteArray::number(holder.pid())
                              + ", " + holderName + "), which still held the lock after 10 seconds; nothing was written. "
                                "Try again when it has finished.";
        QProcess motd;
        motd.start(executable, {"motd", "--set", "-", "--folder", folder.path()});
        motd.write("new\n");
        motd.closeWriteChannel();
        const ProgramRun set = kvx(folder, {"set", "ServerName=x"});
        QVERIFY(motd.waitForFinished(60000));
        QCOMPARE(set.err, "kvxconfig: " + held + '\n');
        QCOMPARE(set.status, 1);
        QCOMPARE(motd.readAllStandardError().replace("\r\n", "\n"), "kvxconfig: " + held + '\n');
        QCOMPARE(motd.exitCode(), 1);

        ToolRun tool;
        tool.folder.write("kvxserver.conf", handEdited);
        tool.folder.writeStandInServer();
        LockHolder windowHolder(tool.folder.path());
        tool.start();
        tool.goToPage(7);
        tool.click({"cmdnext"});
        QCOMPARE(tool.dialogs.texts().value(0).section(" (process", 0, 0),
                 "Server config Error: The files in " + QDir::toNativeSeparators(tool.folder.path())
                     + " are being changed by another program");
        QVERIFY(!tool.folder.exists("server-started"));
        QCOMPARE(tool.folder.read("kvxserver.conf"), handEdited);
        QCOMPARE(entries(folder.path()), before);
    }

    // The lock file is the tool's own: a link or a FIFO there is refused at once.
    void lockFileIsNeverFollowed_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("a link") << "link" << QByteArray("the lock file %1/kvxconfig.lock is a link, which the tool does not follow; nothing was written.");
        QTest::newRow("a FIFO") << "fifo" << QByteArray("the lock file %1/kvxconfig.lock could not be used: it is a FIFO, not a regular file; nothing was written.");
    }

    void lockFileIsNeverFollowed()
    {
#ifndef Q_OS_UNIX
        QSKIP("links and FIFOs are POSIX's");
#else
        QFETCH(QString, planted);
        QFETCH(QByteArray, reason);
        ToolFolder folder, elsewhere;
        folder.write("kvxserver.conf", handEdited);
        if (planted == "link")
            QVERIFY(QFile::link(elsewhere.path("target"), folder.path("kvxconfig.lock")));
        else
            QCOMPARE(::mkfifo(QFile::encodeName(folder.path("kvxconfig.lock")).constData(), 0644), 0);
        const ProgramRun set = kvx(folder, {"set", "ServerName=x"});
        QCOMPARE(set.err, "kvxconfig: " + placed(reason, folder) + '\n');
        QCOMPARE(set.status, 1);
        QCOMPARE(folder.read("kvxserver.conf"), handEdited);
        QVERIFY(!elsewhere.exists("target"));
#endif
    }

    // The file a save replaces is the one it judged: the backup holds the
    // bytes read, even when the file changed after, and a file that another
    // program changed under the lock is not replaced.
    void backupComesFromTheBytesJudged()
    {
        ToolFolder folder;
        folder.write("kvxserver.conf", handEdited);
        const Result<FileSnapshot> judged = readRegularFile(folder.path("kvxserver.conf"));
        QVERIFY(judged);
        folder.write("kvxserver.conf", ""); // an editor halfway through its write
        QVERIFY(saveconfig(folder.path("kvxserver.conf"), buildwizard(wizardDefaults()), judged.value()).ok());
        QCOMPARE(folder.read("kvxserver.conf.bak"), handEdited);

        // A save that judged one text does not replace another.
        folder.write("kvxserver.conf", "an editor's\r\n");
        bool changed = false;
        QCOMPARE(saveconfigIfUnchanged(folder.path("kvxserver.conf"), buildwizard(wizardDefaults()), judged.value(), &changed).ok(), false);
        QVERIFY(changed);
        QCOMPARE(entries(folder.path()), (QMap<QString, QByteArray>{{"kvxserver.conf", "an editor's\r\n"}, {"kvxserver.conf.bak", handEdited}}));
        QVERIFY(saveconfigIfUnchanged(folder.path("kvxserver.conf"), buildwizard(wizardDefaults()), readRegularFile(folder.path("kvxserver.conf")).value(), &changed).ok());
        QVERIFY(!changed);
    }

    // Owner, group and mode of the backup are the file's: a password in it
    // stays as private as it was. Through the command line and a window.
    void backupIsAsPrivateAsTheFile_data()
    {
        QTest::addColumn<QString>("front");
        QTest::addColumn<uint>("owner");
        QTest::addColumn<uint>("mode");
        QTest::newRow("set, another user's private file") << "set" << nobody << 0600u;
        QTest::newRow("set, root's file for a group") << "set" << 0u << 0640u;
        QTest::newRow("wizard, another user's private file") << "wizard" << nobody << 0600u;
    }

    void backupIsAsPrivateAsTheFile()
    {
#ifndef Q_OS_UNIX
        QSKIP("owners and modes are POSIX's");
#else
        QFETCH(QString, front);
        QFETCH(uint, owner);
        QFETCH(uint, mode);
        if (!root())
            QSKIP("giving a file to another user needs root");
        ToolRun tool;
        tool.folder.write("kvxserver.conf", handEdited);
        give(tool.folder.path("kvxserver.conf"), owner, mode);
        ::umask(022);
        if (front == "set") {
            QCOMPARE(kvx(tool.folder, {"set"}).status, 0);
        } else {
            tool.start();
            tool.goToPage(7);
            tool.click({"cmdnext"});
        }
        QCOMPARE(tool.folder.read("kvxserver.conf.bak"), handEdited);
        QCOMPARE(attributesOf(tool.folder.path("kvxserver.conf.bak")), (Attributes{owner, owner, mode}));
        QCOMPARE(attributesOf(tool.folder.path("kvxserver.conf")), (Attributes{owner, owner, mode}));
#endif
    }

    // Links another account planted: followed only when the account owns the
    // file they lead to too; the backup's and the copy's paths are replaced.
    void plantedLinks_data()
    {
        QTest::addColumn<QString>("name");   // the link in the server folder
        // In another folder: "secret" (root's private text), "mine" and "own" (a file
        // the tool wrote, root's and nobody's), or "conf" (kvxserver.conf), "none".
        QTest::addColumn<QString>("target");
        QTest::addColumn<uint>("linkOwner");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<bool>("followed"); // the target holds the saved file
        const QByteArray notFollowed = "kvxconfig: %1/%2 could not be read: the link %1/%2 belongs to nobody "
                                       "(uid 65534), neither the user running the tool nor the owner of the file it "
                                       "leads to, so the tool does not follow it\n";
        QTest::newRow("kvxserver.conf to root's file") << "kvxserver.conf" << "secret" << nobody << QStringList{"set"} << 1
                                                       << notFollowed << false;
        QTest::newRow("kvxserver.conf to nothing") << "kvxserver.conf" << "none" << nobody << QStringList{"set"} << 1
                                                   << notFollowed << false;
        QTest::newRow("kvxserver.conf to its owner's file") << "kvxserver.conf" << "own" << nobody << QStringList{"set"}
                                                            << 0 << QByteArray() << true;
        QTest::newRow("root's own link to root's file") << "kvxserver.conf" << "mine" << 0u << QStringList{"set"} << 0
                                                        << QByteArray() << true;
        QTest::newRow("motd.txt, printed") << "motd.txt" << "secret" << nobody << QStringList{"motd"} << 1
                                           << notFollowed << false;
        QTest::newRow("motd.txt, replaced") << "motd.txt" << "secret" << nobody << QStringList{"motd", "--set", "-"} << 1
                                            << QByteArray("kvxconfig: %1/motd.txt could not be written: the link %1/motd.txt "
                                                          "belongs to nobody (uid 65534), neither the user running the tool "
                                                          "nor the owner of the file it leads to, so the tool does not follow it\n")
                                            << false;
        QTest::newRow("the backup's path") << "kvxserver.conf.bak" << "secret" << nobody << QStringList{"set"} << 0
                                           << backupNotice << false;
        QTest::newRow("the backup's path to the file itself") << "kvxserver.conf.bak" << "conf" << nobody
                                                              << QStringList{"set"} << 0 << backupNotice << false;
    }

    void plantedLinks()
    {
#ifndef Q_OS_UNIX
        QSKIP("links and owners are POSIX's");
#else
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(uint, linkOwner);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, err);
        QFETCH(bool, followed);
        if (!root())
            QSKIP("links of another user need root");
        ToolFolder folder, elsewhere;
        const QByteArray secret = "root's own\n";
        elsewhere.write("secret", secret);
        give(elsewhere.path("secret"), 0, 0600);
        const QByteArray toolWritten = fixture("default-wizard.conf", committedWizard());
        for (const char *name : {"mine", "own"}) {
            elsewhere.write(name, toolWritten);
            give(elsewhere.path(name), qstrcmp(name, "own") == 0 ? nobody : 0, 0600);
        }
        const bool backup = name.endsWith(".bak");
        if (backup)
            folder.write("kvxserver.conf", handEdited);
        const QString targetPath = target == "conf" ? folder.path("kvxserver.conf") : elsewhere.path(target);
        link(targetPath, folder.path(name), linkOwner);
        const QByteArray before = target == "secret" ? secret : target == "none" ? QByteArray() : toolWritten;

        const ProgramRun run = kvx(folder, arguments, "new\n");
        QCOMPARE(run.err, placed(err, folder).replace("%2", name.toLocal8Bit()));
        QCOMPARE(run.status, status);
        if (followed) {
            QCOMPARE(QFileInfo(folder.path(name)).symLinkTarget(), targetPath);
            QCOMPARE(elsewhere.read(target), classicFromWizard);
            QCOMPARE(attributesOf(targetPath), (Attributes{target == "own" ? nobody : 0u, target == "own" ? nobody : 0u, 0600}));
        } else if (target != "conf") {
            QCOMPARE(elsewhere.read(target), before);
            QCOMPARE(QFileInfo::exists(targetPath), target != "none");
        }
        if (backup) { // replaced by a regular file holding what the save replaced
            QVERIFY(!QFileInfo(folder.path(name)).isSymLink());
            QCOMPARE(folder.read(name), handEdited);
            QCOMPARE(folder.read("kvxserver.conf"), classicFromWizard);
        } else if (!followed) {
            QVERIFY(!folder.exists("kvxserver.conf.bak"));
        }
#endif
    }

    // A link at the copy's path is replaced by the copy, whatever it leads to.
    void copyReplacesALink()
    {
#ifndef Q_OS_UNIX
        QSKIP("links are POSIX's here");
#else
        ToolFolder folder, elsewhere;
        folder.writeStandInServer("server-build");
        elsewhere.write("other", "someone's file\n");
        QVERIFY(QFile::link(elsewhere.path("other"), folder.path("KVXServer.exe")));
        QVERIFY(copyServer(folder.path("server-build"), folder.path()).ok());
        QVERIFY(!QFileInfo(folder.path("KVXServer.exe")).isSymLink());
        QCOMPARE(folder.read("KVXServer.exe"), folder.read("server-build"));
        QCOMPARE(elsewhere.read("other"), "someone's file\n");
#endif
    }

    // A FIFO, a device or a file far too large at a file's path is refused
    // at once, when reading and when saving, and nothing is replaced.
    void onlyRegularFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind"); // "fifo", "zero" (a link to /dev/zero), "large"
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
    }

    void onlyRegularFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, err);
        ToolFolder folder;
        const QString path = folder.path(name);
        if (name.endsWith(".bak"))
            folder.write("kvxserver.conf", handEdited);
        if (kind == "large") {
            folder.write(name, QByteArray(16 * 1024 * 1024 + 1, '#'));
        } else {
#ifdef Q_OS_UNIX
            if (kind == "fifo")
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
            else
                QVERIFY(QFile::link("/dev/zero", path));
#else
            QSKIP("FIFOs and devices are POSIX's");
#endif
        }
        const auto before = entries(folder.path());
        const ProgramRun run = kvx(folder, arguments, "new\n");
        QCOMPARE(run.err, placed(err, folder));
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, "");
        QCOMPARE(entries(folder.path()), before);
    }

    // A file the windows could not read is never replaced in that run, even
    // when a regular file took its place since.
    void windowsNeverReplaceARefusedFile_data()
    {
        QTest::addColumn<bool>("replacedSince");
        QTest::newRow("still a FIFO") << false;
        QTest::newRow("a regular file since") << true;
    }

    void windowsNeverReplaceARefusedFile()
    {
#ifndef Q_OS_UNIX
        QSKIP("FIFOs are POSIX's");
#else
        QFETCH(bool, replacedSince);
        ToolRun tool;
        const QString motd = tool.folder.path("motd.txt");
        QCOMPARE(::mkfifo(QFile::encodeName(motd).constData(), 0644), 0);
        tool.start();
        tool.goToPage(7);
        tool.click({"cmdchangemotd"});
        MotdWindow *editor = tool.lifetime->motdEditor();
        if (replacedSince) {
            QVERIFY(QFile::remove(motd));
            tool.folder.write("motd.txt", "an editor's\r\n");
        }
        ToolRun::get<QPlainTextEdit>(editor, "txtmotd")->setPlainText("mine");
        ToolRun::click(editor, {"Command1"});
        const QString shown = QDir::toNativeSeparators(motd);
        QCOMPARE(tool.dialogs.texts(),
                 (QStringList{"Server config Error: " + shown + " could not be read: it is a FIFO, not a regular file\r\n"
                              "The message of the day starts empty.",
                              "Server config Error: The message of the day could not be saved to " + shown + ":\r\n"
                              "the tool could not read it (it is a FIFO, not a regular file), so it does not replace it"
                              "\r\n\r\nYour text is still in the editor."}));
        QVERIFY(editor->isVisible());
        QCOMPARE(QFileInfo(motd).isFile(), replacedSince);
#endif
    }

    // A file-size limit makes a write fail with the platform's reason.
    void fileSizeLimitIsAWriteError()
    {
#ifndef Q_OS_UNIX
        QSKIP("file-size limits are POSIX's");
#else
        ToolFolder folder;
        const ProgramRun run = kvx(folder, {"set"}, {}, [] {
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        QCOMPARE(run.err, placed("kvxconfig: %1/kvxserver.conf could not be written: File too large\n", folder));
        QCOMPARE(run.status, 1);
        QCOMPARE(entries(folder.path()), (QMap<QString, QByteArray>{}));
#endif
    }

    // A managed line in a form the tool does not write is read as ever, but
    // counts as a hand edit: check names it, and set keeps the old file.
    void handWrittenValuesAreKept_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("shown"); // what show prints for its key
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("a name without quotes") << 5 << QByteArray("ServerName My Server") << QByteArray("ServerName=y Serve")
                                               << QByteArray("ServerName \"y Serve\"");
        QTest::newRow("a password without quotes") << 176 << QByteArray("AdminPassword hunter2")
                                                    << QByteArray("AdminPassword=unter") << QByteArray("AdminPassword \"unter\"");
        QTest::newRow("minutes after two spaces") << 64 << QByteArray("GameMins  45") << QByteArray("GameMins=30")
                                                  << QByteArray("GameMins 30");
        QTest::newRow("an hour without its space") << 57 << QByteArray("GameHour12") << QByteArray("GameHour=2")
                                                   << QByteArray("GameHour 2");
        QTest::newRow("a switch after two spaces") << 93 << QByteArray("ASE  0") << QByteArray("ASE=0") << QByteArray("ASE 0");
        QTest::newRow("a mode with a space too many") << 253 << QByteArray("#mode:  classic") << QByteArray()
                                                      << QByteArray("#mode: wizard");
    }

    void handWrittenValuesAreKept()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, shown);
        QFETCH(QByteArray, written);
        ToolFolder folder;
        const QByteArray old = fixture("default-wizard.conf", committedWizard({{index, line}}));
        folder.write("kvxserver.conf", old);
        if (!shown.isEmpty())
            QVERIFY2(('\n' + kvx(folder, {"show"}).out).contains('\n' + shown + '\n'), shown);
        const ProgramRun check = kvx(folder, {"check"});
        QCOMPARE(check.out.split('\n').first(), QByteArray("line %1: a save would replace \"%2\" with \"%3\"")
                                                    .replace("%1", QByteArray::number(index + 1))
                                                    .replace("%2", line)
                                                    .replace("%3", written));
        const ProgramRun set = kvx(folder, {"set"});
        QCOMPARE(set.status, 0);
        QCOMPARE(set.err, placed(backupNotice, folder));
        QCOMPARE(folder.read("kvxserver.conf.bak"), old);
    }

    // The tool's own files hold no hand edits, whatever values they hold.
    void toolWrittenFilesMakeNoBackup_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("wizard's defaults") << fixture("default-wizard.conf", committedWizard());
        QTest::newRow("classic defaults") << fixture("default-classic.conf", committedClassic());
        QTest::newRow("every value of its kind")
            << fixture("default-classic.conf",
                       committedClassic({{5, "ServerName \"\""}, {26, "ServerPort 0"}, {41, "MaxPlayers 9"}, {50, "Game 1"},
                                         {57, "GameHour 7"}, {64, "GameMins 05"}, {129, "StatLogging 1"},
                                         {145, "ServerPassword \"a \"b\"\""}, {169, "AdminPort "},
                                         {253, "#mode: classic"}, {254, "#show page 1: 0"}}));
    }

    void toolWrittenFilesMakeNoBackup()
    {
        QFETCH(QByteArray, file);
        ToolFolder folder;
        folder.write("kvxserver.conf", file);
        const ProgramRun check = kvx(folder, {"check"});
        QVERIFY2(!check.out.contains("line "), check.out);
        QVERIFY(!kvx(folder, {"set"}).err.contains(".bak"));
        QVERIFY(!folder.exists("kvxserver.conf.bak"));
    }
};

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--hold-lock") == 0) {
        QCoreApplication app(argc, argv);
        FolderLock lock(QString::fromLocal8Bit(argv[2]));
        if (!lock.acquire())
            return 1;
        std::fputs("held\n", stdout);
        std::fflush(stdout);
        for (;;)
            QThread::sleep(60);
    }
    QApplication app(argc, argv);
    TestSharedFolder test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_shared_folder.moc"
