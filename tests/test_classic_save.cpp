// The classic editor's save button: commit, both files, then listen mode's
// return or the server's launch.

#include "test_classic_fixture.h"

#include "app/ServerLauncher.h"
#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

const QString marker = QStringLiteral("started.marker");

// A stand-in for the server: a script that leaves a marker in the tool folder.
void writeServer(const QString &path, const QString &toolFolder)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\necho started > '%1/%2'\n").arg(toolFolder, marker).toUtf8());
    file.close();
    QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
}

// The file a save writes after loading `loaded` and saving `saved`.
QByteArray expectedConfig(const ClassicFields &loaded, const ClassicFields &saved, const FirstPageChoices &firstPage)
{
    ConfigDocument document = buildclassic(loaded);
    commitclassic(document, saved, firstPage);
    return fileBytes(document);
}

const QByteArray defaultMotdBytes =
    "Welcome\r\n\r\nI have not yet edited the motd.txt file, but this is my Server!\r\n\r\nHave fun.\r\n\r\n";

} // namespace

class TestClassicSave : public QObject
{
    Q_OBJECT

private slots:
    void savesAndStartsServer();
    void missingServerCopyPicked();
    void missingServerCancelled();
    void failedWriteStopsTheAction_data();
    void failedWriteStopsTheAction();
    void listenModeSavesAndEnds();
    void adminAlertsInOrder_data();
    void adminAlertsInOrder();
    void motdBytesSurviveUnchanged();
};

void TestClassicSave::savesAndStartsServer()
{
    ClassicHarness harness;
    writeServer(harness.path(serverFileName()), harness.folder.path());
    harness.open();

    auto *server = harness.control<QLineEdit>("txtserver");
    server->selectAll();
    QTest::keyClicks(server, "My \"best\" server");
    QTest::keyClicks(harness.control<QLineEdit>("txtpwd"), "secret");
    harness.click("chkmotd");
    harness.click("Check5");
    auto *text8 = harness.control<QPlainTextEdit>("Text8");
    text8->selectAll();
    QTest::keyClicks(text8, "Line one");
    QTest::keyClick(text8, Qt::Key_Return);
    QTest::keyClicks(text8, "Line two");

    harness.click("Command2");

    ClassicFields saved = classicDefaults();
    saved.txtserver = QStringLiteral("My \"best\" server");
    saved.txtpwd = QStringLiteral("secret");
    saved.chkmotd = Qt::Checked;
    saved.Check5 = Qt::Checked;
    const QByteArray config = harness.read(configFileName());
    QCOMPARE(config.count("\r\n"), 255);
    QCOMPARE(config, expectedConfig(classicDefaults(), saved, harness.wizard->firstPageChoices()));
    QCOMPARE(harness.read(motdFileName()), QByteArray("Line one\r\nLine two\r\n"));
    QTRY_VERIFY(harness.exists(marker));
    QCOMPARE(harness.toolEnded->count(), 1);
    QCOMPARE(harness.dialogs.texts(), QStringList());
    QCOMPARE(harness.dialogs.fileRequests.size(), 0);
}

void TestClassicSave::missingServerCopyPicked()
{
    ClassicHarness harness;
    QTemporaryDir elsewhere;
    const QString copy = QDir(elsewhere.path()).filePath("server-build");
    writeServer(copy, harness.folder.path());
    harness.dialogs.queueFileName(copy);
    harness.open();

    harness.click("Command2");

    QCOMPARE(harness.dialogs.fileRequests.size(), 1);
    QCOMPARE(harness.dialogs.fileRequests.first().title, QStringLiteral("Please select a copy of KVXServer.exe"));
    QCOMPARE(harness.read(serverFileName()), harness.read(copy));
    QCOMPARE(harness.dialogs.messages,
             QList<MessageBox::Shown>({{MessageBox::Icon::Exclamation, QStringLiteral("Server Config Info"),
                                        "The server executable has been copied to "
                                            + QDir::toNativeSeparators(harness.folder.path())
                                            + QDir::separator()
                                            + "KVXServer.exe. This to be used with the stored config file and "
                                              "MOTD. We recommend updating your shortcuts if you want to keep "
                                              "using this config file."}}));
    QTRY_VERIFY(harness.exists(marker));
    QCOMPARE(harness.toolEnded->count(), 1);
}

void TestClassicSave::missingServerCancelled()
{
    ClassicHarness harness;
    ClassicWindow &classic = harness.open();

    harness.click("Command2");

    QCOMPARE(harness.dialogs.fileRequests.size(), 1);
    QCOMPARE(harness.dialogs.messages.size(), 0);
    QCOMPARE(harness.toolEnded->count(), 0);
    QVERIFY(classic.isVisible());
    QVERIFY(!harness.exists(serverFileName()));
    QCOMPARE(harness.read(configFileName()),
             expectedConfig(classicDefaults(), classicDefaults(), harness.wizard->firstPageChoices()));
    QCOMPARE(harness.read(motdFileName()), defaultMotdBytes);

    // The operator may press again: the whole action repeats.
    QVERIFY(QFile::remove(harness.path(motdFileName())));
    harness.click("Command2");
    QCOMPARE(harness.dialogs.fileRequests.size(), 2);
    QCOMPARE(harness.read(motdFileName()), defaultMotdBytes);
}

void TestClassicSave::failedWriteStopsTheAction_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::newRow("kvxserver.conf") << configFileName();
    QTest::newRow("motd.txt") << motdFileName();
}

void TestClassicSave::failedWriteStopsTheAction()
{
    QFETCH(QString, blocked);
    ClassicHarness harness;
    ClassicWindow &classic = harness.open();
    // A folder in the file's place: it cannot be written.
    QVERIFY(QDir(harness.folder.path()).mkdir(blocked));

    harness.click("Command2");

    QCOMPARE(harness.dialogs.messages.size(), 1);
    const MessageBox::Shown &shown = harness.dialogs.messages.first();
    QCOMPARE(shown.icon, MessageBox::Icon::Critical);
    QCOMPARE(shown.title, QStringLiteral("Server config Error"));
    QVERIFY2(shown.text.contains(QDir::toNativeSeparators(harness.path(blocked))), qPrintable(shown.text));
    // Nothing after the failed write ran: no search for the server, no end.
    QCOMPARE(harness.dialogs.fileRequests.size(), 0);
    QCOMPARE(harness.toolEnded->count(), 0);
    QVERIFY(classic.isVisible());
    if (blocked == motdFileName()) {
        QCOMPARE(harness.read(configFileName()),
                 expectedConfig(classicDefaults(), classicDefaults(), harness.wizard->firstPageChoices()));
    } else {
        QVERIFY(!harness.exists(motdFileName()));
    }
}

void TestClassicSave::listenModeSavesAndEnds()
{
    ClassicHarness harness;
    harness.write(configFileName(), crLfLines({"ServerName \"Kept\"", "MaxPlayers 20"}));
    harness.open({"-listen"});
    QTest::keyClicks(harness.control<QLineEdit>("txtpwd"), "pw");

    harness.click("Command2");

    ClassicFields loaded = classicDefaults();
    loaded.txtserver = QStringLiteral("Kept");
    loaded.txtplayers = QStringLiteral("20");
    ClassicFields saved = loaded;
    saved.txtpwd = QStringLiteral("pw");
    QCOMPARE(harness.read(configFileName()), expectedConfig(loaded, saved, harness.wizard->firstPageChoices()));
    QCOMPARE(harness.read(motdFileName()), defaultMotdBytes);
    QCOMPARE(harness.toolEnded->count(), 1);
    QCOMPARE(harness.dialogs.messages.size(), 0);
    QCOMPARE(harness.dialogs.fileRequests.size(), 0);
    QVERIFY(!harness.exists(serverFileName()));
}

void TestClassicSave::adminAlertsInOrder_data()
{
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QStringList>("filled");
    QTest::addColumn<QStringList>("alerts");

    const QString password = QStringLiteral("The Adminpanel password needs to be filled in");
    const QString port = QStringLiteral("The Adminpanel port needs to be filled in");
    const QString plus = QStringLiteral("The Admin plus password needs to be filled in");
    QTest::newRow("admin, nothing filled") << QStringList{"chkadmin"} << QStringList() << QStringList{password, port};
    QTest::newRow("both, nothing filled")
        << QStringList{"chkadmin", "chkadminplus"} << QStringList() << QStringList{password, port, plus};
    QTest::newRow("plus alone") << QStringList{"chkadminplus"} << QStringList() << QStringList{plus};
    QTest::newRow("both, all filled") << QStringList{"chkadmin", "chkadminplus"}
                                      << QStringList{"txtadminport", "txtadminpwd", "txtadminpluspwd"}
                                      << QStringList();
    QTest::newRow("nothing ticked") << QStringList() << QStringList() << QStringList();
}

void TestClassicSave::adminAlertsInOrder()
{
    QFETCH(QStringList, ticked);
    QFETCH(QStringList, filled);
    QFETCH(QStringList, alerts);

    ClassicHarness harness;
    harness.open();
    for (const QString &name : ticked)
        harness.click(name.toLatin1());
    for (const QString &name : filled)
        QTest::keyClicks(harness.control<QLineEdit>(name.toLatin1()), "4004");

    harness.click("Command2");

    QStringList expected;
    for (const QString &alert : alerts)
        expected << QStringLiteral("KVX Alert: ") + alert;
    QCOMPARE(harness.dialogs.texts(), expected);
    for (const MessageBox::Shown &shown : std::as_const(harness.dialogs.messages))
        QCOMPARE(shown.icon, MessageBox::Icon::Critical);
    // The alerts never stop the save.
    const QByteArray config = harness.read(configFileName());
    QVERIFY(config.contains(ticked.contains("chkadmin") ? "\r\nAdminServer 1\r\n" : "\r\nAdminServer 0\r\n"));
    QVERIFY(harness.exists(motdFileName()));
    QCOMPARE(harness.dialogs.fileRequests.size(), 1);
}

void TestClassicSave::motdBytesSurviveUnchanged()
{
    // Code-page characters, a no-break space and empty lines come back as read.
    const QByteArray motd = "Caf\xe9\xa0\x80 ok\r\n\r\n  indented\r\nlast\r\n";
    ClassicHarness harness;
    harness.write(motdFileName(), motd);
    harness.open({"-listen"});
    harness.click("Command2");
    QCOMPARE(harness.read(motdFileName()), motd);
    QCOMPARE(harness.toolEnded->count(), 1);
}

QTEST_MAIN(TestClassicSave)
#include "test_classic_save.moc"
