#include "ClassicWindow.h"

#include "ClassicFrame.h"
#include "ClassicRules.h"
#include "ui/SingleLineFields.h"
#include "ui/UpDownSpinner.h"
#include "ui/WrappingCheckBox.h"
#include "about/AboutBox.h"
#include "ui/Banner.h"
#include "ui/Dialogs.h"
#include "ui/EnterPressesButtons.h"
#include "ui/FileGuard.h"
#include "ui/ServerLaunch.h"
#include "ui/StartingReads.h"
#include "ui/ToolFontScope.h"
#include "ui/Twips.h"
#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "config/ConfigReader.h"
#include "files/FolderLock.h"
#include "files/MotdFile.h"
#include "ui/MotdTextBox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

const QString defaultMotd = QStringLiteral(
    "Welcome\n\nI have not yet edited the motd.txt file, but this is my Server!\n\nHave fun.\n");

// The map list in the order the selector shows it (not the file's order).
const QStringList mapListOrder = {
    QStringLiteral("GTA3 - Portland"),       QStringLiteral("GTA3 - Shore Side Vale"),
    QStringLiteral("GTA3 - Staunton Island"), QStringLiteral("Vice City - Deathmatch"),
    QStringLiteral("Vice City - Stunt"),
};
// The inventory's design-time values, kept once in the configuration core.
const ClassicFields &initial()
{
    static const ClassicFields fields = classicDefaults();
    return fields;
}

bool ticked(Qt::CheckState state)
{
    return state == Qt::Checked;
}

template <typename Widget>
Widget *placed(Widget *widget, const char *name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    placeInTwips(widget, left, top, width, height);
    return widget;
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                 int height)
{
    return placed(new ClassicFrame(caption, parent), name, left, top, width, height);
}

QLineEdit *textBox(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                   int height)
{
    return placed(new QLineEdit(text, parent), name, left, top, width, height);
}

template <typename Box = QCheckBox>
QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, bool ticked, int left, int top,
                    int width, int height)
{
    QCheckBox *box = placed(new Box(caption, parent), name, left, top, width, height);
    box->setChecked(ticked);
    // The check box metrics of the desktop the layout was drawn for: a
    // 13-pixel box, 4 pixels before the caption. With the wider defaults
    // several captions would not fit their boxes.
    box->setStyleSheet(QStringLiteral("QCheckBox { spacing: 4px; } QCheckBox::indicator { width: 13px; height: 13px; }"));
    return box;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, int left, int top, int width, int height)
{
    return placed(new QLabel(caption, parent), name, left, top, width, height);
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                    int height)
{
    return placed(new QPushButton(caption, parent), name, left, top, width, height);
}

// One of the two etched separator lines: a dark one with a light one beside it.
QFrame *verticalLine(QWidget *parent, const char *name, int left, QPalette::ColorRole colour)
{
    auto *line = placed(new QFrame(parent), name, left, 240, 15, 1200 - 240);
    line->setAutoFillBackground(true);
    line->setBackgroundRole(colour);
    return line;
}

} // namespace

ClassicWindow::ClassicWindow(ClassicHost *host, const ToolContext &context)
    : m_host(host)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmclassic"));
    setWindowTitle(QStringLiteral("Korvexa 0.5 Server Config Tool"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setupToolWindow(this, 6360, 6960);
    {
        const ToolFontScope toolFont;
        buildForm();
    }
    setTabOrderChain();
    attachClassicRules({m_cmbgamemode, m_txtplayers, m_txtport, m_txtadminport, m_txthour, m_txtminute,
                        m_hourSpinner, m_minuteSpinner});
    keepFieldsSingleLine(this);
    letEnterPressButtons(this);
    nameForScreenReaders();

    connect(m_cancel, &QPushButton::clicked, this, [this] { m_host->endTool(); });
    connect(m_saveAndLaunch, &QPushButton::clicked, this, &ClassicWindow::saveAndLaunch);
    connect(m_about, &QPushButton::clicked, this, [this] { showAboutBox(this); });
    connect(m_toWizard, &QPushButton::clicked, this, &ClassicWindow::backToWizard);
}

void ClassicWindow::buildForm()
{
    new Banner(this);

    m_serverNameFrame = frame(this, "Frame1", QStringLiteral("Server Name"), 120, 960, 4095, 615);
    m_txtserver = textBox(m_serverNameFrame, "txtserver", initial().txtserver, 120, 240, 3855, 285);

    m_playersFrame = frame(this, "Frame2", QStringLiteral("Maximum number of players"), 120, 1680, 2415, 615);
    m_txtplayers = textBox(m_playersFrame, "txtplayers", initial().txtplayers, 720, 240, 975, 285);

    m_portFrame = frame(this, "Frame5", QStringLiteral("Port"), 2640, 1680, 1575, 615);
    m_txtport = textBox(m_portFrame, "txtport", initial().txtport, 120, 240, 1335, 285);

    m_mapFrame = frame(this, "Frame7", QStringLiteral("Map - gamemode"), 120, 2400, 2415, 735);
    m_cmbgamemode = placed(new QComboBox(m_mapFrame), "cmbgamemode", 120, 240, 2175, 315);
    m_cmbgamemode->setEditable(true);
    // The edit part holds exactly what the operator types: no completion, and
    // Enter does not add the typed text to the list.
    m_cmbgamemode->setCompleter(nullptr);
    m_cmbgamemode->setInsertPolicy(QComboBox::NoInsert);
    m_cmbgamemode->setEditText(initial().cmbgamemode);
    // Keep the list's selection on the entry the text names, so the list
    // opens (and the arrow keys step) from the map shown.
    connect(m_cmbgamemode, &QComboBox::editTextChanged, this, [this](const QString &text) {
        const int index = m_cmbgamemode->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0 && index != m_cmbgamemode->currentIndex())
            m_cmbgamemode->setCurrentIndex(index);
    });

    m_aseFrame = frame(this, "Frame4", QStringLiteral("ASE"), 2640, 2400, 1575, 735);
    // The caption wraps onto two lines; two pixels taller than drawn, so both
    // fit whole.
    m_ChkASE = checkBox<WrappingCheckBox>(m_aseFrame, "ChkASE", QStringLiteral("Enable ASE reporting"), ticked(initial().ChkASE), 120, 240,
                                          1335, 405);

    QGroupBox *frame6 = frame(this, "Frame6", QStringLiteral("Admin Panel"), 120, 3240, 4095, 1335);
    m_chkadmin = checkBox(frame6, "chkadmin", QStringLiteral("Enable"), ticked(initial().chkadmin), 120, 240, 800, 255);
    m_chkadminplus = checkBox(frame6, "chkadminplus", QStringLiteral("Enable Admin Plus"), ticked(initial().chkadminplus), 120, 600, 1680, 255);
    label(frame6, "Label4", QStringLiteral("Shutdown:"), 120, 960, 855, 255);
    m_chkshutdown = checkBox(frame6, "chkshutdown", QStringLiteral("Allow"), ticked(initial().chkshutdown), 960, 960, 735, 255);
    verticalLine(frame6, "Line1", 1800, QPalette::Dark);
    verticalLine(frame6, "Line2", 1815, QPalette::Light);
    m_txtadminport = textBox(frame6, "txtadminport", initial().txtadminport, 2760, 240, 1215, 285);
    label(frame6, "Label2", QStringLiteral("Port:"), 1920, 240, 735, 255)->setBuddy(m_txtadminport);
    m_txtadminpwd = textBox(frame6, "txtadminpwd", initial().txtadminpwd, 2760, 600, 1215, 285);
    // Four pixels wider than drawn, for the caption; the text box still lies clear.
    label(frame6, "Label1", QStringLiteral("Password:"), 1920, 600, 795, 255)->setBuddy(m_txtadminpwd);
    m_txtadminpluspwd = textBox(frame6, "txtadminpluspwd", initial().txtadminpluspwd, 2760, 960, 1215, 285);
    label(frame6, "Label6", QStringLiteral("Pass + :"), 1920, 960, 735, 255)->setBuddy(m_txtadminpluspwd);

    QGroupBox *frame11 = frame(this, "Frame11", QStringLiteral("Environment"), 4320, 960, 1935, 1335);
    label(frame11, "Label5", QStringLiteral("Time:"), 120, 240, 1575, 255);
    m_txthour = textBox(frame11, "txthour", initial().txthour, 120, 480, 375, 285);
    m_hourSpinner = placed(new UpDownSpinner(QStringLiteral("UDhour"), frame11), "UDhour", 480, 480, 255, 300);
    m_txtminute = textBox(frame11, "txtminute", initial().txtminute, 960, 480, 375, 285);
    m_minuteSpinner = placed(new UpDownSpinner(QStringLiteral("udminute"), frame11), "udminute", 1320, 480, 255, 300);
    // Three pixels wider than drawn, for the caption.
    m_chkweather = checkBox(frame11, "chkweather", QStringLiteral("Randomize weather"), ticked(initial().chkweather), 120, 960, 1755, 255);

    QGroupBox *frame8 = frame(this, "Frame8", QStringLiteral("Serverpassword"), 4320, 2400, 1935, 735);
    m_txtpwd = textBox(frame8, "txtpwd", initial().txtpwd, 120, 300, 1695, 285);

    QGroupBox *frame10 = frame(this, "Frame10", QStringLiteral("Stat logging"), 4320, 3240, 1935, 615);
    m_statLogging = checkBox(frame10, "Check5", QStringLiteral("Enabled"), ticked(initial().statLogging), 120, 240, 1695, 255);

    QGroupBox *frame9 = frame(this, "Frame9", QStringLiteral("MOTD"), 120, 4680, 6135, 1695);
    m_chkmotd = checkBox(frame9, "chkmotd", QStringLiteral("Ingame MOTD Enabled"), ticked(initial().chkmotd), 120, 240, 2055, 255);
    m_motdText = placed(new QPlainTextEdit(defaultMotd, frame9), "Text8", 120, 480, 5895, 735);
    m_motdText->setTabChangesFocus(true);
    m_txturl = textBox(frame9, "txturl", initial().txturl, 1560, 1300, 4455, 285);
    label(frame9, "Label7", QStringLiteral("Rich MOTD URL:"), 120, 1320, 1335, 255)->setBuddy(m_txturl);

    // The listen-mode notice covers the five frames that listen mode locks.
    m_listenNotice = frame(this, "FrameListen", QString(), 120, 960, 4095, 2295);
    m_listenNotice->setAutoFillBackground(true);
    QLabel *notice = label(m_listenNotice, "Label3",
                           QStringLiteral("To set server name, port and users, use the settings in the KVX Client."),
                           600, 840, 2895, 855);
    notice->setWordWrap(true);
    m_listenNotice->hide();
    m_listenNotice->raise();

    m_about = button(this, "Command3", QStringLiteral("&About..."), 120, 6480, 1200, 375);
    m_cancel = button(this, "Command1", QStringLiteral("&Cancel"), 1560, 6480, 1200, 375);
    m_toWizard = button(this, "Command4", QStringLiteral("&Wizard..."), 3000, 6480, 1215, 375);
    // One pixel wider than drawn, for the caption; it still ends with the MOTD frame.
    m_saveAndLaunch = button(this, "Command2", QStringLiteral("&Save && launch server"), 4560, 6480, 1695, 375);
}

void ClassicWindow::nameForScreenReaders()
{
    // Without names of their own, fields would take their frame's title, so
    // the three admin fields would all be "Admin Panel". Each name is what
    // its frame and its label say together.
    const std::pair<QWidget *, const char *> names[] = {
        {m_txtserver, "Server name"},
        {m_txtplayers, "Maximum number of players"},
        {m_txtport, "Server port"},
        {m_cmbgamemode, "Map - gamemode"},
        {m_chkadmin, "Enable Admin Panel"},
        {m_chkshutdown, "Allow remote shutdown"},
        {m_txtadminport, "Admin Panel port"},
        {m_txtadminpwd, "Admin Panel password"},
        {m_txtadminpluspwd, "Admin Plus password"},
        {m_txthour, "Start hour"},
        {m_txtminute, "Start minute"},
        {m_txtpwd, "Server password"},
        {m_statLogging, "Stat logging enabled"},
        {m_motdText, "Message of the day"},
        {m_txturl, "Rich MOTD URL"},
    };
    for (const auto &[control, name] : names)
        control->setAccessibleName(QLatin1String(name));
    // The map box is editable: its own text field takes the focus too, and
    // a screen reader lists it apart from the box.
    m_cmbgamemode->lineEdit()->setAccessibleName(m_cmbgamemode->accessibleName() + QLatin1String(" text"));
    m_hourSpinner->nameArrowsAfter(m_txthour->accessibleName());
    m_minuteSpinner->nameArrowsAfter(m_txtminute->accessibleName());
}

void ClassicWindow::setTabOrderChain()
{
    const QList<QWidget *> chain = {
        m_txtplayers, m_txtport, m_cmbgamemode, m_txtpwd, m_chkmotd, m_motdText, m_statLogging,
        m_chkadmin, m_chkshutdown, m_txtadminport, m_txtadminpwd, m_saveAndLaunch, m_about, m_cancel,
        m_ChkASE, m_txthour, m_txtminute, m_minuteSpinner, m_hourSpinner, m_chkweather, m_chkadminplus,
        m_txtadminpluspwd, m_toWizard, m_txturl, m_txtserver,
    };
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain.at(i), chain.at(i + 1));
    m_tabOrder = chain;
}

void ClassicWindow::showClassic()
{
    if (!m_loaded) {
        m_loaded = true;
        // In place before loading, so that a message about a file shows over it.
        centreOnScreen();
        load();
        show();
        // Now that the window has its frame, centre the frame itself.
        centreOnScreen();
        focusFirstField();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void ClassicWindow::centreOnScreen()
{
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void ClassicWindow::load()
{
    m_cmbgamemode->clear();
    m_cmbgamemode->addItems(mapListOrder);
    m_cmbgamemode->setEditText(initial().cmbgamemode);

    const QStringList lines =
        readConfigAtStart(this, m_context, QStringLiteral("The settings start from their default values."))
            .value_or(QStringList());
    if (const std::optional<QString> motd = readMotdAtStart(
            this, m_context, QStringLiteral("The message of the day starts from its default text.")))
        setMotdText(*motd);
    setFields(loadclassic(lines));
    m_document = buildclassic(fields());

    if (m_context.listenMode)
        switchOnListenMode();
}

void ClassicWindow::switchOnListenMode()
{
    m_saveAndLaunch->setText(QStringLiteral("Save && return"));
    m_listenNotice->show();
    for (QGroupBox *locked : {m_serverNameFrame, m_playersFrame, m_aseFrame, m_portFrame, m_mapFrame})
        locked->setEnabled(false);
    m_toWizard->hide();
}

void ClassicWindow::focusFirstField()
{
    for (QWidget *widget : std::as_const(m_tabOrder)) {
        if (widget->isEnabled() && widget->isVisibleTo(this)) {
            widget->setFocus(Qt::ActiveWindowFocusReason);
            return;
        }
    }
}

ClassicFields ClassicWindow::fields() const
{
    ClassicFields f;
    f.txtserver = m_txtserver->text();
    f.txtport = m_txtport->text();
    f.txtplayers = m_txtplayers->text();
    f.txthour = m_txthour->text();
    f.txtminute = m_txtminute->text();
    f.chkweather = m_chkweather->checkState();
    f.chkmotd = m_chkmotd->checkState();
    f.txturl = m_txturl->text();
    f.ChkASE = m_ChkASE->checkState();
    f.txtpwd = m_txtpwd->text();
    f.chkadmin = m_chkadmin->checkState();
    f.chkadminplus = m_chkadminplus->checkState();
    f.txtadminport = m_txtadminport->text();
    f.txtadminpwd = m_txtadminpwd->text();
    f.txtadminpluspwd = m_txtadminpluspwd->text();
    f.chkshutdown = m_chkshutdown->checkState();
    f.cmbgamemode = m_cmbgamemode->currentText();
    f.statLogging = m_statLogging->checkState();
    return f;
}

void ClassicWindow::setFields(const ClassicFields &f)
{
    // The map first: its change runs the map rule on the player count shown,
    // which the fields' own count then replaces.
    m_cmbgamemode->setEditText(f.cmbgamemode);
    m_txtserver->setText(f.txtserver);
    m_txtport->setText(f.txtport);
    m_txtplayers->setText(f.txtplayers);
    m_txthour->setText(f.txthour);
    m_txtminute->setText(f.txtminute);
    m_chkweather->setCheckState(f.chkweather);
    m_chkmotd->setCheckState(f.chkmotd);
    m_txturl->setText(f.txturl);
    m_ChkASE->setCheckState(f.ChkASE);
    m_txtpwd->setText(f.txtpwd);
    m_chkadmin->setCheckState(f.chkadmin);
    m_chkadminplus->setCheckState(f.chkadminplus);
    m_txtadminport->setText(f.txtadminport);
    m_txtadminpwd->setText(f.txtadminpwd);
    m_txtadminpluspwd->setText(f.txtadminpluspwd);
    m_chkshutdown->setCheckState(f.chkshutdown);
    m_statLogging->setCheckState(f.statLogging);
}

QString ClassicWindow::motdText() const
{
    return motdTextOf(m_motdText);
}

void ClassicWindow::setMotdText(const QString &crLfText)
{
    showMotdText(m_motdText, crLfText);
}

void ClassicWindow::saveAndLaunch()
{
    showCommitAlerts(this, commitclassic(m_document, fields(), m_host->firstPageChoices()));

    if (!writeFiles())
        return;
    if (launchOrFinish(this, m_context))
        m_host->endTool();
}

bool ClassicWindow::writeFiles()
{
    FolderLock lock(m_context.folder);
    if (!lockForSave(this, lock))
        return false;
    // Both questions come before either write, so a No leaves both files.
    QString configFailure, motdFailure;
    const std::optional<FileSnapshot> config =
        replaceable(this, m_context, configFileName(), QStringLiteral("settings"), &configFailure);
    std::optional<FileSnapshot> motd;
    if (config)
        motd = replaceable(this, m_context, motdFileName(), QStringLiteral("text"), &motdFailure);
    if (!config || !motd) {
        const QString fileName = !config ? configFileName() : motdFileName();
        const QString failure = !config ? configFailure : motdFailure;
        if (!failure.isEmpty())
            MessageBox::show(this, MessageBox::Icon::Critical, MessageTitle::error,
                             QStringLiteral("%1 could not be written: %2").arg(m_context.displayPath(fileName), failure));
        return false;
    }
    const QString configPath = configFilePath(m_context.folder);
    const Result<void> configSaved = saveconfig(configPath, m_document, *config);
    if (!configSaved) {
        MessageBox::show(this, MessageBox::Icon::Critical, MessageTitle::error, configSaved.error());
        return false;
    }
    m_context.files->remember(configPath);
    const QString motdPath = m_context.path(motdFileName());
    const Result<void> motdSaved = savemotd(motdPath, motdText(), *motd);
    if (!motdSaved) {
        MessageBox::show(this, MessageBox::Icon::Critical, MessageTitle::error, motdSaved.error());
        return false;
    }
    m_context.files->remember(motdPath);
    return true;
}

void ClassicWindow::backToWizard()
{
    hide();
    m_host->showFromClassic();
}

void ClassicWindow::closeEvent(QCloseEvent *event)
{
    // The close box ends the tool; when the tool is ending already, the host
    // knows and goes on as it was.
    m_host->endTool();
    QWidget::closeEvent(event);
}
