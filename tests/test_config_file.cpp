#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "support/ToolFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A temporary folder with a kvxserver.conf of the given bytes in it.
struct ConfFolder {
    QTemporaryDir dir;
    const QString path = dir.filePath("kvxserver.conf");
    explicit ConfFolder(const QByteArray &bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class ConfigFileTest : public QObject
{
    Q_OBJECT

private slots:
    void linesEndAtEveryKindOfBreak()
    {
        const QList<std::pair<QByteArray, QStringList>> rows = {
            {"", {}}, {"\r\na\r\n\r\n", {"", "a", ""}}, {"a\r\nb", {"a", "b"}}, {"ASE 1\rASE 0", {"ASE 1", "ASE 0"}},
            {"a\nb\n", {"a", "b"}}, {"a\n\rb", {"a", "", "b"}},
            // The file is read in 64 KiB pieces; this CR ends the first, its LF starts the second.
            {QByteArray(65535, 'x') + "\r\nASE 1\r\n", {QString(65535, 'x'), "ASE 1"}}};
        for (const auto &[bytes, lines] : rows) {
            ConfFolder folder(bytes);
            const Result<TextLines> read = loadconfig(folder.path);
            QVERIFY(read);
            QCOMPARE(read->lines, lines);
        }
    }

    // Every byte but the line breaks reads to a character and writes back as
    // the same byte, the five that Windows-1252 leaves undefined included; a
    // longer old file is replaced whole.
    void everyByteRoundTrips()
    {
        QByteArray line;
        for (int b = 0; b < 256; ++b) {
            if (b != '\r' && b != '\n')
                line.append(char(b));
        }
        const QByteArray bytes = line + "\r\n\r\n" + line + "\r\n";
        ConfFolder folder(bytes);
        const Result<TextLines> read = loadconfig(folder.path);
        QVERIFY(read);
        QCOMPARE(read->lines.size(), 3);
        QCOMPARE(read->lines.at(0).at(0x80 - 2), QChar(0x20ac)); // the euro sign; CR and LF are not in the line
        ConfFolder longer(QByteArray(20000, 'x'));
        QVERIFY(saveconfig(longer.path, ConfigDocument(read->lines)).ok());
        QCOMPARE(contents(longer.path), bytes);
    }

    // A save that cannot be made leaves the old file byte for byte, leaves no
    // temporary, and says why.
    void refusedLinesKeepTheOldFile()
    {
        const QString lacks = "kvxserver.conf was not saved: the setting %1 holds the character \"%2\" (U+%3), which the "
                              "Windows-1252 code page of the file cannot hold.";
        const QString splits = "kvxserver.conf was not saved: %1 holds a line break, which would split its line in two.";
        const QList<std::tuple<int, QString, QString>> rows = {
            {5, "ServerName \"ab\u4e2d\"", lacks.arg("ServerName", "\u4e2d", "4E2D")},
            {176, "AdminPassword \"x\U0001F600\"", lacks.arg("AdminPassword", "\U0001F600", "1F600")},
            {26, "ServerPort 20\U0001F600", lacks.arg("ServerPort", "\U0001F600", "1F600")},
            {83, "MOTDURL \"a\u2028\"", lacks.arg("MOTDURL", "\u2028", "2028")},
            {145, QString("ServerPassword \"") + QChar(0xd83d) + "x\"", lacks.arg("ServerPassword", QChar(0xd83d), "D83D")},
            {5, "ServerName \"a\nASE 0\"", splits.arg("the setting ServerName")},
            {216, "\r", splits.arg("line 217")}};
        for (const auto &[index, badLine, error] : rows) {
            ConfFolder folder("old contents\r\n");
            ConfigDocument document = buildwizard(wizardDefaults());
            document.setLine(index, badLine);
            QCOMPARE(saveconfig(folder.path, document).error(), error);
            QCOMPARE(contents(folder.path), QByteArray("old contents\r\n"));
            QCOMPARE(QDir(folder.dir.path()).entryList(QDir::Files), QStringList{"kvxserver.conf"});
        }
    }

    void platformFailuresReportTheirReason()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("kvxserver.conf/inside")); // a folder where the file should be
        const QString path = dir.filePath("kvxserver.conf"), shown = QDir::toNativeSeparators(path);
        QCOMPARE(loadconfig(path).error(), shown + " could not be read: it is a folder, not a regular file");
        QCOMPARE(saveconfig(path, buildwizard(wizardDefaults())).error(), shown + " could not be written: it is a folder, not a regular file");
        QVERIFY(QFileInfo(dir.filePath("kvxserver.conf/inside")).isDir());

        const QString missing = dir.filePath("missing/kvxserver.conf");
        const QString error = saveconfig(missing, buildwizard(wizardDefaults())).error();
#ifdef Q_OS_WIN
        QVERIFY2(error.startsWith(QDir::toNativeSeparators(missing) + " could not be written: "), qPrintable(error));
#else
        QCOMPARE(error, QDir::toNativeSeparators(missing) + " could not be written: No such file or directory");
#endif
        QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
    }

    // A save over a file with hand edits keeps the old file as a backup; a
    // file the tool wrote itself makes none.
    void handEditsAreBackedUp()
    {
        using Edit = std::function<void(QStringList &)>;
        const QList<std::tuple<Edit, bool>> rows = {
            // Every setting line holding another value, in the form the tool writes.
            {[](QStringList &l) {
                 for (int i : {72, 77, 93, 129, 138, 153, 162, 191}) // the switches, turned over
                     l[i].back() = l[i].back() == u'1' ? u'0' : u'1';
                 const QMap<int, QString> values{{5, "ServerName \"O\""}, {26, "ServerPort 2010"}, {41, "MaxPlayers 9"},
                                                 {50, "GameMap 5"}, {57, "GameHour 7"}, {64, "GameMins 05"},
                                                 {83, "MOTDURL \"\""}, {145, "ServerPassword \"p\""}, {169, "AdminPort 1"},
                                                 {176, "AdminPassword \"a b\""}, {183, "AdminPlusPassword \"c\""},
                                                 {253, "#mode: classic"}, {254, "#show page 1: 0"}};
                 for (auto value = values.cbegin(); value != values.cend(); ++value)
                     l[value.key()] = value.value();
             }, false},
            {[](QStringList &l) { l[72] = "RandomWeather  0"; }, true}, // a setting line in another form
            {[](QStringList &l) { // written by the classic editor
                 const QStringList classic = buildclassic(classicDefaults()).lines();
                 for (int i : {2, 47, 48, 50, 129})
                     l[i] = i == 129 ? "StatLogging 1" : classic[i];
             }, false},
            {[](QStringList &l) { l[200] = "ChatFloodMaxCount 5"; }, true},
            {[](QStringList &l) { l[228] = "ServerSendLimitEnabled 1"; }, true},
            {[](QStringList &l) { l.insert(10, "# my note"); }, true},
            {[](QStringList &l) { l.removeLast(); }, true}};
        for (const auto &[edit, backup] : rows) {
            ConfigDocument written = buildwizard(wizardDefaults());
            commitwizard(written, wizardDefaults(), {});
            QStringList lines = written.lines();
            edit(lines);
            ConfFolder folder(crLfBytes(lines));
            QVERIFY(saveconfig(folder.path, written).ok());
            QCOMPARE(QFileInfo::exists(backupFilePath(folder.path)), backup);
            if (backup)
                QCOMPARE(contents(backupFilePath(folder.path)), crLfBytes(lines));
            QCOMPARE(contents(folder.path), crLfBytes(written.lines()));
        }
    }
};

QTEST_GUILESS_MAIN(ConfigFileTest)
#include "test_config_file.moc"
