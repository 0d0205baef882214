#include "motd/MotdWindow.h"

#include "support/DialogRecorder.h"
#include "support/ToolFolder.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

const QString motd = QStringLiteral("motd.txt");
const QString address = QStringLiteral("http://changed.example.net/motd.rtf");

QPlainTextEdit *textBox(QWidget *window) { return window->findChild<QPlainTextEdit *>("txtmotd"); }

} // namespace

class TestMotdWindow : public QObject
{
    Q_OBJECT

private slots:
    // One editor per row: it loads motd.txt, takes the typed text and a new
    // address, and is closed by "Save and go back" or its close box. Then
    // motd.txt's bytes, and either the window gone with the address handed
    // back, or, after a failed save, one critical box with the reason and
    // the window still open with the typed text.
    void saveAndClose_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no motd.txt
        QTest::addColumn<QString>("shown");   // null: not compared
        QTest::addColumn<QString>("typed");   // null: left as loaded
        QTest::addColumn<QString>("closing"); // "button", "close box", or "button over a folder" named motd.txt
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QString>("reason"); // why the save failed; null: it did not
        QByteArray high; // Windows-1252 0x80-0xFF, the no-break space 0xA0 among them
        for (int b = 0x80; b <= 0xff; ++b)
            high.append(char(b));
        const QString keep, button = "button";
        const QByteArray ab = "a\r\nb\r\n", old = "old\r\n";
        QTest::newRow("two lines") << ab << "a\nb" << keep << button << ab << keep;
        QTest::newRow("no final break") << QByteArray("a\r\nb") << "a\nb" << keep << button << ab << keep;
        QTest::newRow("text emptied") << old << "old" << "" << button << QByteArray("\r\n") << keep;
        QTest::newRow("no file") << QByteArray() << "" << "a\nb" << button << ab << keep;
        QTest::newRow("lone CR") << QByteArray("a\rb") << "a\nb" << keep << button << ab << keep;
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << "a\nb" << keep << button << ab << keep;
        QTest::newRow("code page") << high + "\r\n" << keep << keep << button << high + "\r\n" << keep;
        QTest::newRow("soft line break") << old << "old" << "a\u2028b" << button << ab << keep; // typed as Shift+Return
        QTest::newRow("close box") << old << "old" << "new" << "close box" << old << keep;
        QTest::newRow("CJK character") << old << "old" << "Welcome \u6b22\u8fce" << button << old
                                       << "The message of the day holds the character \"\u6b22\" (U+6B22), which "
                                          "the Windows-1252 code page of motd.txt cannot hold.";
        QTest::newRow("motd.txt a folder") << old << "old" << "Precious\ntext" << "button over a folder" << QByteArray()
                                           << "it is a folder, not a regular file";
    }
    void saveAndClose()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QString, closing);
        QFETCH(QString, reason);
        ToolFolder folder;
        if (!file.isNull())
            folder.write(motd, file);
        DialogRecorder dialogs;
        QPointer<MotdWindow> window = new MotdWindow({folder.path(), false}, "http://old.example.net/motd.rtf");
        const auto cleanup = qScopeGuard([&] { delete window; }); // a window a failed save kept open
        QSignalSpy closed(window.get(), &MotdWindow::closedWithUrl);
        window->show();
        if (!shown.isNull())
            QCOMPARE(textBox(window)->toPlainText(), shown);
        if (!typed.isNull()) { // typed as the operator types it: U+2028 is Shift+Return
            textBox(window)->clear();
            const QStringList lines = typed.split(QChar::LineSeparator);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (i > 0)
                    QTest::keyClick(textBox(window), Qt::Key_Return, Qt::ShiftModifier);
                textBox(window)->insertPlainText(lines.at(i));
            }
        }
        window->findChild<QLineEdit *>("txturl")->setText(address);
        if (closing == "button over a folder")
            QVERIFY(QFile::remove(folder.path(motd)) && QDir(folder.path()).mkdir(motd));
        if (closing == "close box")
            QVERIFY(window->close());
        else
            QTest::mouseClick(window->findChild<QWidget *>("Command1"), Qt::LeftButton);
        QTEST(folder.read(motd), "saved");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (reason.isNull()) {
            QCOMPARE(dialogs.texts(), QStringList());
            QCOMPARE(closed, QList<QVariantList>{{address}});
            QVERIFY(window.isNull());
            return;
        }
        QCOMPARE(dialogs.texts(), QStringList{"Server config Error: The message of the day could not be saved to "
                                              + QDir::toNativeSeparators(folder.path(motd)) + ":\r\n" + reason
                                              + "\r\n\r\nYour text is still in the editor."});
        QCOMPARE(dialogs.messages.at(0).icon, MessageBox::Icon::Critical);
        QVERIFY(window && window->isVisible());
        QCOMPARE(textBox(window)->toPlainText(), typed);
    }
};

QTEST_MAIN(TestMotdWindow)
#include "test_motd_window.moc"
