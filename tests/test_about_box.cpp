#include "about/AboutBox.h"

#include "app/Twips.h"
#include "support/DialogRecorder.h"
#include "support/LayoutCheck.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

// Stands in for the desktop's browser.
class Browser : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

// Hands the project's scheme to `receiver` while it lives.
struct UrlHandlerScope {
    const QString scheme = AboutBox::projectUrl().scheme();
    UrlHandlerScope(QObject *receiver, const char *slot) { QDesktopServices::setUrlHandler(scheme, receiver, slot); }
    ~UrlHandlerScope() { QDesktopServices::unsetUrlHandler(scheme); }
};

QString labelText(QWidget *box, const char *name)
{
    auto *label = box->findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

QPushButton *button(QWidget *box, const char *name)
{
    return box->findChild<QPushButton *>(QLatin1String(name));
}

// The fixed texts, as a person reads them.
QStringList texts(QWidget *box)
{
    return {box->windowTitle(), labelText(box, "lbltitle"), labelText(box, "lblVersion"),
            button(box, "Command1")->text(), labelText(box, "lblDisclaimer"), labelText(box, "Label1"),
            button(box, "cmdOK")->text()};
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void fixedTexts();
    void layoutHasRoomForEveryText();
    void webButtonOpensProjectPageAndStays();
    void webButtonReportsMissingBrowser();
    void showAboutBoxIsModalOverOwnerEveryTime();
};

void TestAboutBox::fixedTexts()
{
    AboutBox box;
    QCOMPARE(box.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(box.size(), QSize(twipsToPixels(3120), twipsToPixels(4065)));
    const QStringList shown = texts(&box);
    QCOMPARE(shown.at(0), QStringLiteral("About Server Configuration Tool"));
    QCOMPARE(shown.at(1), QStringLiteral("Server Configuration Tool"));
    QCOMPARE(shown.at(2), QStringLiteral("Version 0.5"));
    QCOMPARE(shown.at(3), AboutBox::projectUrl().toString());
    QCOMPARE(shown.at(6), QStringLiteral("OK"));

    // An address that belongs to nobody, so the button can never send a
    // player to a stranger's site.
    QVERIFY(AboutBox::projectUrl().isValid());
    QVERIFY(AboutBox::projectUrl().host().endsWith(QLatin1String(".example.org")));

    const QString disclaimer = shown.at(4);
    QVERIFY2(disclaimer.contains(QLatin1String("warranty")), qPrintable(disclaimer));
    QVERIFY2(disclaimer.contains(QLatin1String("damage")), qPrintable(disclaimer));
    QVERIFY2(disclaimer.contains(QLatin1String("licence agreement")), qPrintable(disclaimer));
    QVERIFY(!shown.at(5).isEmpty());

    auto *line = box.findChild<QFrame *>(QStringLiteral("Line1"));
    QVERIFY(line);
    QCOMPARE(line->frameShape(), QFrame::HLine);
    QCOMPARE(line->frameShadow(), QFrame::Sunken);

    // Our own artwork, painted in code: a 31 x 31 pixel image that is not blank.
    auto *icon = box.findChild<QLabel *>(QStringLiteral("picIcon"));
    QVERIFY(icon);
    QCOMPARE(icon->geometry(), twipsRect(120, 120, 465, 465));
    const QImage image = icon->pixmap().toImage();
    QCOMPARE(image.size(), QSize(31, 31));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    }
    QVERIFY2(colours.size() > 3, "the icon is blank");
}

void TestAboutBox::layoutHasRoomForEveryText()
{
    AboutBox box;
    box.show();
    QCOMPARE(clippedCaptions(&box).join(QLatin1String("; ")), QString());

    const QList<QWidget *> controls = box.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *control : controls) {
        QVERIFY2(box.rect().contains(control->geometry()), qPrintable(control->objectName()));
        auto *label = qobject_cast<QLabel *>(control);
        if (label && label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->objectName()));
        }
        for (QWidget *other : controls) {
            if (other != control)
                QVERIFY2(!control->geometry().intersects(other->geometry()),
                         qPrintable(control->objectName() + QLatin1String(" overlaps ") + other->objectName()));
        }
    }
    QCOMPARE(controls.size(), 8);
}

void TestAboutBox::webButtonOpensProjectPageAndStays()
{
    Browser browser;
    UrlHandlerScope scope(&browser, "open");
    DialogRecorder dialogs;
    AboutBox box;
    box.show();
    QTest::mouseClick(button(&box, "Command1"), Qt::LeftButton);
    QTest::mouseClick(button(&box, "Command1"), Qt::LeftButton);

    QCOMPARE(browser.opened, (QList<QUrl>{AboutBox::projectUrl(), AboutBox::projectUrl()}));
    QVERIFY(box.isVisible());
    QCOMPARE(dialogs.texts(), QStringList());
}

void TestAboutBox::webButtonReportsMissingBrowser()
{
    // A handler without that slot makes the desktop report failure.
    Browser browser;
    UrlHandlerScope scope(&browser, "missing");
    DialogRecorder dialogs;
    AboutBox box;
    box.show();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No such method")));
    QTest::mouseClick(button(&box, "Command1"), Qt::LeftButton);

    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.at(0).icon, MessageBox::Icon::Exclamation);
    QVERIFY2(dialogs.messages.at(0).text.contains(AboutBox::projectUrl().toString()),
             qPrintable(dialogs.messages.at(0).text));
    QVERIFY(box.isVisible());
}

void TestAboutBox::showAboutBoxIsModalOverOwnerEveryTime()
{
    QWidget owner;
    owner.setGeometry(10, 10, 200, 150);
    owner.show();
    QList<QStringList> seen;
    for (int run = 0; run < 2; ++run) {
        QString modalName;
        QWidget *modalParent = nullptr;
        QPoint centre;
        // Looks at the box while exec() runs and closes it; assertions come
        // after, so a failure cannot leave the box open.
        QTimer::singleShot(0, &owner, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            modalName = modal->objectName();
            modalParent = modal->parentWidget();
            centre = modal->geometry().center();
            seen.append(texts(modal));
            QTest::mouseClick(button(modal, "cmdOK"), Qt::LeftButton);
        });
        showAboutBox(&owner);
        QCOMPARE(modalName, QStringLiteral("frmAbout"));
        QCOMPARE(modalParent, &owner);
        // Centred on the screen, not over the owner in its corner (give or
        // take the window frame, unknown before the box is shown).
        const QPoint screenCentre = owner.screen()->availableGeometry().center();
        QVERIFY2((centre - screenCentre).manhattanLength() <= 8,
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.at(1), seen.at(0));
}

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
