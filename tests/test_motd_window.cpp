#include "motd/MotdWindow.h"

#include "support/DialogRecorder.h"
#include "support/ToolFolder.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

// One editor: motd.txt's bytes before (null: none), the text it shows (null:
// not compared), the text typed (null: left as loaded), how it is closed
// ("button", "close box", or "button over a folder" named motd.txt), the
// bytes after, and why the save failed (null: it did not).
struct MotdRow {
    QByteArray file;
    QString shown, typed, closing;
    QByteArray saved;
    QString reason = {};
};

} // namespace

Q_DECLARE_METATYPE(MotdRow)

class TestMotdWindow : public QObject
{
    Q_OBJECT

private slots:
    // The editor loads motd.txt, takes the typed text and a new address, and
    // is closed. Then motd.txt's bytes, and either the window gone with the
    // address handed back, or, after a failed save, one critical box with
    // the reason and the window still open with the typed text.
    void saveAndClose_data()
    {
        QTest::addColumn<MotdRow>("row");
        QByteArray high; // Windows-1252 0x80-0xFF, the no-break space 0xA0 among them
        for (int b = 0x80; b <= 0xff; ++b)
            high.append(char(b));
        const QString keep, button = "button";
        const QByteArray ab = "a\r\nb\r\n", old = "old\r\n";
        QTest::newRow("two lines") << MotdRow{ab, "a\nb", keep, button, ab};
        QTest::newRow("no final break") << MotdRow{"a\r\nb", "a\nb", keep, button, ab};
        QTest::newRow("text emptied") << MotdRow{old, "old", "", button, "\r\n"};
        QTest::newRow("no file") << MotdRow{{}, "", "a\nb", button, ab};
        QTest::newRow("lone CR") << MotdRow{"a\rb", "a\nb", keep, button, ab};
        QTest::newRow("lone LF") << MotdRow{"a\nb\n", "a\nb", keep, button, ab};
        QTest::newRow("code page") << MotdRow{high + "\r\n", keep, keep, button, high + "\r\n"};
        QTest::newRow("soft line break") << MotdRow{old, "old", "a\u2028b", button, ab}; // typed as Shift+Return
        QTest::newRow("close box") << MotdRow{old, "old", "new", "close box", old};
        QTest::newRow("CJK character") << MotdRow{old, "old", "Welcome \u6b22\u8fce", button, old,
                                                  "The message of the day holds the character \"\u6b22\" (U+6B22), which "
                                                  "the Windows-1252 code page of motd.txt cannot hold."};
        QTest::newRow("motd.txt a folder") << MotdRow{old, "old", "Precious\ntext", "button over a folder", {},
                                                      "it is a folder, not a regular file"};
    }
    void saveAndClose()
    {
        QFETCH(MotdRow, row);
        const QString address = "http://changed.example.net/motd.rtf";
        ToolFolder folder;
        if (!row.file.isNull())
            folder.write("motd.txt", row.file);
        DialogRecorder dialogs;
        QPointer<MotdWindow> window = new MotdWindow({folder.path(), false}, "http://old.example.net/motd.rtf");
        const auto cleanup = qScopeGuard([&] { delete window; }); // a window a failed save kept open
        QSignalSpy closed(window.get(), &MotdWindow::closedWithUrl);
        window->show();
        auto *text = window->findChild<QPlainTextEdit *>("txtmotd");
        if (!row.shown.isNull())
            QCOMPARE(text->toPlainText(), row.shown);
        if (!row.typed.isNull()) { // typed as the operator types it: U+2028 is Shift+Return
            text->clear();
            const QStringList lines = row.typed.split(QChar::LineSeparator);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (i > 0)
                    QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
                text->insertPlainText(lines.at(i));
            }
        }
        window->findChild<QLineEdit *>("txturl")->setText(address);
        if (row.closing == "button over a folder")
            QVERIFY(QFile::remove(folder.path("motd.txt")) && QDir(folder.path()).mkdir("motd.txt"));
        if (row.closing == "close box")
            QVERIFY(window->close());
        else
            QTest::mouseClick(window->findChild<QWidget *>("Command1"), Qt::LeftButton);
        QCOMPARE(folder.read("motd.txt"), row.saved);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool failed = !row.reason.isNull();
        QCOMPARE(dialogs.texts(), failed ? QStringList{"Server config Error: The message of the day could not be saved to "
                                                       + QDir::toNativeSeparators(folder.path("motd.txt")) + ":\r\n" + row.reason
                                                       + "\r\n\r\nYour text is still in the editor."} : QStringList());
        QCOMPARE(closed, failed ? QList<QVariantList>() : QList<QVariantList>{{address}});
        QCOMPARE(window.isNull(), !failed);
        if (failed) {
            QCOMPARE(dialogs.messages.at(0).icon, MessageBox::Icon::Critical);
            QVERIFY(window->isVisible());
            QCOMPARE(text->toPlainText(), row.typed);
        }
    }
};

QTEST_MAIN(TestMotdWindow)
#include "test_motd_window.moc"
