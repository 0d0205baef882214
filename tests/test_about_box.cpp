#include "about/AboutBox.h"

#include "support/LayoutCheck.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestAboutBox : public QObject
{
    Q_OBJECT
    QList<QUrl> opened;

public slots:
    // Stands in for the desktop's browser.
    void openInBrowser(const QUrl &url) { opened.append(url); }

private slots:
    void modalBoxOpensProjectPageAndOkCloses()
    {
        const QUrl url = AboutBox::projectUrl();
        QWidget owner;
        owner.show();
        QStringList seen;
        // Works the box while showAboutBox() runs; the assertions come after,
        // and a box that stays open is closed, so a failure cannot hang.
        QTimer::singleShot(0, &owner, [&] {
            QWidget *box = QApplication::activeModalWidget();
            if (!box)
                return;
            auto *web = box->findChild<QPushButton *>("Command1");
            seen << box->objectName() << (box->parentWidget() == &owner ? "over owner" : "not owned") << web->text()
                 << clippedCaptions(box);
            QTest::mouseClick(web, Qt::LeftButton);
            seen << (box->isVisible() ? "open" : "closed");
            QTest::mouseClick(box->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
            seen << (box->isVisible() ? "open" : "closed");
            box->close();
        });
        QDesktopServices::setUrlHandler(url.scheme(), this, "openInBrowser");
        showAboutBox(&owner);
        QDesktopServices::unsetUrlHandler(url.scheme());
        QCOMPARE(seen, QStringList({"frmAbout", "over owner", url.toString(), "open", "closed"}));
        QCOMPARE(opened, QList<QUrl>{url});
    }
};

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
