#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using Edit = std::function<void(QStringList &)>;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray crLf(const QStringList &lines)
{
    return lines.join(QLatin1String("\r\n")).toLatin1() + "\r\n";
}

} // namespace

class ConfigFileTest : public QObject
{
    Q_OBJECT

private slots:
    void linesEndAtEveryKindOfBreak_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF, blank lines kept") << QByteArray("\r\na\r\n\r\n") << QStringList{"", "a", ""};
        QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("lone CR") << QByteArray("ASE 1\rASE 0") << QStringList{"ASE 1", "ASE 0"};
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        // The file is read in 64 KiB pieces; this CR ends the first, its LF starts the second.
        QTest::newRow("CR LF across two pieces") << QByteArray(65535, 'x') + "\r\nASE 1\r\n"
                                                 << QStringList{QString(65535, 'x'), "ASE 1"};
    }

    void linesEndAtEveryKindOfBreak()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        write(dir.filePath("kvxserver.conf"), bytes);
        const Result<TextLines> read = loadconfig(dir.filePath("kvxserver.conf"));
        QVERIFY(read);
        QCOMPARE(read->lines, lines);
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
        QTemporaryDir dir;
        const QString path = dir.filePath("kvxserver.conf");
        write(path, bytes);
        const Result<TextLines> read = loadconfig(path);
        QVERIFY(read);
        QCOMPARE(read->lines.size(), 3);
        QCOMPARE(read->lines.at(0).at(0x80 - 2), QChar(0x20ac)); // the euro sign; CR and LF are not in the line
        write(path, QByteArray(20000, 'x'));
        QVERIFY(saveconfig(path, ConfigDocument(read->lines)).ok());
        QCOMPARE(contents(path), bytes);
    }

    // A save that cannot be made leaves the old file byte for byte and says why.
    void refusedLinesKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("badLine");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("error");
        const QString lacks = "kvxserver.conf was not saved: the setting %1 holds the character %2, which the "
                              "Windows-1252 code page of the file cannot hold.";
        QTest::newRow("outside the code page") << "ServerName \"ab\u4e2d\"" << 5 << lacks.arg("ServerName", "\"\u4e2d\" (U+4E2D)");
        QTest::newRow("emoji") << "AdminPassword \"x\U0001F600\"" << 176 << lacks.arg("AdminPassword", "\"\U0001F600\" (U+1F600)");
        QTest::newRow("emoji at the end of its line") << "ServerPort 20\U0001F600" << 26 << lacks.arg("ServerPort", "\"\U0001F600\" (U+1F600)");
        QTest::newRow("invisible line separator") << "MOTDURL \"a\u2028\"" << 83 << lacks.arg("MOTDURL", "\"\u2028\" (U+2028)");
        QTest::newRow("lone surrogate") << QString("ServerPassword \"") + QChar(0xd83d) + "x\"" << 145
                                        << lacks.arg("ServerPassword", QString("\"") + QChar(0xd83d) + "\" (U+D83D)");
        QTest::newRow("line feed in a value") << "ServerName \"a\nASE 0\"" << 5
                                              << "kvxserver.conf was not saved: the setting ServerName holds a line break, "
                                                 "which would split its line in two.";
        QTest::newRow("a line outside every setting") << "\r" << 216
                                                      << "kvxserver.conf was not saved: line 217 holds a line break, which "
                                                         "would split its line in two.";
    }

    void refusedLinesKeepTheOldFile()
    {
        QFETCH(QString, badLine);
        QFETCH(int, index);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath("kvxserver.conf");
        write(path, "old contents\r\n");
        ConfigDocument document = buildwizard(wizardDefaults());
        document.setLine(index, badLine);
        const Result<void> result = saveconfig(path, document);
        QCOMPARE(result.error(), error);
        QCOMPARE(contents(path), QByteArray("old contents\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"kvxserver.conf"}); // no temporary left
    }

    void platformFailuresReportTheirReason()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("kvxserver.conf/inside")); // a folder where the file should be
        const QString path = dir.filePath("kvxserver.conf");
        const Result<TextLines> read = loadconfig(path);
        QCOMPARE(read.error(), QDir::toNativeSeparators(path) + " could not be read: it is a folder, not a regular file");

        Result<void> result = saveconfig(path, buildwizard(wizardDefaults()));
        QCOMPARE(result.error(), QDir::toNativeSeparators(path) + " could not be written: it is a folder, not a regular file");
        QVERIFY(QFileInfo(dir.filePath("kvxserver.conf/inside")).isDir());

        const QString missing = dir.filePath("missing/kvxserver.conf");
        result = saveconfig(missing, buildwizard(wizardDefaults()));
        #ifdef Q_OS_WIN
        QVERIFY2(result.error().startsWith(QDir::toNativeSeparators(missing) + " could not be written: "), qPrintable(result.error()));
#else
        QCOMPARE(result.error(), QDir::toNativeSeparators(missing) + " could not be written: No such file or directory");
#endif
        QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
    }

    // A save over a file with hand edits keeps the old file as a backup; a
    // file the tool wrote itself makes none.
    void handEditsAreBackedUp_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<bool>("backup");
        // Every setting line holding another value, in the form the tool writes.
        QTest::newRow("other values") << Edit([](QStringList &l) {
            for (int i : {72, 77, 93, 129, 138, 153, 162, 191}) // the switches, turned over
                l[i].back() = l[i].back() == u'1' ? u'0' : u'1';
            const QMap<int, QString> values{{5, "ServerName \"O\""}, {26, "ServerPort 2010"}, {41, "MaxPlayers 9"},
                                            {50, "GameMap 5"}, {57, "GameHour 7"}, {64, "GameMins 05"},
                                            {83, "MOTDURL \"\""}, {145, "ServerPassword \"p\""}, {169, "AdminPort 1"},
                                            {176, "AdminPassword \"a b\""}, {183, "AdminPlusPassword \"c\""},
                                            {253, "#mode: classic"}, {254, "#show page 1: 0"}};
            for (auto value = values.cbegin(); value != values.cend(); ++value)
                l[value.key()] = value.value();
        }) << false;
        QTest::newRow("a setting line in another form") << Edit([](QStringList &l) { l[72] = "RandomWeather  0"; }) << true;
        QTest::newRow("written by the classic editor") << Edit([](QStringList &l) {
            const QStringList classic = buildclassic(classicDefaults()).lines();
            for (int i : {2, 47, 48, 50})
                l[i] = classic[i];
        }) << false;
        QTest::newRow("statistics on, by the classic editor") << Edit([](QStringList &l) { l[129] = "StatLogging 1"; }) << false;
        QTest::newRow("chat flood count") << Edit([](QStringList &l) { l[200] = "ChatFloodMaxCount 5"; }) << true;
        QTest::newRow("send limit enabled") << Edit([](QStringList &l) { l[228] = "ServerSendLimitEnabled 1"; }) << true;
        QTest::newRow("comment of their own") << Edit([](QStringList &l) { l.insert(10, "# my note"); }) << true;
        QTest::newRow("last line missing") << Edit([](QStringList &l) { l.removeLast(); }) << true;
    }

    void handEditsAreBackedUp()
    {
        QFETCH(Edit, edit);
        QFETCH(bool, backup);
        QTemporaryDir dir;
        const QString path = configFilePath(dir.path());
        ConfigDocument written = buildwizard(wizardDefaults());
        commitwizard(written, wizardDefaults(), {});
        QStringList lines = written.lines();
        edit(lines);
        write(path, crLf(lines));
        QVERIFY(saveconfig(path, written).ok());
        QCOMPARE(QFileInfo::exists(backupFilePath(path)), backup);
        if (backup)
            QCOMPARE(contents(backupFilePath(path)), crLf(lines));
        QCOMPARE(contents(path), crLf(written.lines()));
    }
};

QTEST_GUILESS_MAIN(ConfigFileTest)
#include "test_config_file.moc"
