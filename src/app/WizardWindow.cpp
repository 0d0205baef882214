#include "WizardWindow.h"

#include "Banner.h"
#include "Dialogs.h"
#include "FieldBinding.h"
#include "InputRules.h"
#include "KeyFilter.h"
#include "ServerLauncher.h"
#include "SingleLineFields.h"
#include "Twips.h"
#include "about/AboutBox.h"
#include "classic/ClassicWindow.h"
#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "config/ConfigReader.h"
#include "motd/MotdWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

const QString nextCaption = QStringLiteral("&Next >>");
const QString launchCaption = QStringLiteral("Launch!");
const QString finishCaption = QStringLiteral("Finish");
const QString errorTitle = QStringLiteral("Server config Error");

} // namespace

WizardWindow::WizardWindow(const ToolContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_motdUrl(defaultMotdUrl())
{
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QStringLiteral("KVX 0.5 Server Config"));
    setupToolWindow(this, 6735, 3840);

    buildFixedParts();
    buildPages();
    installInputRules();
    keepFieldsSingleLine(this);

    connect(m_about, &QPushButton::clicked, this, [this] { showAboutBox(this); });
    connect(m_exit, &QPushButton::clicked, this, &WizardWindow::endTool);
    connect(m_next, &QPushButton::clicked, this, &WizardWindow::nextClicked);
    connect(m_back, &QPushButton::clicked, this, &WizardWindow::backClicked);
}

WizardWindow::~WizardWindow()
{
    // The other windows are top-level windows of their own, not children.
    delete m_classic.data();
    delete m_motd.data();
}

void WizardWindow::installInputRules()
{
    const auto digitsOnly = [](QLineEdit *, QChar key) { return digitsOnlyKey(key); };
    KeyFilter::installWithMessages(m_port, digitsOnly);
    KeyFilter::installWithMessages(m_adminPort, digitsOnly);
    // The limit follows the map chosen at the moment of the key press.
    KeyFilter::installWithMessages(m_players, [this](QLineEdit *field, QChar key) {
        const GameFamily family = viceCityChosen() ? GameFamily::ViceCity : GameFamily::Gta3;
        return playerCountKey(family, field->text(), field->hasSelectedText(), key);
    });

    // Whatever changes the port, typing or the reader, the ASE port follows.
    connect(m_port, &QLineEdit::textChanged, this, [this](const QString &port) { m_ase->setText(asePortText(port)); });
    m_ase->setText(asePortText(m_port->text()));
}

void WizardWindow::start()
{
    // The window was built on page 1, Back disabled.
    readConfigFile();

    // Whatever the file held is dropped: the document is always our template
    // with the fields' values.
    m_document = buildwizard(fields());

    if (m_context.listenMode())
        openClassic();

    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    // Never leave the operator without a window.
    if (!m_classic || !m_classic->isVisible())
        show();
}

void WizardWindow::readConfigFile()
{
    const QString path = configFilePath(m_context.folder);
    if (!QFileInfo::exists(path))
        return;
    const TextReadResult read = loadconfig(path);
    if (!read.ok) {
        // A file we cannot read is reported once; the defaults stand, and the
        // next save replaces it if the platform lets us.
        MessageBox::show(this, MessageBox::Icon::Exclamation, errorTitle,
                         QStringLiteral("%1 could not be read: %2\r\nThe tool starts with its default settings.")
                             .arg(QDir::toNativeSeparators(path), read.error));
        return;
    }
    for (const FieldAssignment &assignment : loadwizard(read.lines)) {
        if (assignment.field == QLatin1String("txturl"))
            motdWindow()->setUrl(assignment.value);
        else
            applyAssignment(this, assignment);
    }
    if (m_remember->checkState() == Qt::Checked)
        m_next->click();
}

FirstPageChoices WizardWindow::firstPageChoices() const
{
    FirstPageChoices choices;
    choices.chkremember = m_remember->checkState();
    choices.OptClassic = m_optClassic->isChecked();
    choices.OptWizard = m_optWizard->isChecked();
    return choices;
}

WizardFields WizardWindow::fields()
{
    WizardFields f;
    f.txtserver = m_server->text();
    f.txtport = m_port->text();
    f.txtplayers = m_players->text();
    f.txthour = m_hour->text();
    f.txtminute = m_minute->text();
    f.chkweather = m_weather->checkState();
    f.chkmotd = m_motdEnabled->checkState();
    f.txturl = motdWindow()->url();
    f.ChkASE = m_aseReporting->checkState();
    f.txtpwd = m_password->text();
    f.chkadmin = m_admin->checkState();
    f.chkadminplus = m_adminPlus->checkState();
    f.txtadminport = m_adminPort->text();
    f.txtadminpwd = m_adminPassword->text();
    f.txtadminpluspwd = m_adminPlusPassword->text();
    f.chkshutdown = m_shutdown->checkState();
    if (m_optViceDm->isChecked())
        f.map = WizardMap::optvicedm;
    else if (m_optViceStunt->isChecked())
        f.map = WizardMap::optvicestunt;
    else if (m_optShoreSide->isChecked())
        f.map = WizardMap::optgta3ssv;
    else if (m_optStaunton->isChecked())
        f.map = WizardMap::optgta3staunton;
    else
        f.map = WizardMap::optgta3portland;
    return f;
}

ClassicWindow *WizardWindow::classicWindow() const
{
    return m_classic;
}

MotdWindow *WizardWindow::motdWindow()
{
    if (!m_motd) {
        auto *motd = new MotdWindow(m_context, m_motdUrl);
        motd->setAttribute(Qt::WA_DeleteOnClose);
        // The editor goes away when closed; its address stays with us for the
        // next one.
        connect(motd, &MotdWindow::closedWithUrl, this, [this, motd](const QString &url) {
            m_motdUrl = url;
            if (m_motd == motd)
                m_motd = nullptr;
        });
        m_motd = motd;
    }
    return m_motd;
}

void WizardWindow::showMotdEditor()
{
    MotdWindow *motd = motdWindow();
    motd->show();
    motd->raise();
    motd->activateWindow();
}

void WizardWindow::showFromClassic()
{
    show();
    raise();
    activateWindow();
}

void WizardWindow::endTool()
{
    if (m_ending)
        return; // closing the other windows may come back here
    m_ending = true;
    if (m_classic)
        m_classic->close();
    if (m_motd)
        m_motd->close();
    close();
    emit toolEnded();
}

void WizardWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    endTool();
}

bool WizardWindow::viceCityChosen() const
{
    return m_optViceDm->isChecked() || m_optViceStunt->isChecked();
}

void WizardWindow::showPage(int page, const QString &section)
{
    m_pages.at(page - 1)->show();
    m_pages.at(m_page - 1)->hide();
    m_page = page;
    m_banner->section()->setText(section);
}

void WizardWindow::openClassic()
{
    if (!m_classic)
        m_classic = new ClassicWindow(this, m_context);
    hide();
    m_classic->showClassic();
}

void WizardWindow::correctViceCityPlayers()
{
    // Vice City holds at most 26 players.
    if (viceCityChosen() && leadingValue(m_players->text()) > 26)
        m_players->setText(QStringLiteral("26"));
}

void WizardWindow::nextClicked()
{
    const QString caption = m_next->text();
    if (caption == launchCaption || caption == finishCaption) {
        launch();
        return;
    }
    switch (m_page) {
    case 6:
        showPage(7, QStringLiteral("Ready, Set, GO!"));
        m_next->setText(m_context.listenMode() ? finishCaption : launchCaption);
        if (m_adminPlus->checkState() == Qt::Checked)
            MessageBox::show(this, MessageBox::Icon::Information, QStringLiteral("Server configuration tool"),
                             QStringLiteral("Warning,\r\n\r\nThe admin Plus system uses the same bandwith as an "
                                            "extra user!"));
        break;
    case 5:
        showPage(6, QStringLiteral("Admin settings"));
        break;
    case 4:
        showPage(5, QStringLiteral("Environmental settings"));
        break;
    case 3:
        showPage(4, QStringLiteral("More basic settings"));
        break;
    case 2:
        showPage(3, QStringLiteral("Basic server settings"));
        correctViceCityPlayers();
        break;
    case 1:
        // The wizard moves on to page 2 behind the classic editor, so that it
        // is there when the operator comes back.
        if (m_optClassic->isChecked())
            openClassic();
        m_back->setEnabled(true);
        showPage(2, QStringLiteral("Game selection"));
        break;
    default:
        break;
    }
}

void WizardWindow::backClicked()
{
    switch (m_page) {
    case 2:
        m_back->setEnabled(false);
        showPage(1, QStringLiteral("Server configuration Tool"));
        break;
    case 3:
        showPage(2, QStringLiteral("Game Selection"));
        break;
    case 4:
        showPage(3, QStringLiteral("Basic server settings"));
        break;
    case 5:
        showPage(4, QStringLiteral("Player settings"));
        break;
    case 6:
        showPage(5, QStringLiteral("Environmental settigns"));
        break;
    case 7:
        showPage(6, QStringLiteral("Admin settings"));
        m_next->setText(nextCaption);
        break;
    default:
        break;
    }
}

void WizardWindow::launch()
{
    // Incomplete admin settings are reported but do not stop the launch.
    showCommitAlerts(this, commitwizard(m_document, fields(), firstPageChoices()));

    const SaveResult saved = saveconfig(configFilePath(m_context.folder), m_document);
    if (!saved.ok) {
        // Starting the server would run it on an old or missing file.
        MessageBox::show(this, MessageBox::Icon::Critical, errorTitle, saved.error);
        return;
    }
    if (launchOrFinish(this, m_context))
        endTool();
}
