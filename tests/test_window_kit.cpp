// The windows as operators on other machines and with other habits meet
// them: captions that fit (CTest runs this again with only DejaVu
// installed), names for screen readers, the tool's icon, readable colours in
// light and dark themes, sharp pictures on a scaled screen (run again at
// 200 %), and the open-file dialog's filter names.

#include "support/ToolRun.h"
#include "ui/Banner.h"
#include "ui/ToolIcon.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPainter>
#include <QResource>
#include <QtTest>


class TestWindowKit : public QObject
{
    Q_OBJECT

private slots:
    // Each window, on each wizard page: no one-line caption needs more room
    // than it has. Every control that takes the focus in any way (hidden
    // pages included) and every button, spinner arrows among them, has a name for
    // screen readers, no two alike; `named` is counted in the window's
    // inventory. And the window shows the tool's icon and its title.
    void everyWindow_data()
    {
        QTest::addColumn<int>("named");
        QTest::addColumn<QString>("title");
        QTest::newRow("wizard") << 34 << "KVX 0.5 Server Config";
        QTest::newRow("classic") << 30 << "Korvexa 0.5 Server Config Tool";
        QTest::newRow("classic -listen") << 30 << "Korvexa 0.5 Server Config Tool";
        QTest::newRow("MOTD editor") << 3 << "MOTD";
        QTest::newRow("About box") << 2 << "About Server Configuration Tool";
        QTest::newRow("standby") << 0 << "";
    }
    void everyWindow()
    {
        QFETCH(int, named);
        ToolRun tool;
        tool.show(QTest::currentDataTag());
        // What the operator can see: a wizard page is laid out when first shown.
        // Each one-line caption (buttons, check boxes, option buttons and
        // labels that do not wrap) whose text needs more room than its
        // geometry gives it is a fault.
        QStringList clipped;
        for (int page = 1; page <= (tool.window == tool.wizard ? 7 : 1); ++page) {
            tool.enterPages(page);
            for (QWidget *caption : tool.window->findChildren<QWidget *>()) {
                const auto *label = qobject_cast<QLabel *>(caption);
                const auto *button = qobject_cast<QAbstractButton *>(caption);
                const QString text = label && !label->wordWrap() ? label->text() : button ? button->text() : QString();
                const QSize hint = caption->sizeHint();
                if (caption->isVisibleTo(tool.window) && !text.isEmpty() && (hint.width() > caption->width() || hint.height() > caption->height()))
                    clipped << QStringLiteral("%1: hint %2x%3 > geometry %4x%5").arg(caption->objectName()).arg(hint.width())
                                   .arg(hint.height()).arg(caption->width()).arg(caption->height());
            }
        }
        QCOMPARE(clipped, QStringList());
        QStringList faults;
        QSet<QString> names;
        for (QWidget *control : tool.window->findChildren<QWidget *>()) {
            // As a screen reader counts them: every control that can take the
            // focus at all, one that hands it on to another included.
            const bool focusable = control->focusPolicy() != Qt::NoFocus;
            if (control->window() != tool.window || !(focusable || qobject_cast<QAbstractButton *>(control)))
                continue;
            QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(control);
            const QString name = reader ? reader->text(QAccessible::Name).trimmed() : QString();
            if (name.isEmpty() || names.contains(name))
                faults << control->objectName() + ": \"" + name + "\"";
            names << name;
        }
        QCOMPARE(faults, QStringList());
        QCOMPARE(names.size(), named);
        QTEST(tool.window->windowTitle(), "title");
        QCOMPARE(tool.window->windowIcon().pixmap(32).toImage(), toolIconPixmap(32, 1).toImage());
    }

    // In a light and a dark theme, also when the theme changes while the
    // wizard is open: the grey notice is the most muted grey that still reads
    // at 4.5:1 on the window (mixed towards the ground in steps of 1 %), and
    // the banner's text stays black on its white ground.
    void readableInEveryTheme_data()
    {
        QTest::addColumn<QPalette>("built");
        QTest::addColumn<QPalette>("shown");
        QTest::addColumn<QColor>("notice");
        const QPalette light(Qt::black, QColor(0xf0, 0xf0, 0xf0)), dark(Qt::white, QColor(0x35, 0x35, 0x35));
        QTest::newRow("light") << light << light << QColor(0x6c, 0x6c, 0x6c);
        QTest::newRow("light, then dark") << light << dark << QColor(0x9e, 0x9e, 0x9e);
    }
    void readableInEveryTheme()
    {
        QFETCH(QPalette, built);
        QFETCH(QPalette, shown);
        const auto restore = qScopeGuard([saved = QApplication::palette()] { QApplication::setPalette(saved); });
        QApplication::setPalette(built);
        ToolRun tool;
        tool.show("wizard");
        QApplication::setPalette(shown);
        QCoreApplication::processEvents();
        const QPalette notice = tool.get("lblc")->palette();
        QCOMPARE(notice.color(QPalette::Window), shown.color(QPalette::Window));
        QTEST(notice.color(QPalette::WindowText), "notice");
        for (const char *banner : {"lbltitle", "lblsection"})
            QCOMPARE(tool.get(banner)->palette().color(QPalette::WindowText), QColor(Qt::black));
    }

    // The banner shows the logo its painter paints: at 100 % from stored
    // pixels, which must not fall behind the painter. On a 200 % screen the
    // logo and the About box's icon are painted at 2x, not 1x pictures stretched.
    void sharpAtScreenScale()
    {
        ToolRun wizard;
        wizard.show("wizard");
        const int ratio = int(wizard.window->devicePixelRatioF());
        const auto pixels = [](QImage image) {
            image.setDevicePixelRatio(1);
            return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        const QRect logo(0, 0, 136, 57); // left of the title
        QCOMPARE(pixels(wizard.get("Picture1")->grab(logo).toImage()),
                 pixels(bannerLogo(ratio).toImage().copy(0, 0, 136 * ratio, 57 * ratio)));
#ifndef Q_OS_WIN
        // At 100 % start-up shows stored pixels instead of painting: they are
        // there, uncompressed, and they are the painter's.
        if (ratio == 1) {
            const QResource stored(":/pictures/banner-logo.rgb");
            const QImage painted = bannerLogo(1).toImage().convertToFormat(QImage::Format_RGB888);
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(stored.data()), stored.size()),
                     QByteArray(reinterpret_cast<const char *>(painted.constBits()), painted.sizeInBytes()));
        }
#endif
        if (ratio != 2)
            QSKIP("needs a 200 % screen: CTest runs this again with QT_SCALE_FACTOR=2");
        ToolRun about;
        about.show("About box");
        QWidget *picture = about.get("picIcon");
        QImage icon(62, 62, QImage::Format_ARGB32_Premultiplied);
        icon.fill(picture->palette().color(QPalette::Window));
        QPainter(&icon).drawImage(0, 0, pixels(toolIconPixmap(31, 2).toImage()));
        QCOMPARE(pixels(picture->grab().toImage()), icon);
    }

    // Qt's own dialog (shown wherever there is no native one) lists the
    // filter pairs' names alone, and "*.*" shows every file, with or without
    // a dot.
    void fileDialogListsFilterNames()
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QStringList listed, patterns;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            patterns = dialog->nameFilters();
            const auto *types = dialog->findChild<QComboBox *>("fileTypeCombo");
            for (int i = 0; types && i < types->count(); ++i)
                listed << types->itemText(i);
            dialog->close();
        });
        FileDialog::getOpenFileName(nullptr, {"Please select a copy of KVXServer.exe", QDir::tempPath(),
                                              "KVXServer.exe|KVXServer.exe|All Files (*.*)|*.*"});
        QCOMPARE(listed, QStringList({"KVXServer.exe", "All Files (*.*)"}));
        QCOMPARE(patterns, QStringList({"KVXServer.exe (KVXServer.exe)", "All Files (*.*) (*)"}));
    }
};

QTEST_MAIN(TestWindowKit)
#include "test_window_kit.moc"