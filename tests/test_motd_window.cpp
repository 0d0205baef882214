#include "motd/MotdWindow.h"

#include "config/ConfigFields.h"
#include "support/DialogRecorder.h"
#include "support/LayoutCheck.h"
#include "support/ToolFolder.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString motd = QStringLiteral("motd.txt");

QWidget *child(QWidget *window, const char *name) { return window->findChild<QWidget *>(name); }
QString shownText(QWidget *window) { return window->findChild<QPlainTextEdit *>("txtmotd")->toPlainText(); }

// Replaces a field's text by typing: "\n" is Return, "\v" Shift+Return.
void retype(QWidget *widget, const QString &typed)
{
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Delete);
    for (QChar c : typed) {
        if (c == u'\n' || c == u'\v')
            QTest::keyClick(widget, Qt::Key_Return, c == u'\v' ? Qt::ShiftModifier : Qt::NoModifier);
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestMotdWindow : public QObject
{
    Q_OBJECT

private slots:
    // One window per row: load, maybe type, close either way, read the file back.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no motd.txt
        QTest::addColumn<QString>("shown");   // null: not compared
        QTest::addColumn<QString>("typed");   // null: left as loaded
        QTest::addColumn<bool>("closeBox");   // else "Save and go back"
        QTest::addColumn<QByteArray>("saved");
        QByteArray high; // Windows-1252 0x80-0xFF, the no-break space 0xA0 among them
        for (int b = 0x80; b <= 0xff; ++b)
            high.append(char(b));
        const QString keep;
        QTest::newRow("two lines") << QByteArray("a\r\nb\r\n") << "a\nb" << keep << false << QByteArray("a\r\nb\r\n");
        QTest::newRow("no final break") << QByteArray("a\r\nb") << "a\nb" << keep << false << QByteArray("a\r\nb\r\n");
        QTest::newRow("text emptied") << QByteArray("old\r\n") << "old" << "" << false << QByteArray("\r\n");
        QTest::newRow("no file") << QByteArray() << "" << "a\nb\vc" << false << QByteArray("a\r\nb\r\nc\r\n");
        QTest::newRow("lone CR") << QByteArray("a\rb") << "a\nb" << keep << false << QByteArray("a\r\nb\r\n");
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << "a\nb" << keep << false << QByteArray("a\r\nb\r\n");
        QTest::newRow("code page") << high + "\r\n" << keep << keep << false << high + "\r\n";
        QTest::newRow("close box") << QByteArray("old\r\n") << "old" << "new" << true << QByteArray("old\r\n");
    }
    void roundTrip()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(bool, closeBox);
        ToolFolder folder;
        if (!file.isNull())
            folder.write(motd, file);
        DialogRecorder dialogs;
        QPointer<MotdWindow> window = new MotdWindow({folder.path(), {}}, defaultMotdUrl());
        QSignalSpy closed(window.get(), &MotdWindow::closedWithUrl);
        window->show();
        if (!shown.isNull())
            QCOMPARE(shownText(window), shown);
        if (!typed.isNull())
            retype(child(window, "txtmotd"), typed);
        retype(child(window, "txturl"), QStringLiteral("http://changed.example.net/motd.rtf"));
        if (closeBox)
            QVERIFY(window->close());
        else
            QTest::mouseClick(child(window, "Command1"), Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList());
        QTEST(folder.read(motd), "saved");
        QCOMPARE(closed, QList<QVariantList>{{QStringLiteral("http://changed.example.net/motd.rtf")}});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
    }

    void failedSave_data()
    {
        QTest::addColumn<bool>("motdIsFolder"); // made one after the window read it
        QTest::addColumn<QString>("typed");
        QTest::newRow("motd.txt a folder") << true << "Precious\ntext";
        QTest::newRow("CJK character") << false << "Welcome \u6b22\u8fce";
    }
    void failedSave()
    {
        QFETCH(bool, motdIsFolder);
        QFETCH(QString, typed);
        ToolFolder folder;
        folder.write(motd, "Old line\r\n");
        DialogRecorder dialogs;
        MotdWindow window({folder.path(), {}}, defaultMotdUrl());
        window.show();
        retype(child(&window, "txtmotd"), typed);
        if (motdIsFolder)
            QVERIFY(QFile::remove(folder.path(motd)) && QDir(folder.path()).mkdir(motd));
        QTest::mouseClick(child(&window, "Command1"), Qt::LeftButton);

        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages.at(0).icon, MessageBox::Icon::Critical);
        const QString message = dialogs.messages.at(0).text;
        QVERIFY2(message.contains(QDir::toNativeSeparators(folder.path(motd))), qPrintable(message));
        QVERIFY2(motdIsFolder || message.contains(QStringLiteral("\"\u6b22\"")), qPrintable(message));
        QVERIFY(window.isVisible());
        QCOMPARE(shownText(&window), typed);
        QCOMPARE(folder.read(motd), motdIsFolder ? QByteArray() : QByteArray("Old line\r\n"));
    }

    // A motd.txt that cannot be read is reported once and leaves the box empty;
    // the form works as ever.
    void unreadableFileAndForm()
    {
        ToolFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(motd));
        DialogRecorder dialogs;
        MotdWindow window({folder.path(), {}}, defaultMotdUrl());
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages.at(0).text.contains(QDir::toNativeSeparators(folder.path(motd))));
        window.show();
        QCOMPARE(clippedCaptions(&window), QStringList());
        // The window's name, then the focused control before and after each
        // Tab; the message box passes Tab on instead of typing it.
        QStringList order{window.objectName(), window.focusWidget()->objectName()};
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
            order << window.focusWidget()->objectName();
        }
        QCOMPARE(order, QStringList({"frmmotd", "Command1", "txtmotd", "txturl", "Command1"}));
        QCOMPARE(shownText(&window), QString());
    }
};

QTEST_MAIN(TestMotdWindow)
#include "test_motd_window.moc"
