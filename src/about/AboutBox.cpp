#include "AboutBox.h"

#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>

namespace {

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

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(aboutIcon());
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
    MessageBox::show(this, MessageBox::Icon::Exclamation, QStringLiteral("Server configuration tool"),
                     QStringLiteral("No web browser could be started for %1.\r\n"
                                    "Please open that address in your browser yourself.")
                         .arg(projectUrl().toString()));
}

void showAboutBox(QWidget *owner)
{
    AboutBox box(owner);
    box.exec();
}

QPixmap aboutIcon()
{
    QPixmap icon(31, 31);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);

    // The banner's road sign in small: a dark plate, an orange band and a
    // white spanner-like "K" standing for configuring the server.
    QPainterPath plate;
    plate.addRoundedRect(QRectF(1.5, 1.5, 28, 28), 5, 5);
    QLinearGradient shade(0, 1, 0, 30);
    shade.setColorAt(0, QColor(0x2b, 0x3a, 0x55));
    shade.setColorAt(1, QColor(0x13, 0x1c, 0x2e));
    painter.fillPath(plate, shade);
    painter.save();
    painter.setClipPath(plate);
    painter.fillRect(QRectF(1.5, 22, 28, 4), QColor(0xf0, 0x8a, 0x24));
    painter.restore();

    QPen pen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.drawLine(QPointF(10, 7), QPointF(10, 19));
    painter.drawLine(QPointF(10, 13.5), QPointF(20, 7));
    painter.drawLine(QPointF(12.5, 12), QPointF(20, 19));
    return icon;
}
