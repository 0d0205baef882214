#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "config/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
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
        QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{""};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("lone CR") << QByteArray("ASE 1\rASE 0") << QStringList{"ASE 1", "ASE 0"};
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("blank lines kept") << QByteArray("\r\n\r\nx\r\n\r\n") << QStringList{"", "", "x", ""};
    }

    void linesEndAtEveryKindOfBreak()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        const QString path = dir.filePath("kvxserver.conf");
        write(path, bytes);
        const TextReadResult read = loadconfig(path);
        QVERIFY(read.ok);
        QCOMPARE(read.lines, lines);
    }

    // Every byte but the line breaks reads to a character and writes back as
    // the same byte, the five that Windows-1252 leaves undefined included.
    void everyByteRoundTrips()
    {
        QByteArray line;
        for (int b = 0; b < 256; ++b) {
            if (b != '\r' && b != '\n')
                line.append(char(b));
        }
        const QByteArray bytes = line + "\r\n" + line + "\r\n";
        QTemporaryDir dir;
        const QString path = dir.filePath("kvxserver.conf");
        write(path, bytes);
        const TextReadResult read = loadconfig(path);
        QVERIFY(read.ok);
        QCOMPARE(read.lines.size(), 2);
        QCOMPARE(read.lines.at(0).at(0x80 - 2), QChar(0x20ac)); // the euro sign (CR and LF are not in the line)
        QVERIFY(saveconfig(path, ConfigDocument(read.lines)).ok);
        QCOMPARE(contents(path), bytes);
    }

    void savedFileIsTheDocumentWithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("kvxserver.conf");
        write(path, QByteArray(20000, 'x')); // a longer old file is replaced whole
        const ConfigDocument document({"first", "", "caf\u00e9"});
        QVERIFY(saveconfig(path, document).ok);
        QCOMPARE(contents(path), QByteArray("first\r\n\r\ncaf\xe9\r\n"));
    }

    void unreadableFileReportsTheReason()
    {
        QTemporaryDir dir;
        const TextReadResult missing = loadconfig(dir.filePath("absent.conf"));
        QVERIFY(!missing.ok);
        QVERIFY(!missing.error.isEmpty());

        QVERIFY(QDir(dir.path()).mkdir("kvxserver.conf"));
        const TextReadResult folder = loadconfig(dir.filePath("kvxserver.conf"));
        QVERIFY(!folder.ok);
        QVERIFY(folder.lines.isEmpty());
        QVERIFY(!folder.error.isEmpty());
    }

    // A save that cannot be made leaves the old file byte for byte and says why.
    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("badLine");
        QTest::addColumn<int>("badIndex");
        QTest::addColumn<QString>("errorMentions");
        QTest::newRow("character outside the code page") << QStringLiteral("ServerName \"ab\u4e2d\"") << 5
                                                         << QStringLiteral("ServerName holds the character \"\u4e2d\"");
        QTest::newRow("emoji") << QStringLiteral("AdminPassword \"x\U0001F600\"") << 176
                               << QStringLiteral("AdminPassword holds the character \"\U0001F600\"");
        QTest::newRow("line feed inside a value") << QStringLiteral("ServerName \"a\nASE 0\"") << 5 << "ServerName";
        QTest::newRow("carriage return inside a value") << QStringLiteral("MOTDURL \"x\r\"") << 83 << "MOTDURL";
    }

    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, badLine);
        QFETCH(int, badIndex);
        QFETCH(QString, errorMentions);
        QTemporaryDir dir;
        const QString path = dir.filePath("kvxserver.conf");
        const QByteArray old("old contents\r\n");
        write(path, old);
        ConfigDocument document = buildwizard(wizardDefaults());
        document.setLine(badIndex, badLine);
        const SaveResult result = saveconfig(path, document);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(errorMentions), qPrintable(result.error));
        QCOMPARE(contents(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"kvxserver.conf"}); // no temporary file left
    }

    void unwritablePlacesReportThePlatformsReason()
    {
        QTemporaryDir dir;
        const ConfigDocument document = buildwizard(wizardDefaults());

        // A folder where the file should be.
        QVERIFY(QDir(dir.path()).mkpath("kvxserver.conf/inside"));
        SaveResult result = saveconfig(dir.filePath("kvxserver.conf"), document);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains("kvxserver.conf"), qPrintable(result.error));
        QVERIFY(QFileInfo(dir.filePath("kvxserver.conf/inside")).isDir());

        // A folder that does not exist.
        result = saveconfig(dir.filePath("missing/kvxserver.conf"), document);
        QVERIFY(!result.ok);
        QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
    }

    // A save over a file with hand edits keeps the old file as a backup; a
    // file the tool wrote itself makes none.
    void handEditsAreBackedUp_data()
    {
        QTest::addColumn<std::function<void(QStringList &)>>("edit");
        QTest::addColumn<bool>("backup");
        using Edit = std::function<void(QStringList &)>;
        QTest::newRow("tool-written, other values") << Edit([](QStringList &l) {
            l[5] = "ServerName \"Other\"";
            l[253] = "#mode: classic";
            l[129] = "StatLogging 1";
        }) << false;
        QTest::newRow("written by the classic editor") << Edit([](QStringList &l) {
            const QStringList classic = buildclassic(classicDefaults()).lines();
            l[2] = classic[2];
            l[47] = classic[47];
            l[48] = classic[48];
            l[50] = "Game 1";
        }) << false;
        QTest::newRow("chat flood count changed") << Edit([](QStringList &l) { l[200] = "ChatFloodMaxCount 5"; }) << true;
        QTest::newRow("send limit enabled") << Edit([](QStringList &l) { l[228] = "ServerSendLimitEnabled 1"; }) << true;
        QTest::newRow("comment of their own") << Edit([](QStringList &l) { l.insert(10, "# my note"); }) << true;
        QTest::newRow("last line missing") << Edit([](QStringList &l) { l.removeLast(); }) << true;
    }

    void handEditsAreBackedUp()
    {
        QFETCH(std::function<void(QStringList &)>, edit);
        QFETCH(bool, backup);
        QTemporaryDir dir;
        const QString path = configFilePath(dir.path());
        ConfigDocument written = buildwizard(wizardDefaults());
        commitwizard(written, wizardDefaults(), {});
        QStringList lines = written.lines();
        edit(lines);
        const QByteArray old = lines.join("\r\n").toLatin1() + "\r\n";
        write(path, old);

        QVERIFY(saveconfig(path, written).ok);
        QCOMPARE(QFileInfo::exists(backupFilePath(path)), backup);
        if (backup)
            QCOMPARE(contents(backupFilePath(path)), old);
        QCOMPARE(loadconfig(path).lines, written.lines());
    }

    void failedBackupStopsTheSave()
    {
        QTemporaryDir dir;
        const QString path = configFilePath(dir.path());
        QStringList lines = buildwizard(wizardDefaults()).lines();
        lines[200] = "ChatFloodMaxCount 5";
        const QByteArray old = lines.join("\r\n").toLatin1() + "\r\n";
        write(path, old);
        QVERIFY(QDir(dir.path()).mkpath("kvxserver.conf.bak/inside"));

        const SaveResult result = saveconfig(path, buildwizard(wizardDefaults()));
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains("kvxserver.conf.bak"), qPrintable(result.error));
        QCOMPARE(contents(path), old);
    }
};

QTEST_GUILESS_MAIN(ConfigFileTest)
#include "test_config_file.moc"
