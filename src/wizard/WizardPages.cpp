// The wizard's form: the fixed frame around the pages and the seven pages with
// their design-time captions and defaults.

#include "WizardWindow.h"

#include "ui/Banner.h"
#include "rules/InputRules.h"
#include "ui/NoticeLabel.h"
#include "ui/Twips.h"
#include "ui/UpDownSpinner.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The page area: from under the banner's top edge down to the rule above the
// buttons. Pages are laid out by layouts inside it, so wrapped texts take the
// height they need and nothing overlaps.
constexpr int pageTop = 720;
constexpr int pageHeight = 2520;
constexpr int clientWidth = 6735;
constexpr int fieldHeight = 285;

// A command button whose size hint is what its caption needs. The style's own
// hint never goes below 80 pixels for a text button, while the wizard's row
// buttons are 65 pixels wide by design and their captions need less.
class RowButton final : public QPushButton
{
public:
    RowButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent) {}

    QSize sizeHint() const override
    {
        const QSize styled = QPushButton::sizeHint();
        QStyleOptionButton option;
        initStyleOption(&option);
        const int frame = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this)
                          + 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
        const int needed = fontMetrics().size(Qt::TextShowMnemonic, text()).width() + frame;
        return {std::min(styled.width(), needed), styled.height()};
    }
};

// The inventory's design-time values, kept once in the configuration core.
const WizardFields &initial()
{
    static const WizardFields fields = wizardDefaults();
    return fields;
}

bool ticked(Qt::CheckState state)
{
    return state == Qt::Checked;
}

QLabel *wrappedLabel(QWidget *page, const char *name, const QString &text)
{
    auto *label = new QLabel(text, page);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

QLabel *captionLabel(QWidget *page, const char *name, const QString &text)
{
    auto *label = new QLabel(text, page);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLineEdit *textBox(QWidget *page, const char *name, const QString &text, int widthTwips,
                   bool centred = false)
{
    // The text goes in after construction: given to the constructor, it is
    // shaped once more before the field takes its window's font (0.3 million
    // instructions of start-up over the wizard's fields).
    auto *edit = new QLineEdit(page);
    edit->setObjectName(QLatin1String(name));
    edit->setText(text);
    edit->setFixedSize(twipsToPixels(widthTwips), twipsToPixels(fieldHeight));
    if (centred)
        edit->setAlignment(Qt::AlignCenter);
    return edit;
}

QCheckBox *checkBox(QWidget *page, const char *name, const QString &text, bool checked)
{
    auto *box = new QCheckBox(text, page);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

QRadioButton *optionButton(QWidget *page, const char *name, const QString &text, bool selected = false)
{
    auto *button = new QRadioButton(text, page);
    button->setObjectName(QLatin1String(name));
    button->setChecked(selected);
    return button;
}

// An up-down spinner beside its field, stepping it with the day's wrap.
QWidget *spinner(QWidget *page, const char *name, QLineEdit *field, int maximum)
{
    auto *box = new UpDownSpinner(QLatin1String(name), page);
    box->setFixedSize(twipsToPixels(255), twipsToPixels(fieldHeight));
    box->stepField(field, maximum);
    box->nameArrowsAfter(field->accessibleName());
    return box;
}

// What a screen reader says for a field: a short name, and the label that
// asks for it as its buddy; a label that explains more than a name becomes
// the field's description as well.
void nameField(QWidget *field, const QString &name, QLabel *label)
{
    field->setAccessibleName(name);
    label->setBuddy(field);
    if (label->wordWrap())
        field->setAccessibleDescription(label->text());
}

QVBoxLayout *pageLayout(QFrame *page)
{
    auto *layout = new QVBoxLayout(page);
    // The top margin keeps the page's contents clear of the banner above it.
    layout->setContentsMargins(twipsToPixels(240), twipsToPixels(210), twipsToPixels(240), twipsToPixels(60));
    layout->setSpacing(twipsToPixels(75));
    // The page's size is fixed by the window; the layout must not grow it.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    return layout;
}

} // namespace

void WizardWindow::buildFixedParts()
{
    m_banner = new Banner(this);

    const auto button = [this](const char *name, const QString &caption, int left) {
        auto *b = new RowButton(caption, this);
        b->setObjectName(QLatin1String(name));
        placeInTwips(b, left, 3360, 975, 375);
        return b;
    };
    m_cmdabout = button("cmdabout", QStringLiteral("About"), 120);
    m_cmdback = button("cmdback", QStringLiteral("<< &Back"), 3360);
    m_cmdcancel = button("cmdcancel", QStringLiteral("&Exit"), 4560);
    m_cmdnext = button("cmdnext", QStringLiteral("&Next >>"), 5640);
    m_cmdback->setEnabled(false);

    auto *rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    placeInTwips(rule, 0, 3255, clientWidth, 30);

    // Small and grey, yet readable in light and dark themes alike.
    auto *notice = new NoticeLabel(QStringLiteral("Settings are written only on the last page."), this);
    notice->setObjectName(QStringLiteral("lblc"));
    QFont small = notice->font();
    small.setPointSizeF(7.0);
    notice->setFont(small);
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    placeInTwips(notice, 1215, 3360, 2025, 375);
}

QFrame *WizardWindow::newPage(const char *name)
{
    auto *page = new QFrame(this);
    page->setObjectName(QLatin1String(name));
    page->setFrameShape(QFrame::NoFrame);
    placeInTwips(page, 0, pageTop, clientWidth, pageHeight);
    m_pages.append(page);
    return page;
}

void WizardWindow::buildPages()
{
    buildMainPage(newPage("FrameMain"));
    buildGamePage(newPage("FrameGame"));
    buildBasicsPage(newPage("FrameBasics"));
    buildPlayersPage(newPage("FramePlayers"));
    buildEnvironmentPage(newPage("FrameEnvironment"));
    buildAdminPage(newPage("FrameAdmin"));
    buildFinalPage(newPage("FrameFinal"));

    // Only page 1 is laid out now. The others are laid out when first shown
    // (showing a widget activates its layout): measuring their wrapped texts
    // is most of what building the window costs, and the operator may never
    // see them. Their controls exist all the same, for the reader and the rules.
    for (QFrame *page : std::as_const(m_pages))
        page->setVisible(page == m_pages.first());
    m_pages.first()->layout()->activate();
    // The banner overlaps the top of the page area; it stays in front.
    m_banner->raise();

    // Tab reaches the page's fields before the four buttons; hidden pages
    // drop out of the chain by themselves.
    QWidget *previous = previousInFocusChain();
    for (QWidget *button : {m_cmdabout, m_cmdback, m_cmdcancel, m_cmdnext}) {
        setTabOrder(previous, button);
        previous = button;
    }
}

void WizardWindow::buildMainPage(QFrame *page)
{
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(wrappedLabel(
        page, "LblWizard",
        QStringLiteral("Welcome to the KVX server configuration tool. this tool will help you with creating a "
                       "config file for your windows or linux server. Use the wizard mode for a step by step "
                       "configuration or use the classic tool for a quick setup.")));

    auto *modes = new QHBoxLayout;
    m_OptWizard = optionButton(page, "OptWizard", QStringLiteral("Wizard mode"), FirstPageChoices().OptWizard);
    m_OptClassic = optionButton(page, "OptClassic", QStringLiteral("Classic tool"));
    modes->addSpacing(twipsToPixels(240));
    modes->addWidget(m_OptWizard);
    modes->addSpacing(twipsToPixels(480));
    modes->addWidget(m_OptClassic);
    modes->addStretch();
    layout->addLayout(modes);

    layout->addWidget(wrappedLabel(
        page, "Label3",
        QStringLiteral("Please note that the classic tool provides more options then the wizard. To have a look "
                       "at all the options you will need to open the config file in a text editor.")));
    m_chkremember = checkBox(page, "chkremember", QStringLiteral("Do not ask again"), ticked(FirstPageChoices().chkremember));
    layout->addWidget(m_chkremember, 0, Qt::AlignLeft);
    layout->addStretch();
}

void WizardWindow::buildGamePage(QFrame *page)
{
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(
        captionLabel(page, "lblname", QStringLiteral("Please choose the map you wish to run on your server:")));

    // GTA III maps on the left, Vice City maps on the right.
    auto *maps = new QGridLayout;
    maps->setContentsMargins(twipsToPixels(240), 0, 0, 0);
    maps->setHorizontalSpacing(twipsToPixels(480));
    maps->setVerticalSpacing(twipsToPixels(45));
    m_optgta3portland = optionButton(page, "optgta3portland", QStringLiteral("GTA III - Portland"),
                                 initial().map == WizardMap::optgta3portland);
    m_optgta3ssv = optionButton(page, "optgta3ssv", QStringLiteral("GTA III - Shore side Vale"),
                                  initial().map == WizardMap::optgta3ssv);
    m_optgta3staunton = optionButton(page, "optgta3staunton", QStringLiteral("GTA III - Staunton Island"),
                                  initial().map == WizardMap::optgta3staunton);
    m_optvicedm = optionButton(page, "optvicedm", QStringLiteral("Vice City - Deathmatch"),
                               initial().map == WizardMap::optvicedm);
    m_optvicestunt = optionButton(page, "optvicestunt", QStringLiteral("Vice City - Stunt"),
                                  initial().map == WizardMap::optvicestunt);
    maps->addWidget(m_optgta3portland, 0, 0);
    maps->addWidget(m_optgta3ssv, 1, 0);
    maps->addWidget(m_optgta3staunton, 2, 0);
    maps->addWidget(m_optvicedm, 0, 1);
    maps->addWidget(m_optvicestunt, 1, 1);
    maps->setColumnStretch(2, 1);
    layout->addLayout(maps);
    layout->addStretch();
}

void WizardWindow::buildBasicsPage(QFrame *page)
{
    QVBoxLayout *layout = pageLayout(page);
    QLabel *serverPrompt = captionLabel(page, "lblserver", QStringLiteral("Please enter a name for your server:"));
    layout->addWidget(serverPrompt);
    m_txtserver = textBox(page, "txtserver", initial().txtserver, 3855);
    nameField(m_txtserver, QStringLiteral("Server name"), serverPrompt);
    layout->addWidget(m_txtserver);
    QLabel *portPrompt = wrappedLabel(
        page, "lblport",
        QStringLiteral("Please specify a port number to be used for the server. This port needs to be open on "
                       "your firewall. Please note that ASE uses the port + 123 for reporting. Make sure this "
                       "port is open as well."));
    layout->addWidget(portPrompt);

    auto *ports = new QHBoxLayout;
    m_txtport = textBox(page, "txtport", initial().txtport, 1335);
    nameField(m_txtport, QStringLiteral("Server port"), portPrompt);
    ports->addWidget(m_txtport);
    ports->addSpacing(twipsToPixels(360));
    QLabel *aseCaption = captionLabel(page, "lblase", QStringLiteral("ASE port:"));
    ports->addWidget(aseCaption);
    m_txtase = textBox(page, "txtase", QStringLiteral("2126"), 975);
    nameField(m_txtase, QStringLiteral("ASE port"), aseCaption);
    // Only a display: the operator cannot type into it or tab onto it.
    m_txtase->setReadOnly(true);
    m_txtase->setFocusPolicy(Qt::NoFocus);
    QPalette grey = m_txtase->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Window));
    m_txtase->setPalette(grey);
    ports->addWidget(m_txtase);
    ports->addSpacing(twipsToPixels(360));
    m_ChkASE = checkBox(page, "ChkASE", QStringLiteral("Enable ASE reporting"), ticked(initial().ChkASE));
    ports->addWidget(m_ChkASE);
    ports->addStretch();
    layout->addLayout(ports);
    layout->addStretch();
}

void WizardWindow::buildPlayersPage(QFrame *page)
{
    QVBoxLayout *layout = pageLayout(page);
    QLabel *prompt = wrappedLabel(
        page, "lblplayers",
        QStringLiteral("Please specify the max allowed number of players on the servers. Please note that this "
                       "number is heavilly dependend on your upstream speed. A linear increase in players equals "
                       "an exponantial increase in bandwith!"));
    layout->addWidget(prompt);
    m_txtplayers = textBox(page, "txtplayers", initial().txtplayers, 975, true);
    nameField(m_txtplayers, QStringLiteral("Maximum number of players"), prompt);
    layout->addWidget(m_txtplayers, 0, Qt::AlignHCenter);
    layout->addStretch();
}

void WizardWindow::buildEnvironmentPage(QFrame *page)
{
    QVBoxLayout *layout = pageLayout(page);
    QLabel *timePrompt = wrappedLabel(
        page, "lbltime",
        QStringLiteral("The ingame time starts counting from the moment the server starts. Ingame time gets "
                       "synchronised on all clients. Time can also be changed from within the Admin Panel."));
    layout->addWidget(timePrompt);

    auto *time = new QHBoxLayout;
    time->setSpacing(twipsToPixels(30));
    time->addSpacing(twipsToPixels(240));
    m_txthour = textBox(page, "txthour", initial().txthour, 495, true);
    nameField(m_txthour, QStringLiteral("Start hour"), timePrompt);
    time->addWidget(m_txthour);
    time->addWidget(spinner(page, "UDhour", m_txthour, 23));
    auto *colon = captionLabel(page, "lbltime2", QStringLiteral(":"));
    colon->setAlignment(Qt::AlignCenter);
    time->addSpacing(twipsToPixels(45));
    time->addWidget(colon);
    time->addSpacing(twipsToPixels(45));
    m_txtminute = textBox(page, "txtminute", initial().txtminute, 495, true);
    m_txtminute->setAccessibleName(QStringLiteral("Start minute"));
    time->addWidget(m_txtminute);
    time->addWidget(spinner(page, "udminute", m_txtminute, 59));
    time->addStretch();
    layout->addLayout(time);

    layout->addWidget(wrappedLabel(
        page, "lblweather",
        QStringLiteral("Weather is also synchronised through  the server. Please select whether you want it to be "
                       "randomized or not. Weather can be changed by the admin.")));
    m_chkweather = checkBox(page, "chkweather", QStringLiteral("Randomize weather"), ticked(initial().chkweather));
    layout->addWidget(m_chkweather, 0, Qt::AlignLeft);
    layout->addStretch();
}

void WizardWindow::buildAdminPage(QFrame *page)
{
    QVBoxLayout *layout = pageLayout(page);

    auto *password = new QHBoxLayout;
    QLabel *passwordPrompt = wrappedLabel(
        page, "Label1",
        QStringLiteral("If you only want your friends to join, you can set a general password to the server:"));
    password->addWidget(passwordPrompt, 1);
    password->addSpacing(twipsToPixels(120));
    m_txtpwd = textBox(page, "txtpwd", initial().txtpwd, 2055);
    nameField(m_txtpwd, QStringLiteral("Server password"), passwordPrompt);
    password->addWidget(m_txtpwd, 0, Qt::AlignVCenter);
    layout->addLayout(password);

    layout->addWidget(wrappedLabel(
        page, "lbladmin",
        QStringLiteral("The following settings apply to the admin panel. The port used is independent from the "
                       "standard game ports. Only enable remote shutdown if you really can trust your admins.")));

    // Switches on the left, each beside the field that belongs with it.
    auto *admin = new QGridLayout;
    admin->setHorizontalSpacing(twipsToPixels(120));
    admin->setVerticalSpacing(twipsToPixels(45));
    m_chkadmin = checkBox(page, "chkadmin", QStringLiteral("Enable Admin functions"), ticked(initial().chkadmin));
    m_chkshutdown = checkBox(page, "chkshutdown", QStringLiteral("Allow Remote Shutdown"), ticked(initial().chkshutdown));
    m_chkadminplus = checkBox(page, "chkadminplus", QStringLiteral("Enable Admin Plus"), ticked(initial().chkadminplus));
    m_chkadminplus->setToolTip(QStringLiteral("Admin+ allows you to have much more control over your server than "
                                           "normal admin, but uses more bandwidth. Admin+ is required for "
                                           "Tallomar."));
    m_txtadminport = textBox(page, "txtadminport", initial().txtadminport, 1335, true);
    m_txtadminpwd = textBox(page, "txtadminpwd", initial().txtadminpwd, 2055);
    m_txtadminpluspwd = textBox(page, "txtadminpluspwd", initial().txtadminpluspwd, 2055);
    admin->addWidget(m_chkadmin, 0, 0);
    admin->addWidget(m_chkshutdown, 1, 0);
    admin->addWidget(m_chkadminplus, 2, 0);
    QLabel *portCaption = captionLabel(page, "lbladminport", QStringLiteral("port:"));
    QLabel *passwordCaption = captionLabel(page, "lbladminpwd", QStringLiteral("password:"));
    QLabel *plusCaption = captionLabel(page, "lbladminpluspwd", QStringLiteral("admin plus pass:"));
    nameField(m_txtadminport, QStringLiteral("Admin port"), portCaption);
    nameField(m_txtadminpwd, QStringLiteral("Admin password"), passwordCaption);
    nameField(m_txtadminpluspwd, QStringLiteral("Admin Plus password"), plusCaption);
    admin->addWidget(portCaption, 0, 2, Qt::AlignRight);
    admin->addWidget(passwordCaption, 1, 2, Qt::AlignRight);
    admin->addWidget(plusCaption, 2, 2, Qt::AlignRight);
    admin->addWidget(m_txtadminport, 0, 3, Qt::AlignLeft);
    admin->addWidget(m_txtadminpwd, 1, 3);
    admin->addWidget(m_txtadminpluspwd, 2, 3);
    admin->setColumnStretch(1, 1);
    layout->addLayout(admin);
    layout->addStretch();
}

void WizardWindow::buildFinalPage(QFrame *page)
{
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(wrappedLabel(
        page, "lblfinal",
        QStringLiteral("Congratulations,  your basic server configuration file is now complete. Press the launch "
                       "button to start your server. Make sure to read the server readme for additional "
                       "information. Pressing exit here does not save the config file!")));
    layout->addWidget(wrappedLabel(
        page, "lblmotd",
        QStringLiteral("The Message Of The Day (MOTD) is a small text displayed when people enter the server. It "
                       "can contain rules, announcements, gang info or just a funny quote.")));

    auto *motd = new QHBoxLayout;
    m_chkmotd = checkBox(page, "chkmotd", QStringLiteral("Enable MOTD"), ticked(initial().chkmotd));
    motd->addWidget(m_chkmotd);
    motd->addStretch();
    auto *change = new QPushButton(QStringLiteral("Change MOTD ..."), page);
    change->setObjectName(QStringLiteral("cmdchangemotd"));
    change->setFixedSize(twipsToPixels(1575), twipsToPixels(375));
    connect(change, &QPushButton::clicked, this, [this] { m_host->showMotdEditor(); });
    motd->addWidget(change);
    layout->addLayout(motd);
    layout->addStretch();
}
