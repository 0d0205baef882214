// The windows as operators on other machines and with other habits meet
// them: the bundled fonts and captions that fit (CTest runs these again with
// only DejaVu installed), names for screen readers, readable colours in light
// and dark themes, the tool's icon, sharp pictures on a scaled screen (run
// again at 200 %), and the open-file dialog's filter names.

#include "about/AboutBox.h"
#include "classic/ClassicWindow.h"
#include "motd/MotdWindow.h"
#include "support/DialogRecorder.h"
#include "support/LayoutCheck.h"
#include "support/ToolFolder.h"
#include "ui/Banner.h"
#include "ui/Dialogs.h"
#include "ui/StandbyWindow.h"
#include "ui/ToolIcon.h"
#include "ui/Twips.h"
#include "wizard/WizardWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// One window of the tool, built over a fresh folder and shown; `turn` steps
// it through its states (the wizard's pages) and returns false after the last.
struct Window {
    ToolFolder folder;
    DialogRecorder dialogs;
    std::unique_ptr<WizardWindow> wizard;
    std::unique_ptr<QWidget> other;
    QWidget *shown = nullptr;

    explicit Window(const QString &kind)
    {
        const bool listen = kind == "classic -listen";
        wizard = std::make_unique<WizardWindow>(ToolContext{folder.path(), listen ? QStringList{"-listen"} : QStringList()});
        wizard->start();
        if (kind == "wizard") {
            shown = wizard.get();
        } else if (kind.startsWith("classic")) {
            if (!listen) { // the first page's choice
                wizard->findChild<QRadioButton *>("OptClassic")->setChecked(true);
                wizard->findChild<QPushButton *>("cmdnext")->click();
            }
            shown = wizard->classicWindow();
        } else if (kind == "MOTD editor") {
            shown = wizard->motdWindow();
        } else if (kind == "About box") {
            other = std::make_unique<AboutBox>();
        } else if (kind == "standby") {
            other = std::make_unique<StandbyWindow>();
        }
        if (other)
            shown = other.get();
        shown->show();
    }
    // Steps the wizard to its next page; false on the last page and elsewhere.
    bool turn() const
    {
        if (shown != wizard.get() || wizard->currentPage() == 7)
            return false;
        wizard->findChild<QPushButton *>("cmdnext")->click();
        return true;
    }
};

const QStringList everyWindow = {"wizard", "classic", "classic -listen", "MOTD editor", "About box", "standby"};

void addWindowRows()
{
    QTest::addColumn<QString>("kind");
    for (const QString &kind : everyWindow)
        QTest::newRow(qPrintable(kind)) << kind;
}

// The contrast ratio of two opaque colours, as the WCAG 2 defines it.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto lin = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    QPalette dark(QColor(0x35, 0x35, 0x35));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    return dark;
}

} // namespace

class TestWindowKit : public QObject
{
    Q_OBJECT

private slots:
    // The faces come from the tool itself: with only DejaVu installed nothing
    // else could give Liberation Sans, regular and bold.
    void bundledFonts()
    {
        const QRawFont text = QRawFont::fromFont(toolFont());
        const QRawFont title = QRawFont::fromFont(titleFont());
        QCOMPARE(text.familyName() + " " + text.styleName(), "Liberation Sans Regular");
        QCOMPARE(title.familyName() + " " + title.styleName(), "Liberation Sans Bold");
    }

    void captionsFit_data() { addWindowRows(); }
    void captionsFit()
    {
        QFETCH(QString, kind);
        Window window(kind);
        do
            QCOMPARE(clippedCaptions(window.shown), QStringList());
        while (window.turn());
    }

    // What a screen reader says for every control that takes the focus (the
    // wizard's hidden pages included) and for every button, the spinners'
    // arrows among them: a name, and no two alike in one window.
    void namesForScreenReaders_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("controls"); // counted in the window's inventory
        QTest::newRow("wizard") << "wizard" << 32;
        QTest::newRow("classic") << "classic" << 27;
        QTest::newRow("classic -listen") << "classic -listen" << 27;
        QTest::newRow("MOTD editor") << "MOTD editor" << 3;
        QTest::newRow("About box") << "About box" << 2;
    }
    void namesForScreenReaders()
    {
        QFETCH(QString, kind);
        QFETCH(int, controls);
        Window window(kind);
        QStringList unnamed;
        QMap<QString, QStringList> named; // name -> controls
        for (QWidget *control : window.shown->findChildren<QWidget *>()) {
            const bool focusable = (control->focusPolicy() & Qt::TabFocus) && !control->focusProxy();
            if (control->window() != window.shown || !(focusable || qobject_cast<QAbstractButton *>(control)))
                continue;
            QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(control);
            const QString name = reader ? reader->text(QAccessible::Name) : QString();
            if (name.trimmed().isEmpty())
                unnamed << control->objectName();
            else
                named[name] << control->objectName();
        }
        QCOMPARE(unnamed, QStringList());
        QStringList repeated;
        for (auto it = named.cbegin(); it != named.cend(); ++it)
            if (it.value().size() > 1)
                repeated << it.key() + ": " + it.value().join(", ");
        QCOMPARE(repeated, QStringList());
        QCOMPARE(named.size(), controls);
    }

    // The grey notice reads at 4.5:1 or more, and the banner's text stays
    // dark on its white ground, in a light and in a dark theme, also when
    // the theme changes while the window is open.
    void readableInEveryTheme_data()
    {
        QTest::addColumn<QPalette>("built");
        QTest::addColumn<QPalette>("shown");
        const QPalette light = QApplication::style()->standardPalette();
        QTest::newRow("light") << light << light;
        QTest::newRow("dark") << darkPalette() << darkPalette();
        QTest::newRow("light, then dark") << light << darkPalette();
        QTest::newRow("dark, then light") << darkPalette() << light;
    }
    void readableInEveryTheme()
    {
        QFETCH(QPalette, built);
        QFETCH(QPalette, shown);
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(built);
        Window window("wizard");
        QApplication::setPalette(shown);
        QCoreApplication::processEvents();
        const auto *notice = window.shown->findChild<QLabel *>("lblc");
        const QPalette colours = notice->palette();
        QCOMPARE(colours.color(QPalette::Window), shown.color(QPalette::Window));
        const double noticeContrast = contrast(colours.color(QPalette::WindowText), colours.color(QPalette::Window));
        QApplication::setPalette(saved);
        QVERIFY2(noticeContrast >= 4.5, qPrintable(QString::number(noticeContrast)));
        // Still a quiet notice, not the window's own text colour.
        QVERIFY(colours.color(QPalette::WindowText) != shown.color(QPalette::WindowText));
        for (const char *name : {"lbltitle", "lblsection"}) {
            const QColor text = window.shown->findChild<QLabel *>(name)->palette().color(QPalette::WindowText);
            QVERIFY2(contrast(text, Qt::white) >= 4.5, name);
        }
    }

    // Every window carries the tool's icon, painted at each size asked for.
    void toolIcon_data() { addWindowRows(); }
    void toolIcon()
    {
        QFETCH(QString, kind);
        Window window(kind);
        const QIcon icon = window.shown->windowIcon();
        QVERIFY(!icon.isNull());
        for (int size : {16, 32, 48, 256}) {
            const QImage image = icon.pixmap(size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255); // the plate
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);                 // its rounded corner
        }
    }

    // On a 200 % screen the banner's logo and the About box's icon show the
    // pictures their painters paint at 2x, not 1x pictures stretched.
    void sharpAtScreenScale()
    {
        Window wizard("wizard");
        if (wizard.shown->devicePixelRatioF() != 2)
            QSKIP("needs a 200 % screen: CTest runs this again with QT_SCALE_FACTOR=2");
        const auto pixels = [](QImage image) {
            image.setDevicePixelRatio(1);
            return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        const QRect logo(0, 0, 136, 57); // left of the title
        QCOMPARE(pixels(wizard.shown->findChild<QWidget *>("Picture1")->grab(logo).toImage()),
                 pixels(bannerLogo(2).toImage().copy(0, 0, 272, 114)));

        Window about("About box");
        QWidget *picture = about.shown->findChild<QWidget *>("picIcon");
        QImage icon(62, 62, QImage::Format_ARGB32_Premultiplied);
        icon.fill(picture->palette().color(QPalette::Window));
        QPainter(&icon).drawImage(0, 0, pixels(toolIconPixmap(31, 2).toImage()));
        QCOMPARE(pixels(picture->grab().toImage()), icon);
    }

    // Qt's own dialog (the one every platform without a native dialog
    // shows) lists the filter pairs' names alone.
    void fileDialogListsFilterNames()
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        ToolFolder folder;
        QStringList listed;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            const auto *types = dialog->findChild<QComboBox *>("fileTypeCombo");
            for (int i = 0; types && i < types->count(); ++i)
                listed << types->itemText(i);
            dialog->reject();
        });
        poll.start(20);
        const QString chosen = FileDialog::getOpenFileName(
            nullptr, {"Please select a copy of KVXServer.exe", folder.path(),
                      "KVXServer.exe|KVXServer.exe|All Files (*.*)|*.*"});
        QCOMPARE(chosen, QString());
        QCOMPARE(listed, QStringList({"KVXServer.exe", "All Files (*.*)"}));
    }
};

QTEST_MAIN(TestWindowKit)
#include "test_window_kit.moc"
