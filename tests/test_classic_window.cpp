// The classic editor's form, its loading, listen mode and the buttons that
// do not save.

#include "test_classic_fixture.h"

#include "app/Twips.h"
#include "config/ConfigBuilder.h"
#include "support/LayoutCheck.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace {

const QString defaultMotd = QStringLiteral(
    "Welcome\n\nI have not yet edited the motd.txt file, but this is my Server!\n\nHave fun.\n");

QString captionOf(QWidget *widget)
{
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        return frame->title();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->currentText();
    if (auto *text = qobject_cast<QPlainTextEdit *>(widget))
        return text->toPlainText();
    return QString();
}

QStringList comboItems(QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// The control that has the focus, by the name of the inventory: a spinner's
// arrow stands for its spinner.
QString focusName(QWidget *window)
{
    QWidget *focus = window->focusWidget();
    if (!focus)
        return QString();
    if (qobject_cast<QToolButton *>(focus))
        focus = focus->parentWidget();
    return focus->objectName();
}

const QStringList lockedFrames = {"Frame1", "Frame2", "Frame4", "Frame5", "Frame7"};

} // namespace

class TestClassicWindow : public QObject
{
    Q_OBJECT

private slots:
    void inventory_data();
    void inventory();
    void window();
    void tabOrderAndFirstFocus();
    void noClippedCaptions_data();
    void noClippedCaptions();
    void defaultsWithoutFiles();
    void loading_data();
    void loading();
    void unreadableFileIsReported_data();
    void unreadableFileIsReported();
    void listenMode();
    void wizardAndBackKeepsEdits();
    void endingWritesNothing_data();
    void endingWritesNothing();
    void aboutBoxIsOwnedByTheWindow();
};

void TestClassicWindow::inventory_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");

    const auto row = [](const char *name, const char *container, const char *kind, const QString &caption,
                        int left, int top, int width, int height) {
        QTest::newRow(name) << QString::fromLatin1(container) << QString::fromLatin1(kind) << caption
                            << QRect(left, top, width, height);
    };
    row("Picture1", "frmclassic", "Banner", "", 0, 0, 6735, 855);
    row("lbltitle", "Picture1", "QLabel", "Korvexa 0.5", 2160, 120, 4455, 495);
    row("lblsection", "Picture1", "QLabel", "Server Configuration Tool", 2400, 480, 2655, 255);
    row("Frame1", "frmclassic", "QGroupBox", "Server Name", 120, 960, 4095, 615);
    row("txtserver", "Frame1", "QLineEdit", "KVX 0.5 NoName VC Server (QOR)", 120, 240, 3855, 285);
    row("Frame2", "frmclassic", "QGroupBox", "Maximum number of players", 120, 1680, 2415, 615);
    row("txtplayers", "Frame2", "QLineEdit", "26", 720, 240, 975, 285);
    row("Frame5", "frmclassic", "QGroupBox", "Port", 2640, 1680, 1575, 615);
    row("txtport", "Frame5", "QLineEdit", "2003", 120, 240, 1335, 285);
    row("Frame7", "frmclassic", "QGroupBox", "Map - gamemode", 120, 2400, 2415, 735);
    row("cmbgamemode", "Frame7", "QComboBox", "Vice City - Deathmatch", 120, 240, 2175, 315);
    row("Frame4", "frmclassic", "QGroupBox", "ASE", 2640, 2400, 1575, 735);
    row("ChkASE", "Frame4", "QCheckBox", "Enable ASE reporting", 120, 240, 1335, 405);
    row("Frame6", "frmclassic", "QGroupBox", "Admin Panel", 120, 3240, 4095, 1335);
    row("chkadmin", "Frame6", "QCheckBox", "Enable", 120, 240, 800, 255);
    row("chkadminplus", "Frame6", "QCheckBox", "Enable Admin Plus", 120, 600, 1680, 255);
    row("Label4", "Frame6", "QLabel", "Shutdown:", 120, 960, 855, 255);
    row("chkshutdown", "Frame6", "QCheckBox", "Allow", 960, 960, 735, 255);
    row("Line1", "Frame6", "QFrame", "", 1800, 240, 15, 960);
    row("Line2", "Frame6", "QFrame", "", 1815, 240, 15, 960);
    row("Label2", "Frame6", "QLabel", "Port:", 1920, 240, 735, 255);
    row("txtadminport", "Frame6", "QLineEdit", "", 2760, 240, 1215, 285);
    row("Label1", "Frame6", "QLabel", "Password:", 1920, 600, 795, 255);
    row("txtadminpwd", "Frame6", "QLineEdit", "", 2760, 600, 1215, 285);
    row("Label6", "Frame6", "QLabel", "Pass + :", 1920, 960, 735, 255);
    row("txtadminpluspwd", "Frame6", "QLineEdit", "", 2760, 960, 1215, 285);
    row("Frame11", "frmclassic", "QGroupBox", "Environment", 4320, 960, 1935, 1335);
    row("Label5", "Frame11", "QLabel", "Time:", 120, 240, 1575, 255);
    row("txthour", "Frame11", "QLineEdit", "12", 120, 480, 375, 285);
    row("UDhour", "Frame11", "UpDownSpinner", "", 480, 480, 255, 300);
    row("txtminute", "Frame11", "QLineEdit", "30", 960, 480, 375, 285);
    row("udminute", "Frame11", "UpDownSpinner", "", 1320, 480, 255, 300);
    row("chkweather", "Frame11", "QCheckBox", "Randomize weather", 120, 960, 1755, 255);
    row("Frame8", "frmclassic", "QGroupBox", "Serverpassword", 4320, 2400, 1935, 735);
    row("txtpwd", "Frame8", "QLineEdit", "", 120, 300, 1695, 285);
    row("Frame10", "frmclassic", "QGroupBox", "Stat logging", 4320, 3240, 1935, 615);
    row("Check5", "Frame10", "QCheckBox", "Enabled", 120, 240, 1695, 255);
    row("Frame9", "frmclassic", "QGroupBox", "MOTD", 120, 4680, 6135, 1695);
    row("chkmotd", "Frame9", "QCheckBox", "Ingame MOTD Enabled", 120, 240, 2055, 255);
    row("Text8", "Frame9", "QPlainTextEdit", defaultMotd, 120, 480, 5895, 735);
    row("Label7", "Frame9", "QLabel", "Rich MOTD URL:", 120, 1320, 1335, 255);
    row("txturl", "Frame9", "QLineEdit", defaultMotdUrl(), 1560, 1300, 4455, 285);
    row("FrameListen", "frmclassic", "QGroupBox", "", 120, 960, 4095, 2295);
    row("Label3", "FrameListen", "QLabel",
        "To set server name, port and users, use the settings in the KVX Client.", 600, 840, 2895, 855);
    row("Command3", "frmclassic", "QPushButton", "&About...", 120, 6480, 1200, 375);
    row("Command1", "frmclassic", "QPushButton", "&Cancel", 1560, 6480, 1200, 375);
    row("Command4", "frmclassic", "QPushButton", "&Wizard...", 3000, 6480, 1215, 375);
    row("Command2", "frmclassic", "QPushButton", "&Save && launch server", 4560, 6480, 1695, 375);
}

void TestClassicWindow::inventory()
{
    QFETCH(QString, container);
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);

    ClassicHarness harness;
    harness.open();
    auto *widget = harness.control<QWidget>(QTest::currentDataTag());
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QVERIFY2(widget->inherits(kind.toLatin1()), widget->metaObject()->className());
    QCOMPARE(captionOf(widget), caption);
    QCOMPARE(widget->geometry(), twipsRect(twips.left(), twips.top(), twips.width(), twips.height()));
}

void TestClassicWindow::window()
{
    ClassicHarness harness;
    ClassicWindow &classic = harness.open();
    QCOMPARE(classic.objectName(), QStringLiteral("frmclassic"));
    QCOMPARE(classic.windowTitle(), QStringLiteral("Korvexa 0.5 Server Config Tool"));
    QCOMPARE(classic.size(), QSize(twipsToPixels(6360), twipsToPixels(6960)));
    QCOMPARE(classic.minimumSize(), classic.maximumSize());
    QVERIFY(!(classic.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(classic.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(classic.isVisible());
    const QPoint offCentre = classic.frameGeometry().center() - classic.screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 1, qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));
    QVERIFY(!harness.control<QWidget>("FrameListen")->isVisible());
    // The notice lies above the five frames it covers in listen mode.
    QWidget *frameListen = harness.control<QWidget>("FrameListen");
    const QObjectList stack = classic.children();
    for (const QString &name : lockedFrames)
        QVERIFY(stack.indexOf(frameListen) > stack.indexOf(harness.control<QWidget>(name.toLatin1())));

    QVERIFY(harness.control<QComboBox>("cmbgamemode")->isEditable());
}

void TestClassicWindow::tabOrderAndFirstFocus()
{
    const QStringList order = {
        "txtplayers", "txtport",  "cmbgamemode", "txtpwd",      "chkmotd",    "Text8",        "Check5",
        "chkadmin",   "chkshutdown", "txtadminport", "txtadminpwd", "Command2", "Command3",     "Command1",
        "ChkASE",     "txthour",  "txtminute",   "udminute",    "UDhour",     "chkweather",   "chkadminplus",
        "txtadminpluspwd", "Command4", "txturl", "txtserver",
    };
    ClassicHarness harness;
    ClassicWindow &classic = harness.open();
    QStringList visited{focusName(&classic)};
    for (qsizetype i = 0; i < order.size(); ++i) {
        QTest::keyClick(classic.focusWidget(), Qt::Key_Tab);
        visited << focusName(&classic);
    }
    QCOMPARE(visited, order + QStringList{order.first()});
}

void TestClassicWindow::noClippedCaptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("normal") << QStringList();
    QTest::newRow("listen") << QStringList{"-listen"};
}

void TestClassicWindow::noClippedCaptions()
{
    QFETCH(QStringList, arguments);
    ClassicHarness harness;
    QCOMPARE(clippedCaptions(&harness.open(arguments)), QStringList());
}

void TestClassicWindow::defaultsWithoutFiles()
{
    ClassicHarness harness;
    ClassicWindow &classic = harness.open();
    QCOMPARE(classic.fields(), classicDefaults());
    QCOMPARE(comboItems(harness.control<QComboBox>("cmbgamemode")),
             QStringList({"GTA3 - Portland", "GTA3 - Shore Side Vale", "GTA3 - Staunton Island",
                          "Vice City - Deathmatch", "Vice City - Stunt"}));
    QCOMPARE(harness.control<QPlainTextEdit>("Text8")->toPlainText(), defaultMotd);
    QCOMPARE(classic.document(), buildclassic(classicDefaults()));
    QCOMPARE(harness.dialogs.messages.size(), 0);
    QVERIFY(!harness.exists(configFileName()));
    QVERIFY(!harness.exists(motdFileName()));
}

void TestClassicWindow::loading_data()
{
    QTest::addColumn<QByteArray>("config"); // empty: no file
    QTest::addColumn<QByteArray>("motd");   // null: no file
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("players");
    QTest::addColumn<QString>("text8");

    QTest::newRow("GameMap 4") << crLfLines({"MaxPlayers 30", "GameMap 4"}) << QByteArray() << "GTA3 - Shore Side Vale"
                               << "30" << defaultMotd;
    QTest::newRow("empty motd.txt") << QByteArray() << QByteArray("") << "Vice City - Deathmatch" << "26" << "";
    QTest::newRow("two motd lines") << QByteArray() << QByteArray("Hello\r\nthere\r\n") << "Vice City - Deathmatch"
                                    << "26" << "Hello\nthere";
    // The map rule runs when the map line is read, with the count read so far.
    QTest::newRow("map before count") << crLfLines({"GameMap 1", "MaxPlayers 30"}) << QByteArray()
                                      << "Vice City - Deathmatch" << "30" << defaultMotd;
    QTest::newRow("count before map") << crLfLines({"MaxPlayers 30", "GameMap 1"}) << QByteArray()
                                      << "Vice City - Deathmatch" << "26" << defaultMotd;
    QTest::newRow("stunt after count") << crLfLines({"MaxPlayers 32", "GameMap 2"}) << QByteArray()
                                       << "Vice City - Stunt" << "26" << defaultMotd;
}

void TestClassicWindow::loading()
{
    QFETCH(QByteArray, config);
    QFETCH(QByteArray, motd);
    QFETCH(QString, map);
    QFETCH(QString, players);
    QFETCH(QString, text8);

    ClassicHarness harness;
    if (!config.isEmpty())
        harness.write(configFileName(), config);
    if (!motd.isNull())
        harness.write(motdFileName(), motd);
    ClassicWindow &classic = harness.open();

    ClassicFields expected = classicDefaults();
    expected.cmbgamemode = map;
    expected.txtplayers = players;
    QCOMPARE(classic.fields(), expected);
    QCOMPARE(harness.control<QPlainTextEdit>("Text8")->toPlainText(), text8);
    // The document is rebuilt from the loaded fields, not kept from the file.
    QCOMPARE(classic.document(), buildclassic(expected));
    QCOMPARE(harness.dialogs.messages.size(), 0);
}

void TestClassicWindow::unreadableFileIsReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("kvxserver.conf") << configFileName();
    QTest::newRow("motd.txt") << motdFileName();
}

void TestClassicWindow::unreadableFileIsReported()
{
    QFETCH(QString, name);
    ClassicHarness harness;
    // A folder of that name exists but cannot be read as a file.
    QVERIFY(QDir(harness.folder.path()).mkdir(name));
    harness.write(name == configFileName() ? motdFileName() : configFileName(),
                  name == configFileName() ? QByteArray("Hi\r\n") : crLfLines({"ServerPort 4000"}));
    ClassicWindow &classic = harness.open();

    QCOMPARE(harness.dialogs.messages.size(), 1);
    const MessageBox::Shown &shown = harness.dialogs.messages.first();
    QCOMPARE(shown.icon, MessageBox::Icon::Exclamation);
    QVERIFY2(shown.text.startsWith(QDir::toNativeSeparators(harness.path(name)) + " could not be read: "),
             qPrintable(shown.text));
    // The other file is still read.
    if (name == configFileName()) {
        QCOMPARE(classic.fields(), classicDefaults());
        QCOMPARE(harness.control<QPlainTextEdit>("Text8")->toPlainText(), QStringLiteral("Hi"));
    } else {
        QCOMPARE(classic.fields().txtport, QStringLiteral("4000"));
        QCOMPARE(harness.control<QPlainTextEdit>("Text8")->toPlainText(), defaultMotd);
    }
}

void TestClassicWindow::listenMode()
{
    ClassicHarness harness;
    harness.write(configFileName(), crLfLines({"ServerName \"Front\"", "ServerPort 2500", "MaxPlayers 31",
                                               "GameMap 5", "ASE 0"}));
    ClassicWindow &classic = harness.open({"-listen"});

    QCOMPARE(harness.control<QPushButton>("Command2")->text(), QStringLiteral("Save && return"));
    QVERIFY(harness.control<QWidget>("FrameListen")->isVisible());
    for (const QString &name : lockedFrames)
        QVERIFY2(!harness.control<QWidget>(name.toLatin1())->isEnabled(), qPrintable(name));
    QVERIFY(!harness.control<QWidget>("Command4")->isVisible());
    QCOMPARE(focusName(&classic), QStringLiteral("txtpwd"));

    const ClassicFields fields = classic.fields();
    QCOMPARE(fields.txtserver, QStringLiteral("Front"));
    QCOMPARE(fields.txtport, QStringLiteral("2500"));
    QCOMPARE(fields.txtplayers, QStringLiteral("31"));
    QCOMPARE(fields.cmbgamemode, QStringLiteral("GTA3 - Staunton Island"));
    QCOMPARE(fields.ChkASE, Qt::Unchecked);
}

void TestClassicWindow::wizardAndBackKeepsEdits()
{
    ClassicHarness harness;
    ClassicWindow &classic = harness.open();
    auto *server = harness.control<QLineEdit>("txtserver");
    server->selectAll();
    QTest::keyClicks(server, "Edited");
    harness.click("chkadmin");

    harness.click("Command4");
    QVERIFY(!classic.isVisible());
    QVERIFY(harness.wizard->isVisible());

    // Back from the wizard: nothing is read again, not even a file that
    // appeared in the meantime.
    harness.write(configFileName(), crLfLines({"ServerName \"From file\"", "MaxPlayers 12"}));
    harness.wizard->hide();
    classic.showClassic();
    QVERIFY(classic.isVisible());
    QCOMPARE(classic.fields().txtserver, QStringLiteral("Edited"));
    QCOMPARE(classic.fields().chkadmin, Qt::Checked);
    QCOMPARE(classic.fields().txtplayers, QStringLiteral("26"));
    QCOMPARE(harness.toolEnded->count(), 0);
}

void TestClassicWindow::endingWritesNothing_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Cancel") << false;
    QTest::newRow("close box") << true;
}

void TestClassicWindow::endingWritesNothing()
{
    QFETCH(bool, closeBox);
    ClassicHarness harness;
    ClassicWindow &classic = harness.open();
    QTest::keyClicks(harness.control<QLineEdit>("txtserver"), "x");
    // Ending the tool closes every window, this one included, from code.
    QObject::connect(harness.wizard.get(), &WizardWindow::toolEnded, &classic, &QWidget::close);

    if (closeBox)
        QVERIFY(classic.windowHandle()->close());
    else
        harness.click("Command1");

    QCOMPARE(harness.toolEnded->count(), 1);
    QVERIFY(!classic.isVisible());
    QCOMPARE(QDir(harness.folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    QCOMPARE(harness.dialogs.messages.size(), 0);
}

void TestClassicWindow::aboutBoxIsOwnedByTheWindow()
{
    ClassicHarness harness;
    ClassicWindow &classic = harness.open();
    QString shownClass;
    QWidget *owner = nullptr;
    QTimer::singleShot(0, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            shownClass = QString::fromLatin1(modal->metaObject()->className());
            owner = modal->parentWidget();
            modal->close();
        }
    });
    harness.click("Command3");
    QCOMPARE(shownClass, QStringLiteral("AboutBox"));
    QCOMPARE(owner, &classic);
    QVERIFY(classic.isVisible());
}

QTEST_MAIN(TestClassicWindow)
#include "test_classic_window.moc"
