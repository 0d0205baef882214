#include "config/ConfigBuilder.h"
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
        QTest::newRow("character outside the code page") << QStringLiteral("ServerName \"\u4e2d\"") << 5 << "ServerName";
        QTest::newRow("emoji") << QStringLiteral("AdminPassword \"\U0001F600\"") << 176 << "AdminPassword";
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
};

QTEST_GUILESS_MAIN(ConfigFileTest)
#include "test_config_file.moc"
