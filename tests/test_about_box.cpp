#include "support/LayoutCheck.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestAboutBox : public QObject
{
    Q_OBJECT
    QList<QUrl> opened;

public slots:
    // Stands in for the desktop's browser.
    void openInBrowser(const QUrl &url) { opened.append(url); }

private slots:
    // The wizard's "About" opens the box, with its fixed texts, modal over
    // the wizard; its web button opens the address it shows and leaves the
    // box open; OK closes it.
    void modalBoxOpensShownAddressAndOkCloses()
    {
        WindowUnderTest tool("wizard");
        QStringList seen;
        QString shown;
        // Works the box while it is open; the box is closed at the end, so a
        // failure cannot hang.
        QTimer::singleShot(0, this, [&] {
            QWidget *box = QApplication::activeModalWidget();
            auto *web = box->findChild<QPushButton *>("Command1");
            shown = web->text();
            seen << box->objectName() << (box->parentWidget() == &tool.wizard ? "over the wizard" : "not owned")
                 << box->windowTitle() << box->findChild<QLabel *>("lbltitle")->text()
                 << box->findChild<QLabel *>("lblVersion")->text();
            QTest::mouseClick(web, Qt::LeftButton);
            seen << (box->isVisible() ? "open" : "closed");
            QTest::mouseClick(box->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
            seen << (box->isVisible() ? "open" : "closed");
            box->close();
        });
        QDesktopServices::setUrlHandler("https", this, "openInBrowser");
        tool.get<QPushButton>("cmdabout")->click();
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(seen, QStringList({"frmAbout", "over the wizard", "About Server Configuration Tool",
                                    "Server Configuration Tool", "Version 0.5", "open", "closed"}));
        QCOMPARE(opened, QList<QUrl>{QUrl(shown)});
        QCOMPARE(tool.dialogs.texts(), QStringList());
    }
};

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
