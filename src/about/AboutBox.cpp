#include "AboutBox.h"

#include "ui/Dialogs.h"
#include "ui/ToolIcon.h"
#include "ui/Twips.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {

// `picIcon`: the tool's 31 x 31 pixel icon, painted at the screen's scale
// at every repaint, so it stays sharp on any screen the box is moved to.
class IconPicture final : public QWidget
{
public:
    explicit IconPicture(QWidget *parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, toolIconPixmap(31, devicePixelRatioF()));
    }
};

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, bool wrap)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Server Configuration Tool"));
    setupToolWindow(this, 3120, 4065);

    auto *icon = new IconPicture(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    placeInTwips(icon, 120, 120, 465, 465);

    QLabel *title = addLabel(this, "lbltitle", QStringLiteral("Server Configuration Tool"), false);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    placeInTwips(title, 720, 120, 2280, 255);

    QLabel *version = addLabel(this, "lblVersion", QStringLiteral("Version 0.5"), false);
    placeInTwips(version, 720, 390, 2280, 255);

    auto *web = new QPushButton(projectUrl().toString(), this);
    web->setObjectName(QStringLiteral("Command1"));
    placeInTwips(web, 120, 780, 2880, 375);
    connect(web, &QPushButton::clicked, this, &AboutBox::openProjectPage);

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    placeInTwips(line, 120, 1290, 2880, 30);

    QLabel *disclaimer = addLabel(
        this, "lblDisclaimer",
        QStringLiteral("This program is provided \"as is\", without warranty of any kind. In no event "
                       "shall its authors be liable for any damage arising from its use, including "
                       "lost or damaged files or game servers. See the licence agreement for the "
                       "terms under which you may use it."),
        true);
    placeInTwips(disclaimer, 120, 1440, 2880, 1455);

    QLabel *notice = addLabel(this, "Label1",
                              QStringLiteral("For KVX 0.5 dedicated servers."), true);
    placeInTwips(notice, 120, 3000, 2880, 435);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    placeInTwips(ok, 930, 3570, 1260, 375);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // Centred on the screen, not over the owner.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

QUrl AboutBox::projectUrl()
{
    return QUrl(QStringLiteral("https://kvx-tools.example.org/"));
}

void AboutBox::openProjectPage()
{
    if (QDesktopServices::openUrl(projectUrl()))
        return;
    MessageBox::show(this, MessageBox::Icon::Exclamation, MessageTitle::tool,
                     QStringLiteral("No web browser could be started for %1.\r\n"
                                    "Please open that address in your browser yourself.")
                         .arg(projectUrl().toString()));
}

void showAboutBox(QWidget *owner)
{
    AboutBox box(owner);
    box.exec();
}
