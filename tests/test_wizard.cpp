// The wizard window driven as an operator drives it: start-up from the tool
// folder, the page steps, the key rules, the spinners, the layout, and the
// last press that saves and starts a stand-in server.

#include "app/WizardWindow.h"
#include "classic/ClassicWindow.h"
#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "motd/MotdWindow.h"
#include "support/DialogRecorder.h"
#include "support/LayoutCheck.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

const QStringList frames = {"FrameMain",        "FrameGame",  "FrameBasics", "FramePlayers",
                            "FrameEnvironment", "FrameAdmin", "FrameFinal"};
const QString range32 = "Server config Error: Please enter a number between 2 and 32";
const QString range26 = "Server config Error: Please enter a number between 2 and 26";
const QString playerDigits = "Server config error: Only numbers can be enterd.\r\n"
                             "Player support for 2 to 26(VC) or 32(III) players.";
const QString portDigits = "Server config Error: Only numbers can be enterd.";
const QString plusNotice = "Server configuration tool: Warning,\r\n\r\n"
                           "The admin Plus system uses the same bandwith as an extra user!";
const QByteArray standIn = "#!/bin/sh\necho started > \"$(dirname \"$0\")/server-started\"\n";

// One run of the tool in its own folder, with every dialog answered.
struct Tool {
    QTemporaryDir dir;
    DialogRecorder dialogs;
    std::unique_ptr<WizardWindow> wizard;
    std::unique_ptr<QSignalSpy> ended;

    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }
    void start(const QStringList &arguments = {}, const QString &folder = {})
    {
        wizard = std::make_unique<WizardWindow>(ToolContext{folder.isEmpty() ? dir.path() : folder, arguments});
        ended = std::make_unique<QSignalSpy>(wizard.get(), &WizardWindow::toolEnded);
        wizard->start();
    }
    template <typename T = QWidget>
    T *get(const QString &name) const
    {
        T *control = wizard->findChild<T *>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        return control;
    }
    QLineEdit *edit(const QString &name) const { return get<QLineEdit>(name); }
    QPushButton *nextButton() const { return get<QPushButton>("cmdnext"); }
    QString section() const { return get<QLabel>("lblsection")->text(); }
    void click(const QString &name) const { QTest::mouseClick(get(name), Qt::LeftButton); }
    void next() const { nextButton()->click(); }
    void back() const { get<QPushButton>("cmdback")->click(); }
    void goToPage(int page) const
    {
        while (wizard->currentPage() < page)
            next();
    }
    QStringList pagesOnShow() const
    {
        QStringList shown;
        for (const QString &frame : frames) {
            if (!get(frame)->isHidden())
                shown << frame;
        }
        return shown;
    }
    // The keyboard focus in `field`, as a click would put it there.
    QWidget *focus(QLineEdit *field) const
    {
        wizard->activateWindow();
        if (!QTest::qWaitForWindowActive(wizard.get()))
            return nullptr;
        field->setFocus(Qt::MouseFocusReason);
        return QApplication::focusWidget();
    }
    void retype(const QString &field, const QString &text) const
    {
        edit(field)->selectAll();
        QTest::keyClick(edit(field), Qt::Key_Backspace);
        QTest::keyClicks(edit(field), text);
    }
};

// A character key, or Backspace for '\b'.
void typeKey(QWidget *field, QChar key)
{
    if (key == u'\b')
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClick(field, key.toLatin1());
}

bool writeFile(const QString &path, const QByteArray &bytes, bool executable)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return file.setPermissions(QFile::ReadOwner | QFile::WriteOwner
                               | (executable ? QFile::ExeOwner : QFile::Permissions()));
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file a launch must write: the start-up build, then the commit.
QByteArray expectedFile(const WizardFields &atLaunch, const FirstPageChoices &choices = {})
{
    ConfigDocument document = buildwizard(wizardDefaults());
    commitwizard(document, atLaunch, choices);
    return document.lines().join(QLatin1String("\r\n")).toLatin1() + "\r\n";
}

WizardFields storedFields()
{
    WizardFields fields = wizardDefaults();
    fields.txtserver = "Night Owls";
    fields.txtport = "2100";
    fields.txtplayers = "20";
    fields.map = WizardMap::optvicestunt;
    fields.txturl = "http://motd.example.net/kvx/motd.rtf";
    fields.chkweather = Qt::Unchecked;
    return fields;
}

enum class Launch { Present, Copied, Cancelled, Listen, SaveOntoFolder, FolderGone, NoExecBit, Garbage };

} // namespace

Q_DECLARE_METATYPE(Launch)

class TestWizard : public QObject
{
    Q_OBJECT

private slots:
    void startUp_data();
    void startUp();
    void unreadableConfigFallsBackToDefaults();
    void pageSteps_data();
    void pageSteps();
    void classicHandOverAndReturn();
    void viceCityCorrection_data();
    void viceCityCorrection();
    void adminPlusNotice();
    void playerLimitFilter_data();
    void playerLimitFilter();
    void playerLimitFollowsMapAtEachKey();
    void otherFieldsKeys_data();
    void otherFieldsKeys();
    void spinners_data();
    void spinners();
    void motdEditorLifecycle();
    void endingTheTool_data();
    void endingTheTool();
    void aboutBoxOpensAndCloses();
    void layoutOfEveryPage();
    void launch_data();
    void launch();
    void adminAlerts_data();
    void adminAlerts();
};

void TestWizard::startUp_data()
{
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<bool>("remember");
    QTest::addColumn<bool>("classicMode");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("classicInFront");

    QTest::newRow("no file") << false << false << false << QStringList() << 1 << false;
    QTest::newRow("file shows page 1, classic chosen") << true << false << true << QStringList() << 1 << false;
    QTest::newRow("file skips page 1, wizard mode") << true << true << false << QStringList() << 2 << false;
    QTest::newRow("file skips page 1, classic mode") << true << true << true << QStringList() << 2 << true;
    QTest::newRow("-listen") << false << false << false << QStringList{"-listen"} << 1 << true;
    QTest::newRow("-listen, file skips page 1") << true << true << false << QStringList{"-listen"} << 2 << true;
    QTest::newRow("-LISTEN") << false << false << false << QStringList{"-LISTEN"} << 1 << false;
    QTest::newRow("-listen extra") << false << false << false << QStringList{"-listen", "extra"} << 1 << false;
}

void TestWizard::startUp()
{
    QFETCH(bool, withFile);
    QFETCH(bool, remember);
    QFETCH(bool, classicMode);
    QFETCH(QStringList, arguments);
    QFETCH(int, page);
    QFETCH(bool, classicInFront);

    Tool tool;
    const WizardFields expected = withFile ? storedFields() : wizardDefaults();
    if (withFile) {
        ConfigDocument stored = buildwizard(expected);
        commitwizard(stored, expected, {remember ? Qt::Checked : Qt::Unchecked, classicMode, !classicMode});
        QVERIFY(saveconfig(configFilePath(tool.dir.path()), stored).ok);
    }
    tool.start(arguments);

    QCOMPARE(tool.dialogs.texts(), QStringList());
    QCOMPARE(tool.wizard->currentPage(), page);
    QCOMPARE(tool.pagesOnShow(), QStringList{frames.at(page - 1)});
    QCOMPARE(tool.section(), page == 1 ? "Server Configuration Tool" : "Game selection");
    QCOMPARE(tool.get<QPushButton>("cmdback")->isEnabled(), page > 1);
    QCOMPARE(tool.nextButton()->text(), "&Next >>");
    // The fields took the file's values through the controls, so the port's
    // change reaction ran.
    QCOMPARE(tool.wizard->fields(), expected);
    QCOMPARE(tool.edit("txtase")->text(), withFile ? "2223" : "2126");
    QCOMPARE(tool.get<QCheckBox>("chkremember")->isChecked(), remember);
    QCOMPARE(tool.get<QRadioButton>("OptClassic")->isChecked(), remember && classicMode);
    QCOMPARE(tool.get<QRadioButton>("OptWizard")->isChecked(), !(remember && classicMode));
    // The document is our template with the fields' values.
    QCOMPARE(tool.wizard->document(), buildwizard(expected));

    QCOMPARE(tool.wizard->isVisible(), !classicInFront);
    QCOMPARE(tool.wizard->classicWindow() != nullptr, classicInFront);
    QVERIFY(!classicInFront || tool.wizard->classicWindow()->isVisible());
    // Reading the MOTD address made the editor, hidden.
    QVERIFY(!tool.wizard->motdWindow()->isVisible());
}

void TestWizard::unreadableConfigFallsBackToDefaults()
{
    Tool tool;
    const QString path = configFilePath(tool.dir.path());
    QVERIFY(QDir(tool.dir.path()).mkdir(configFileName()));
    QFile probe(path);
    QVERIFY(!probe.open(QIODevice::ReadOnly));
    tool.start();

    QCOMPARE(tool.dialogs.messages.size(), 1);
    const QString text = tool.dialogs.messages.first().text;
    QVERIFY2(text.contains(QDir::toNativeSeparators(path)) && text.contains(probe.errorString()), qPrintable(text));
    QCOMPARE(tool.wizard->currentPage(), 1);
    QCOMPARE(tool.wizard->document(), buildwizard(wizardDefaults()));
    QVERIFY(tool.wizard->isVisible());
}

void TestWizard::pageSteps_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("lastCaption");
    QTest::newRow("normal run") << QStringList() << "Launch!";
    QTest::newRow("-listen") << QStringList{"-listen"} << "Finish";
}

void TestWizard::pageSteps()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, lastCaption);

    Tool tool;
    tool.start(arguments);
    const QStringList forward = {"",
                                 "Game selection",
                                 "Basic server settings",
                                 "More basic settings",
                                 "Environmental settings",
                                 "Admin settings",
                                 "Ready, Set, GO!"};
    const QStringList backward = {"Server configuration Tool", "Game Selection",         "Basic server settings",
                                  "Player settings",           "Environmental settigns", "Admin settings"};
    for (int page = 2; page <= 7; ++page) {
        tool.next();
        QCOMPARE(tool.pagesOnShow(), QStringList{frames.at(page - 1)});
        QCOMPARE(tool.section(), forward.at(page - 1));
        QVERIFY(tool.get<QPushButton>("cmdback")->isEnabled());
        QCOMPARE(tool.nextButton()->text(), page == 7 ? lastCaption : "&Next >>");
    }
    for (int page = 6; page >= 1; --page) {
        tool.back();
        QCOMPARE(tool.pagesOnShow(), QStringList{frames.at(page - 1)});
        QCOMPARE(tool.section(), backward.at(page - 1));
        QCOMPARE(tool.get<QPushButton>("cmdback")->isEnabled(), page > 1);
        QCOMPARE(tool.nextButton()->text(), "&Next >>");
        if (page == 6) { // and forward again
            tool.next();
            QCOMPARE(tool.nextButton()->text(), lastCaption);
            tool.back();
        }
    }
    QCOMPARE(tool.dialogs.texts(), QStringList());
    QVERIFY(!QFile::exists(configFilePath(tool.dir.path())));
}

void TestWizard::classicHandOverAndReturn()
{
    Tool tool;
    tool.start();
    tool.click("OptClassic");
    tool.click("cmdnext");
    QPointer<ClassicWindow> classic = tool.wizard->classicWindow();
    QVERIFY(classic && classic->isVisible());
    QVERIFY(!tool.wizard->isVisible());

    classic->hide();
    tool.wizard->showFromClassic();
    QVERIFY(tool.wizard->isVisible());
    QCOMPARE(tool.section(), "Game selection");
    QCOMPARE(tool.pagesOnShow(), QStringList{"FrameGame"});
    QVERIFY(tool.get<QPushButton>("cmdback")->isEnabled());

    // Through page 1 again: the same classic editor comes back.
    tool.back();
    tool.next();
    QCOMPARE(tool.wizard->classicWindow(), classic.data());
    QVERIFY(classic->isVisible() && !tool.wizard->isVisible());
}

void TestWizard::viceCityCorrection_data()
{
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("players");
    QTest::addColumn<QString>("expected");
    QTest::newRow("stunt, 30") << "optvicestunt" << "30" << "26";
    QTest::newRow("deathmatch, 27x") << "optvicedm" << "27x" << "26";
    QTest::newRow("deathmatch, 26") << "optvicedm" << "26" << "26";
    QTest::newRow("stunt, no leading digits") << "optvicestunt" << "x99" << "x99";
    QTest::newRow("Portland, 30") << "optgta3portland" << "30" << "30";
}

void TestWizard::viceCityCorrection()
{
    QFETCH(QString, map);
    QFETCH(QString, players);
    QFETCH(QString, expected);

    Tool tool;
    tool.start();
    tool.goToPage(2);
    tool.edit("txtplayers")->setText(players);
    tool.click(map);
    tool.next();
    QCOMPARE(tool.edit("txtplayers")->text(), expected);
    // Going back corrects nothing.
    tool.edit("txtplayers")->setText(players);
    tool.back();
    QCOMPARE(tool.edit("txtplayers")->text(), players);
}

void TestWizard::adminPlusNotice()
{
    Tool tool;
    tool.start();
    tool.goToPage(7);
    QCOMPARE(tool.dialogs.texts(), QStringList());
    tool.back();
    tool.click("chkadminplus");
    tool.next();
    tool.back();
    tool.next();
    QCOMPARE(tool.wizard->currentPage(), 7);
    QCOMPARE(tool.dialogs.texts(), QStringList({plusNotice, plusNotice}));
    QCOMPARE(tool.dialogs.messages.first().icon, MessageBox::Icon::Information);
}

void TestWizard::playerLimitFilter_data()
{
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("messages");

    const QString iii = "optgta3ssv";
    const QString vc = "optvicestunt";
    QTest::newRow("III 3, 2") << iii << "3" << false << QChar('2') << "32" << QStringList();
    QTest::newRow("III 3, 3") << iii << "3" << false << QChar('3') << "3" << QStringList{range32};
    QTest::newRow("III 30, 1") << iii << "30" << false << QChar('1') << "30" << QStringList{range32};
    QTest::newRow("III 30, Backspace") << iii << "30" << false << QChar('\b') << "3" << QStringList();
    QTest::newRow("III empty, letter") << iii << "" << false << QChar('a') << "" << QStringList{range32};
    QTest::newRow("III 1, letter") << iii << "1" << false << QChar('a') << "1" << QStringList{playerDigits};
    QTest::newRow("III 32 selected, 9") << iii << "32" << true << QChar('9') << "9" << QStringList();
    QTest::newRow("III 32 selected, x") << iii << "32" << true << QChar('x') << "32" << QStringList{playerDigits};
    QTest::newRow("VC 2, 6") << vc << "2" << false << QChar('6') << "26" << QStringList();
    QTest::newRow("VC 2, 7") << vc << "2" << false << QChar('7') << "2" << QStringList{range26};
    QTest::newRow("VC 3, 0") << vc << "3" << false << QChar('0') << "3" << QStringList{range26};
    QTest::newRow("VC 26, Backspace") << vc << "26" << false << QChar('\b') << "2" << QStringList();
    QTest::newRow("VC 26 selected, 9") << vc << "26" << true << QChar('9') << "9" << QStringList();
    QTest::newRow("VC empty, space") << vc << "" << false << QChar(' ') << "" << QStringList{range26};
}

void TestWizard::playerLimitFilter()
{
    QFETCH(QString, map);
    QFETCH(QString, text);
    QFETCH(bool, selectAll);
    QFETCH(QChar, key);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);

    Tool tool;
    tool.start();
    tool.goToPage(2);
    tool.click(map);
    tool.goToPage(4);
    QLineEdit *players = tool.edit("txtplayers");
    players->setText(text);
    QWidget *focused = tool.focus(players);
    QCOMPARE(focused, players);
    if (selectAll)
        players->selectAll();
    typeKey(focused, key);
    QCOMPARE(players->text(), expected);
    QCOMPARE(tool.dialogs.texts(), messages);
}

void TestWizard::playerLimitFollowsMapAtEachKey()
{
    Tool tool;
    tool.start();
    tool.goToPage(2);
    tool.click("optvicedm");
    tool.edit("txtplayers")->setText("3");
    QWidget *focused = tool.focus(tool.edit("txtplayers"));
    QVERIFY(focused);
    QTest::keyClick(focused, '0');
    tool.get<QRadioButton>("optgta3portland")->setChecked(true);
    QTest::keyClick(focused, '0');
    QCOMPARE(tool.edit("txtplayers")->text(), "30");
    QCOMPARE(tool.dialogs.texts(), QStringList{range26});
}

void TestWizard::otherFieldsKeys_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("ase");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("port, digit") << 3 << "txtport" << "200" << QChar('3') << "2003" << "2126" << QStringList();
    QTest::newRow("port, letter") << 3 << "txtport" << "2003" << QChar('a') << "2003" << "2126"
                                  << QStringList{portDigits};
    QTest::newRow("port 2003, Backspace") << 3 << "txtport" << "2003" << QChar('\b') << "200" << "323"
                                          << QStringList();
    QTest::newRow("port emptied") << 3 << "txtport" << "2" << QChar('\b') << "" << "" << QStringList();
    QTest::newRow("port too large") << 3 << "txtport" << "6541" << QChar('3') << "65413" << "" << QStringList();
    QTest::newRow("highest port") << 3 << "txtport" << "6541" << QChar('2') << "65412" << "65535"
                                  << QStringList();
    QTest::newRow("admin port, space") << 6 << "txtadminport" << "4003" << QChar(' ') << "4003" << "2126"
                                       << QStringList{portDigits};
    QTest::newRow("admin port, Backspace") << 6 << "txtadminport" << "4003" << QChar('\b') << "400" << "2126"
                                           << QStringList();
    QTest::newRow("hour, letter") << 5 << "txthour" << "12" << QChar('x') << "12x" << "2126" << QStringList();
    QTest::newRow("minute, 9") << 5 << "txtminute" << "30" << QChar('9') << "309" << "2126" << QStringList();
}

void TestWizard::otherFieldsKeys()
{
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QChar, key);
    QFETCH(QString, expected);
    QFETCH(QString, ase);
    QFETCH(QStringList, messages);

    Tool tool;
    tool.start();
    tool.goToPage(page);
    tool.edit(field)->setText(text);
    QWidget *focused = tool.focus(tool.edit(field));
    QCOMPARE(focused, tool.edit(field));
    typeKey(focused, key);
    QCOMPARE(tool.edit(field)->text(), expected);
    QCOMPARE(tool.edit("txtase")->text(), ase);
    QCOMPARE(tool.dialogs.texts(), messages);
    QVERIFY(tool.edit("txtase")->isReadOnly());
    QVERIFY(!(tool.edit("txtase")->focusPolicy() & Qt::TabFocus));
}

void TestWizard::spinners_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hour 0 down") << "UDhourDown" << "0" << "23";
    QTest::newRow("hour 23 up") << "UDhourUp" << "23" << "0";
    QTest::newRow("hour 30 up, no wrap") << "UDhourUp" << "30" << "31";
    QTest::newRow("hour 05 down") << "UDhourDown" << "05" << "4";
    QTest::newRow("hour not a number") << "UDhourUp" << "ab" << "1";
    QTest::newRow("minute 59 up") << "udminuteUp" << "59" << "0";
    QTest::newRow("minute 0 down") << "udminuteDown" << "0" << "59";
    QTest::newRow("minute empty down") << "udminuteDown" << "" << "59";
}

void TestWizard::spinners()
{
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    Tool tool;
    tool.start();
    tool.goToPage(5);
    QLineEdit *field = tool.edit(button.startsWith("UD") ? "txthour" : "txtminute");
    QLineEdit *other = tool.edit(button.startsWith("UD") ? "txtminute" : "txthour");
    const QString untouched = other->text();
    field->setText(text);
    tool.click(button);
    QCOMPARE(field->text(), expected);
    QCOMPARE(other->text(), untouched);
}

void TestWizard::motdEditorLifecycle()
{
    Tool tool;
    tool.start();
    tool.goToPage(7);
    tool.click("cmdchangemotd");
    QPointer<MotdWindow> motd = tool.wizard->motdWindow();
    QVERIFY(motd->isVisible() && !motd->parentWidget());
    QCOMPARE(motd->windowModality(), Qt::NonModal);
    QCOMPARE(motd->url(), defaultMotdUrl());
    tool.click("cmdchangemotd");
    QCOMPARE(tool.wizard->motdWindow(), motd.data());

    const QString changed = "http://changed.example.org/kvx/motd.rtf";
    motd->setUrl(changed);
    motd->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!motd);
    // The next reference makes a new, hidden editor holding the address.
    QCOMPARE(tool.wizard->fields().txturl, changed);
    QVERIFY(!tool.wizard->motdWindow()->isVisible());
}

void TestWizard::endingTheTool_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("Exit on page 1") << 1;
    QTest::newRow("Exit on page 7") << 7;
    QTest::newRow("close box") << 0;
    QTest::newRow("twice, with the classic and MOTD editors open") << -1;
}

void TestWizard::endingTheTool()
{
    QFETCH(int, how);

    Tool tool;
    tool.start();
    QPointer<MotdWindow> motd = tool.wizard->motdWindow();
    QPointer<ClassicWindow> classic;
    if (how > 0) {
        tool.goToPage(how);
        tool.click("cmdcancel");
    } else if (how == 0) {
        QVERIFY(tool.wizard->close());
    } else {
        tool.get<QPushButton>("cmdchangemotd")->click();
        tool.click("OptClassic");
        tool.next();
        classic = tool.wizard->classicWindow();
        QVERIFY(classic->isVisible() && motd->isVisible());
        tool.wizard->endTool();
        tool.wizard->endTool();
    }
    QCOMPARE(tool.ended->count(), 1);
    QVERIFY(!tool.wizard->isVisible());
    QVERIFY(!motd || !motd->isVisible());
    QVERIFY(!classic || !classic->isVisible());
    // Ending writes nothing.
    QCOMPARE(QDir(tool.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestWizard::aboutBoxOpensAndCloses()
{
    Tool tool;
    tool.start();
    QString seen;
    QWidget *owner = nullptr;
    QTimer closer;
    closer.setInterval(0);
    connect(&closer, &QTimer::timeout, this, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            seen = modal->objectName();
            owner = modal->parentWidget();
            closer.stop();
            modal->close();
        }
    });
    closer.start();
    tool.click("cmdabout");
    QCOMPARE(seen, "frmAbout");
    QCOMPARE(owner, tool.wizard.get());
    QVERIFY(tool.wizard->isVisible());
}

void TestWizard::layoutOfEveryPage()
{
    Tool tool;
    tool.start();
    QCOMPARE(tool.wizard->windowTitle(), "KVX 0.5 Server Config");
    QCOMPARE(tool.wizard->size(), QSize(449, 256));
    const int bannerBottom = tool.get("Picture1")->geometry().bottom();
    const int ruleTop = tool.get("Line1")->geometry().top();
    for (int page = 1; page <= 7; ++page) {
        tool.goToPage(page);
        const QStringList clipped = clippedCaptions(tool.wizard.get());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));

        QWidget *frame = tool.get(frames.at(page - 1));
        QCOMPARE(frame->y(), 48); // 720 twips
        QVERIFY(frame->geometry().bottom() < ruleTop);
        const QList<QWidget *> controls = frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *control : controls) {
            const QByteArray name = control->objectName().toLatin1();
            QVERIFY2(frame->rect().contains(control->geometry()), name);
            QVERIFY2(frame->y() + control->y() > bannerBottom, name);
            if (auto *label = qobject_cast<QLabel *>(control); label && label->wordWrap())
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
            for (QWidget *other : controls)
                QVERIFY2(other == control || !control->geometry().intersects(other->geometry()), name);
        }
    }
}

void TestWizard::launch_data()
{
    QTest::addColumn<Launch>("scenario");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("started");
    QTest::addColumn<int>("dialogRequests");
    QTest::addColumn<QString>("message"); // the start of the one message, if any

    QTest::newRow("server present") << Launch::Present << true << true << 0 << "";
    QTest::newRow("server copied") << Launch::Copied << true << true << 1
                                   << "Server Config Info: The server executable has been copied to ";
    QTest::newRow("dialog cancelled") << Launch::Cancelled << true << false << 1 << "";
    QTest::newRow("-listen") << Launch::Listen << true << false << 0 << "";
    QTest::newRow("save onto a folder") << Launch::SaveOntoFolder << false << false << 0 << "Server config Error: ";
    QTest::newRow("tool folder gone") << Launch::FolderGone << false << false << 0 << "Server config Error: ";
    QTest::newRow("server without exec bit") << Launch::NoExecBit << true << false << 0 << "Server Config Info: ";
    QTest::newRow("garbage server") << Launch::Garbage << true << false << 0 << "Server Config Info: ";
}

void TestWizard::launch()
{
    QFETCH(Launch, scenario);
    QFETCH(bool, saved);
    QFETCH(bool, started);
    QFETCH(int, dialogRequests);
    QFETCH(QString, message);

    Tool tool;
    QTemporaryDir elsewhere;
    const QString folder = tool.path("tool");
    QVERIFY(QDir().mkpath(folder));
    const QString server = QDir(folder).filePath("KVXServer.exe");
    const QString config = configFilePath(folder);
    const QString marker = QDir(folder).filePath("server-started");
    if (scenario == Launch::Copied) {
        QVERIFY(writeFile(QDir(elsewhere.path()).filePath("my-server.sh"), standIn, true));
        tool.dialogs.queueFileName(QDir(elsewhere.path()).filePath("my-server.sh"));
    } else if (scenario == Launch::Garbage) {
        QVERIFY(writeFile(server, QByteArray("\x7f\x01garbage\x00\xff", 12), false));
    } else if (scenario != Launch::Cancelled && scenario != Launch::Listen) {
        QVERIFY(writeFile(server, standIn, scenario != Launch::NoExecBit));
    }
    tool.start(scenario == Launch::Listen ? QStringList{"-listen"} : QStringList(), folder);
    if (scenario == Launch::SaveOntoFolder)
        QVERIFY(QDir(folder).mkdir(configFileName()));
    if (scenario == Launch::FolderGone)
        QVERIFY(QDir(folder).removeRecursively());

    // The operator's changes, made as the operator makes them.
    tool.click("chkremember");
    tool.goToPage(2);
    tool.get<QRadioButton>("optvicedm")->click();
    tool.goToPage(3);
    tool.retype("txtserver", "Sunny \"Beach\"");
    tool.retype("txtport", "2500");
    tool.goToPage(7);
    tool.get<QCheckBox>("chkmotd")->click();
    QCOMPARE(tool.nextButton()->text(), scenario == Launch::Listen ? "Finish" : "Launch!");
    tool.next();

    WizardFields atLaunch = wizardDefaults();
    atLaunch.map = WizardMap::optvicedm;
    atLaunch.txtserver = "Sunny \"Beach\"";
    atLaunch.txtport = "2500";
    atLaunch.chkmotd = Qt::Unchecked;
    const QByteArray written = fileBytes(config);
    if (saved) {
        const QByteArray expected = expectedFile(atLaunch, {Qt::Checked, false, true});
        QCOMPARE(QString::fromLatin1(written).split("\r\n"), QString::fromLatin1(expected).split("\r\n"));
        QCOMPARE(written, expected);
        QCOMPARE(written.count("\r\n"), 255);
    } else {
        QVERIFY(!QFileInfo(config).isFile());
    }
    QCOMPARE(tool.dialogs.fileRequests.size(), dialogRequests);
    if (dialogRequests) {
        QCOMPARE(tool.dialogs.fileRequests.first().title, "Please select a copy of KVXServer.exe");
        QCOMPARE(tool.dialogs.fileRequests.first().folder, folder);
        QCOMPARE(tool.dialogs.fileRequests.first().filter, "KVXServer.exe|KVXServer.exe|All Files (*.*)|*.*");
    }
    QCOMPARE(tool.dialogs.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        const QString text = tool.dialogs.texts().first();
        QVERIFY2(text.startsWith(message), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(saved ? server : config)), qPrintable(text));
    }
    if (scenario == Launch::Copied) {
        QCOMPARE(tool.dialogs.texts().first(),
                 message + QDir::toNativeSeparators(server)
                     + ". This to be used with the stored config file and MOTD. We recommend updating your "
                       "shortcuts if you want to keep using this config file.");
        QCOMPARE(fileBytes(server), standIn);
    }

    const bool ends = started || scenario == Launch::Listen;
    QCOMPARE(tool.ended->count(), ends ? 1 : 0);
    QCOMPARE(tool.wizard->isVisible(), !ends);
    if (!ends) {
        QCOMPARE(tool.wizard->currentPage(), 7);
        QCOMPARE(tool.nextButton()->text(), "Launch!");
    }
    if (started)
        QTRY_VERIFY(QFile::exists(marker));
    else
        QVERIFY(!QFile::exists(marker));
}

void TestWizard::adminAlerts_data()
{
    QTest::addColumn<bool>("admin");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("plus");
    QTest::addColumn<QStringList>("messages");

    const QString password = "KVX Alert: The Adminpanel password needs to be filled in";
    const QString port = "KVX Alert: The Adminpanel port needs to be filled in";
    const QString plus = "KVX Alert: The Admin plus password needs to be filled in";
    QTest::newRow("admin, password and port empty") << true << "" << "" << false << QStringList{password, port};
    QTest::newRow("all three missing") << true << "" << "" << true << QStringList{plusNotice, password, port, plus};
    QTest::newRow("admin off, Admin+ empty") << false << "" << "" << true << QStringList{plusNotice, plus};
    QTest::newRow("admin off, fields empty") << false << "" << "" << false << QStringList();
    QTest::newRow("admin complete") << true << "boss" << "4100" << false << QStringList();
}

void TestWizard::adminAlerts()
{
    QFETCH(bool, admin);
    QFETCH(QString, password);
    QFETCH(QString, port);
    QFETCH(bool, plus);
    QFETCH(QStringList, messages);

    Tool tool;
    QVERIFY(writeFile(tool.path("KVXServer.exe"), standIn, true));
    tool.start();
    tool.goToPage(6);
    if (admin)
        tool.click("chkadmin");
    if (plus)
        tool.click("chkadminplus");
    tool.retype("txtadminpwd", password);
    tool.retype("txtadminport", port);
    tool.goToPage(7);
    tool.next();

    QCOMPARE(tool.dialogs.texts(), messages);
    for (const MessageBox::Shown &shown : std::as_const(tool.dialogs.messages))
        QCOMPARE(shown.icon, shown.title == "KVX Alert" ? MessageBox::Icon::Critical : MessageBox::Icon::Information);
    WizardFields atLaunch = wizardDefaults();
    atLaunch.chkadmin = admin ? Qt::Checked : Qt::Unchecked;
    atLaunch.chkadminplus = plus ? Qt::Checked : Qt::Unchecked;
    atLaunch.txtadminpwd = password;
    atLaunch.txtadminport = port;
    const QByteArray written = fileBytes(configFilePath(tool.dir.path()));
    QCOMPARE(written, expectedFile(atLaunch));
    // A failed check keeps the line built at start-up; the launch goes on.
    QCOMPARE(written.contains("\r\nAdminPort 4003\r\n"), port.isEmpty());
    QCOMPARE(tool.ended->count(), 1);
    QTRY_VERIFY(QFile::exists(tool.path("server-started")));
}

QTEST_MAIN(TestWizard)
#include "test_wizard.moc"
