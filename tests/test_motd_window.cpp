#include "motd/MotdWindow.h"

#include "app/Twips.h"
#include "config/ConfigFields.h"
#include "support/DialogRecorder.h"
#include "support/LayoutCheck.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A tool folder of its own for every case.
struct ToolFolder {
    QTemporaryDir dir;
    ToolContext context() const { return {dir.path(), {}}; }
    QString motdPath() const { return dir.filePath(QStringLiteral("motd.txt")); }

    void writeMotd(const QByteArray &bytes) const
    {
        QFile file(motdPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    QByteArray readMotd() const
    {
        QFile file(motdPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

QPlainTextEdit *textBox(MotdWindow *window)
{
    return window->findChild<QPlainTextEdit *>(QStringLiteral("txtmotd"));
}
QLineEdit *urlBox(MotdWindow *window)
{
    return window->findChild<QLineEdit *>(QStringLiteral("txturl"));
}
QPushButton *saveButton(MotdWindow *window)
{
    return window->findChild<QPushButton *>(QStringLiteral("Command1"));
}

void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Every byte Windows-1252 can show, with the no-break space (0xA0) among them.
QByteArray codePageBytes()
{
    QByteArray bytes("\t");
    for (int b = 0x20; b <= 0xff; ++b) {
        if (b != 0x7f)
            bytes.append(char(b));
    }
    return bytes;
}

} // namespace

class TestMotdWindow : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void typedLineBreaksBecomeCrLf();
    void closingKeepsTheAddress_data();
    void closingKeepsTheAddress();
    void failedSaveKeepsWindowAndText_data();
    void failedSaveKeepsWindowAndText();
    void unreadableFileIsReportedOnce();
    void formAndTabOrder();
};

void TestMotdWindow::roundTrip_data()
{
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("saved");

    QTest::newRow("two CR LF lines") << true << QByteArray("Welcome\r\nHave fun.\r\n") << "Welcome\nHave fun."
                                     << false << QString() << QByteArray("Welcome\r\nHave fun.\r\n");
    QTest::newRow("no final line break") << true << QByteArray("Welcome\r\nHave fun.") << "Welcome\nHave fun."
                                         << false << QString() << QByteArray("Welcome\r\nHave fun.\r\n");
    QTest::newRow("empty lines kept") << true << QByteArray("a\r\n\r\n\r\nb\r\n") << "a\n\n\nb" << false
                                      << QString() << QByteArray("a\r\n\r\n\r\nb\r\n");
    QTest::newRow("lone CR ends a line") << true << QByteArray("a\rb\r\n") << "a\nb" << false << QString()
                                         << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone LF ends a line") << true << QByteArray("a\nb\n") << "a\nb" << false << QString()
                                         << QByteArray("a\r\nb\r\n");
    QTest::newRow("empty file") << true << QByteArray("") << "" << false << QString() << QByteArray("\r\n");
    QTest::newRow("every code page byte") << true << codePageBytes() + "\r\n" << "*"
                                          << false << QString() << codePageBytes() + "\r\n";
    QTest::newRow("text emptied") << true << QByteArray("old\r\n") << "old" << true << QString()
                                  << QByteArray("\r\n");
    QTest::newRow("no file, text typed") << false << QByteArray() << "" << true << "Rules:\nNo cheating"
                                         << QByteArray("Rules:\r\nNo cheating\r\n");
    QTest::newRow("no file, nothing typed") << false << QByteArray() << "" << false << QString()
                                            << QByteArray("\r\n");
}

void TestMotdWindow::roundTrip()
{
    QFETCH(bool, hasFile);
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    QFETCH(bool, replace);
    QFETCH(QString, typed);
    QFETCH(QByteArray, saved);

    ToolFolder folder;
    if (hasFile)
        folder.writeMotd(file);
    DialogRecorder dialogs;
    auto *window = new MotdWindow(folder.context(), defaultMotdUrl());
    QPointer<MotdWindow> guard(window);

    // "*": only the bytes matter, not how the text box shows them.
    if (shown != QLatin1String("*"))
        QCOMPARE(textBox(window)->toPlainText(), shown);
    if (replace)
        textBox(window)->setPlainText(typed);
    QTest::mouseClick(saveButton(window), Qt::LeftButton);

    QCOMPARE(dialogs.texts(), QStringList());
    QCOMPARE(folder.readMotd(), saved);
    deleteClosedWindows();
    QVERIFY(guard.isNull());
}

void TestMotdWindow::typedLineBreaksBecomeCrLf()
{
    // Return starts a paragraph, Shift+Return a soft break: both are a line
    // end to the server.
    ToolFolder folder;
    DialogRecorder dialogs;
    auto *window = new MotdWindow(folder.context(), defaultMotdUrl());
    QPlainTextEdit *text = textBox(window);
    QTest::keyClicks(text, QStringLiteral("one"));
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, QStringLiteral("two"));
    QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(text, QStringLiteral("three"));
    QTest::mouseClick(saveButton(window), Qt::LeftButton);

    QCOMPARE(dialogs.texts(), QStringList());
    QCOMPARE(folder.readMotd(), QByteArray("one\r\ntwo\r\nthree\r\n"));
    deleteClosedWindows();
}

void TestMotdWindow::closingKeepsTheAddress_data()
{
    QTest::addColumn<bool>("saveFirst");
    QTest::addColumn<QByteArray>("kept");
    QTest::newRow("Save and go back") << true << QByteArray("Edited\r\n");
    QTest::newRow("close box") << false << QByteArray("Kept\r\n");
}

void TestMotdWindow::closingKeepsTheAddress()
{
    QFETCH(bool, saveFirst);
    QFETCH(QByteArray, kept);
    const QString changed = QStringLiteral("http://changed.example.net/kvx/motd.rtf");
    ToolFolder folder;
    folder.writeMotd("Kept\r\n");
    DialogRecorder dialogs;
    auto *window = new MotdWindow(folder.context(), defaultMotdUrl());
    QPointer<MotdWindow> guard(window);
    QSignalSpy closed(window, &MotdWindow::closedWithUrl);
    window->show();
    textBox(window)->setPlainText(QStringLiteral("Edited"));
    urlBox(window)->selectAll();
    QTest::keyClicks(urlBox(window), changed);
    QCOMPARE(window->url(), changed);

    if (saveFirst)
        QTest::mouseClick(saveButton(window), Qt::LeftButton);
    else
        QVERIFY(window->close());
    QCOMPARE(closed.size(), 1);
    QCOMPARE(closed.at(0).at(0).toString(), changed);
    deleteClosedWindows();
    QVERIFY(guard.isNull());
    QCOMPARE(folder.readMotd(), kept);

    // The next editor reads the file again and starts from the kept address.
    MotdWindow next(folder.context(), closed.at(0).at(0).toString());
    QCOMPARE(textBox(&next)->toPlainText(), QString::fromLatin1(kept).trimmed());
    QCOMPARE(next.url(), changed);
    QCOMPARE(dialogs.texts(), QStringList());
}

void TestMotdWindow::failedSaveKeepsWindowAndText_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<QString>("typed");
    QTest::newRow("tool folder removed") << "folder" << "Precious\ntext";
    QTest::newRow("motd.txt is a folder") << "motd" << "Precious\ntext";
    QTest::newRow("character outside the code page") << "" << "Welcome \u6b22\u8fce";
}

void TestMotdWindow::failedSaveKeepsWindowAndText()
{
    QFETCH(QString, breakage);
    QFETCH(QString, typed);
    QTemporaryDir root;
    const ToolContext context{root.filePath(QStringLiteral("tool")), {}};
    const QString motdPath = context.path(QStringLiteral("motd.txt"));
    QVERIFY(QDir(root.path()).mkdir(QStringLiteral("tool")));
    QFile old(motdPath);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("Old line\r\n") == 10);
    old.close();
    DialogRecorder dialogs;
    auto window = std::make_unique<MotdWindow>(context, defaultMotdUrl());
    QPointer<MotdWindow> guard(window.get());
    QSignalSpy closed(window.get(), &MotdWindow::closedWithUrl);
    window->show();
    textBox(window.get())->setPlainText(typed);

    if (breakage == QLatin1String("folder"))
        QVERIFY(QDir(context.folder).removeRecursively());
    if (breakage == QLatin1String("motd"))
        QVERIFY(QFile::remove(motdPath) && QDir(context.folder).mkdir(QStringLiteral("motd.txt")));
    QTest::mouseClick(saveButton(window.get()), Qt::LeftButton);

    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.at(0).icon, MessageBox::Icon::Critical);
    const QString message = dialogs.messages.at(0).text;
    QVERIFY2(message.contains(context.displayPath(QStringLiteral("motd.txt"))), qPrintable(message));
    deleteClosedWindows();
    QVERIFY(!guard.isNull());
    QVERIFY(window->isVisible());
    QCOMPARE(closed.size(), 0);
    QCOMPARE(textBox(window.get())->toPlainText(), typed);
    if (breakage.isEmpty()) {
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("Old line\r\n"));
        QVERIFY2(message.contains(QStringLiteral("\"\u6b22\"")), qPrintable(message));
    }
}

void TestMotdWindow::unreadableFileIsReportedOnce()
{
    ToolFolder folder;
    QVERIFY(QDir(folder.dir.path()).mkdir(QStringLiteral("motd.txt")));
    DialogRecorder dialogs;
    MotdWindow window(folder.context(), defaultMotdUrl());

    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY2(dialogs.messages.at(0).text.contains(folder.context().displayPath(QStringLiteral("motd.txt"))),
             qPrintable(dialogs.messages.at(0).text));
    QCOMPARE(textBox(&window)->toPlainText(), QString());
    QVERIFY(!window.isVisible());
}

void TestMotdWindow::formAndTabOrder()
{
    ToolFolder folder;
    DialogRecorder dialogs;
    MotdWindow window(folder.context(), defaultMotdUrl());
    QVERIFY(!window.isVisible());
    QVERIFY(window.isWindow());
    QVERIFY(window.testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(window.objectName(), QStringLiteral("frmmotd"));
    QCOMPARE(window.windowTitle(), QStringLiteral("MOTD"));
    QCOMPARE(window.size(), QSize(twipsToPixels(4680), twipsToPixels(4080)));
    QCOMPARE(saveButton(&window)->text(), QStringLiteral("Save and go back"));
    QCOMPARE(urlBox(&window)->text(), defaultMotdUrl());
    auto *label = window.findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Rich MOTD URL - This has to be a rich text (.rtf) file stored on your "
                                           "webspace. Include the full URL starting with http://"));

    window.show();
    QCOMPARE(clippedCaptions(&window).join(QLatin1String("; ")), QString());
    QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
             qPrintable(QString::number(label->heightForWidth(label->width()))));

    // The button has the focus when the window opens; Tab then walks the fields.
    QCOMPARE(window.focusWidget(), saveButton(&window));
    QStringList order;
    QWidget *widget = saveButton(&window);
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != saveButton(&window));
    QCOMPARE(order, (QStringList{QStringLiteral("Command1"), QStringLiteral("txtmotd"), QStringLiteral("txturl")}));

    // Tab leaves the message box instead of typing into it.
    QTest::keyClick(textBox(&window), Qt::Key_Tab);
    QCOMPARE(textBox(&window)->toPlainText(), QString());
    QCOMPARE(dialogs.texts(), QStringList());
}

QTEST_MAIN(TestMotdWindow)
#include "test_motd_window.moc"
