#include "WizardWindow.h"

#include "ui/Banner.h"
#include "ui/Dialogs.h"
#include "ui/EnterPressesButtons.h"
#include "ui/FileGuard.h"
#include "rules/InputRules.h"
#include "ui/KeyFilter.h"
#include "ui/ServerLaunch.h"
#include "ui/SingleLineFields.h"
#include "ui/StartingReads.h"
#include "ui/ToolFontScope.h"
#include "ui/Twips.h"
#include "about/AboutBox.h"
#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "config/ConfigReader.h"
#include "motd/MotdWindow.h"
#include "files/FolderLock.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <array>

namespace {

const QString nextCaption = QStringLiteral("&Next >>");
const QString launchCaption = QStringLiteral("Launch!");
const QString finishCaption = QStringLiteral("Finish");

} // namespace

WizardWindow::WizardWindow(WizardHost *host, const ToolContext &context, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QStringLiteral("KVX 0.5 Server Config"));
    setupToolWindow(this, 6735, 3840);

    {
        const ToolFontScope toolFont;
        buildFixedParts();
        buildPages();
    }
    installInputRules();
    keepFieldsSingleLine(this);
    letEnterPressButtons(this);
    focusPageInput();

    connect(m_cmdabout, &QPushButton::clicked, this, [this] { showAboutBox(this); });
    connect(m_cmdcancel, &QPushButton::clicked, this, [this] { m_host->endTool(); });
    connect(m_cmdnext, &QPushButton::clicked, this, &WizardWindow::nextClicked);
    connect(m_cmdback, &QPushButton::clicked, this, &WizardWindow::backClicked);
}

void WizardWindow::installInputRules()
{
    const auto digitsOnly = [](QLineEdit *, QChar key) { return digitsOnlyKey(key); };
    KeyFilter::installWithMessages(m_txtport, digitsOnly);
    KeyFilter::installWithMessages(m_txtadminport, digitsOnly);
    // The limit follows the map chosen at the moment of the key press.
    KeyFilter::installWithMessages(m_txtplayers, [this](QLineEdit *field, QChar key) {
        const GameFamily family = viceCityChosen() ? GameFamily::ViceCity : GameFamily::Gta3;
        return playerCountKey(family, field->text(), field->hasSelectedText(), key);
    });

    // Whatever changes the port, typing or the reader, the ASE port follows.
    connect(m_txtport, &QLineEdit::textChanged, this, [this](const QString &port) { m_txtase->setText(asePortText(port)); });
    m_txtase->setText(asePortText(m_txtport->text()));
}

void WizardWindow::load()
{
    // The window was built on page 1, Back disabled. It takes its place
    // before reading, so that a message about the file shows over it.
    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    readConfigFile();

    // Whatever the file held is dropped: the document is always our template
    // with the fields' values.
    m_document = buildwizard(fieldsReferringToMotdEditor());
}

void WizardWindow::readConfigFile()
{
    const std::optional<QStringList> lines =
        readConfigAtStart(this, m_context, QStringLiteral("The tool starts with its default settings."));
    if (!lines)
        return;
    const WizardLoad load = loadwizard(*lines);
    setFields(load.fields);
    m_chkremember->setCheckState(load.firstPage.chkremember);
    (load.firstPage.OptClassic ? m_OptClassic : m_OptWizard)->setChecked(true);
    if (m_chkremember->checkState() == Qt::Checked)
        m_cmdnext->click();
}

FirstPageChoices WizardWindow::firstPageChoices() const
{
    FirstPageChoices choices;
    choices.chkremember = m_chkremember->checkState();
    choices.OptClassic = m_OptClassic->isChecked();
    choices.OptWizard = m_OptWizard->isChecked();
    return choices;
}

WizardFields WizardWindow::fields() const
{
    WizardFields f;
    f.txtserver = m_txtserver->text();
    f.txtport = m_txtport->text();
    f.txtplayers = m_txtplayers->text();
    f.txthour = m_txthour->text();
    f.txtminute = m_txtminute->text();
    f.chkweather = m_chkweather->checkState();
    f.chkmotd = m_chkmotd->checkState();
    f.txturl = m_host->motdUrl();
    f.ChkASE = m_ChkASE->checkState();
    f.txtpwd = m_txtpwd->text();
    f.chkadmin = m_chkadmin->checkState();
    f.chkadminplus = m_chkadminplus->checkState();
    f.txtadminport = m_txtadminport->text();
    f.txtadminpwd = m_txtadminpwd->text();
    f.txtadminpluspwd = m_txtadminpluspwd->text();
    f.chkshutdown = m_chkshutdown->checkState();
    if (m_optvicedm->isChecked())
        f.map = WizardMap::optvicedm;
    else if (m_optvicestunt->isChecked())
        f.map = WizardMap::optvicestunt;
    else if (m_optgta3ssv->isChecked())
        f.map = WizardMap::optgta3ssv;
    else if (m_optgta3staunton->isChecked())
        f.map = WizardMap::optgta3staunton;
    else
        f.map = WizardMap::optgta3portland;
    return f;
}

void WizardWindow::setFields(const WizardFields &f)
{
    m_txtserver->setText(f.txtserver);
    m_txtport->setText(f.txtport);
    m_txtplayers->setText(f.txtplayers);
    m_txthour->setText(f.txthour);
    m_txtminute->setText(f.txtminute);
    m_chkweather->setCheckState(f.chkweather);
    m_chkmotd->setCheckState(f.chkmotd);
    motdWindow()->setUrl(f.txturl);
    m_ChkASE->setCheckState(f.ChkASE);
    m_txtpwd->setText(f.txtpwd);
    m_chkadmin->setCheckState(f.chkadmin);
    m_chkadminplus->setCheckState(f.chkadminplus);
    m_txtadminport->setText(f.txtadminport);
    m_txtadminpwd->setText(f.txtadminpwd);
    m_txtadminpluspwd->setText(f.txtadminpluspwd);
    m_chkshutdown->setCheckState(f.chkshutdown);
    const std::array<QRadioButton *, 5> maps = {m_optvicedm, m_optvicestunt, m_optgta3portland, m_optgta3ssv,
                                                m_optgta3staunton};
    maps.at(int(f.map) - 1)->setChecked(true);
}

WizardFields WizardWindow::fieldsReferringToMotdEditor()
{
    motdWindow();
    return fields();
}

void WizardWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_host->endTool();
}

bool WizardWindow::viceCityChosen() const
{
    return m_optvicedm->isChecked() || m_optvicestunt->isChecked();
}

void WizardWindow::showPage(int page, const QString &section)
{
    const int left = m_page;
    m_pages.at(page - 1)->show();
    m_page = page;
    // Before the page left hides: hiding the control with the focus hands
    // the focus on as Tab does, and a text box reached so selects its text.
    focusPageInput();
    m_pages.at(left - 1)->hide();
    m_banner->section()->setText(section);
}

void WizardWindow::focusPageInput()
{
    // The page's first control in the tab order, so that what the operator
    // types next lands on the page, not on the button just pressed.
    QFrame *page = m_pages.at(m_page - 1);
    QWidget *first = nullptr;
    for (QWidget *w = page->nextInFocusChain(); w != page && !first; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && !w->focusProxy() && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled()
            && w->isVisibleTo(page))
            first = w;
    }
    if (!first)
        return;
    // Of a group of option buttons, the chosen one: Space on another would
    // change the choice.
    if (auto *option = qobject_cast<QRadioButton *>(first)) {
        for (QRadioButton *sibling : option->parentWidget()->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly))
            if (sibling->isChecked())
                first = sibling;
    }
    first->setFocus(Qt::OtherFocusReason);
}

void WizardWindow::correctViceCityPlayers()
{
    if (viceCityChosen())
        m_txtplayers->setText(viceCityPlayers(m_txtplayers->text()));
}

void WizardWindow::nextClicked()
{
    // Page 7's Next, captioned "Launch!" or "Finish", launches.
    if (m_page == 7) {
        launch();
        return;
    }
    // A page's title depends on the way it was reached: pages 2, 4 and 5
    // show one title forward and another back (backClicked), and page 1 back
    // differs from its start-up title in one letter's case. Operators know
    // the pages by these texts, the misspelt "settigns" included.
    switch (m_page) {
    case 6:
        showPage(7, QStringLiteral("Ready, Set, GO!"));
        m_cmdnext->setText(m_context.listenMode ? finishCaption : launchCaption);
        if (m_chkadminplus->checkState() == Qt::Checked)
            MessageBox::show(this, MessageBox::Icon::Information, MessageTitle::tool,
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
        if (m_OptClassic->isChecked())
            m_host->openClassic();
        m_cmdback->setEnabled(true);
        showPage(2, QStringLiteral("Game selection"));
        break;
    default:
        break;
    }
}

void WizardWindow::backClicked()
{
    // Titles as a step back shows them; see nextClicked for those forward.
    switch (m_page) {
    case 2:
        m_cmdback->setEnabled(false);
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
        m_cmdnext->setText(nextCaption);
        break;
    default:
        break;
    }
}

void WizardWindow::launch()
{
    // Incomplete admin settings are reported but do not stop the launch.
    showCommitAlerts(this, commitwizard(m_document, fieldsReferringToMotdEditor(), firstPageChoices()));

    const QString path = configFilePath(m_context.folder);
    FolderLock lock(m_context.folder);
    if (!lockForSave(this, lock))
        return;
    QString failure;
    const std::optional<FileSnapshot> replaced =
        replaceable(this, m_context, configFileName(), QStringLiteral("settings"), &failure);
    // Starting the server would run it on an old or missing file.
    if (!replaced) {
        if (!failure.isEmpty())
            MessageBox::show(this, MessageBox::Icon::Critical, MessageTitle::error,
                             QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), failure));
        return;
    }
    const Result<void> saved = saveconfig(path, m_document, *replaced);
    if (!saved) {
        MessageBox::show(this, MessageBox::Icon::Critical, MessageTitle::error, saved.error());
        return;
    }
    m_context.files->remember(path);
    lock.release();
    if (launchOrFinish(this, m_context))
        m_host->endTool();
}
