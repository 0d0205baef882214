#include "MotdWindow.h"

#include "files/FolderLock.h"
#include "files/MotdFile.h"
#include "ui/MotdTextBox.h"
#include "ui/Dialogs.h"
#include "ui/EnterPressesButtons.h"
#include "ui/FileGuard.h"
#include "ui/SingleLineFields.h"
#include "ui/StartingReads.h"
#include "ui/ToolFontScope.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>


MotdWindow::MotdWindow(const ToolContext &context, const QString &url, QWidget *messageOwner)
    : m_context(context)
{
    setObjectName(QStringLiteral("frmmotd"));
    setWindowTitle(QStringLiteral("MOTD"));
    setAttribute(Qt::WA_DeleteOnClose);
    setupToolWindow(this, 4680, 4080);

    {
        // Ends before the file is read: a failure shows a message box.
        const ToolFontScope toolFont;
        m_txtmotd = new QPlainTextEdit(this);
        m_txtmotd->setObjectName(QStringLiteral("txtmotd"));
        // Tab moves on to the next field, as the tab order promises, instead of
        // typing a tab character into the message.
        m_txtmotd->setTabChangesFocus(true);
        m_txtmotd->setAccessibleName(QStringLiteral("Message of the day"));
        placeInTwips(m_txtmotd, 120, 120, 4455, 2295);

        m_urlHint = new QLabel(QStringLiteral("Rich MOTD URL - This has to be a rich text (.rtf) file stored on "
                                              "your webspace. Include the full URL starting with http://"),
                               this);
        m_urlHint->setObjectName(QStringLiteral("Label1"));
        m_urlHint->setWordWrap(true);
        m_urlHint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeInTwips(m_urlHint, 120, 2520, 4455, 495);

        // Given to the constructor, the address would be shaped once more
        // before the field takes the window's font.
        m_txturl = new QLineEdit(this);
        m_txturl->setObjectName(QStringLiteral("txturl"));
        m_txturl->setText(url);
        m_txturl->setAccessibleName(QStringLiteral("Rich MOTD URL"));
        m_txturl->setAccessibleDescription(m_urlHint->text());
        m_urlHint->setBuddy(m_txturl);
        keepFieldsSingleLine(this);
        placeInTwips(m_txturl, 120, 3000, 4455, 375);

        m_saveAndGoBack = new QPushButton(QStringLiteral("Save and go back"), this);
        m_saveAndGoBack->setObjectName(QStringLiteral("Command1"));
        placeInTwips(m_saveAndGoBack, 120, 3480, 4455, 495);
        connect(m_saveAndGoBack, &QPushButton::clicked, this, &MotdWindow::saveAndGoBack);
        letEnterPressButtons(this);

        setTabOrder(m_saveAndGoBack, m_txtmotd);
        setTabOrder(m_txtmotd, m_txturl);
        m_saveAndGoBack->setFocus();
    }

    loadmotd2(messageOwner);
}

QString MotdWindow::url() const
{
    return m_txturl->text();
}

void MotdWindow::setUrl(const QString &url)
{
    m_txturl->setText(url);
}

QString MotdWindow::motdText() const
{
    return motdTextOf(m_txtmotd);
}

void MotdWindow::loadmotd2(QWidget *messageOwner)
{
    m_txtmotd->clear();
    // The editor is not shown yet: a box goes over the window that referred
    // to it.
    if (const std::optional<QString> text =
            readMotdAtStart(messageOwner, m_context, QStringLiteral("The message of the day starts empty.")))
        showMotdText(m_txtmotd, *text);
}

bool MotdWindow::savemotd2(const QString &path)
{
    FolderLock lock(QFileInfo(path).absolutePath());
    if (!lockForSave(this, lock))
        return false;
    QString failure;
    if (const std::optional<FileSnapshot> replaced =
            replaceable(this, m_context, motdFileName(), QStringLiteral("text"), &failure)) {
        const Result<void> saved = savemotd(path, motdText(), *replaced);
        if (saved) {
            m_context.files->remember(path);
            return true;
        }
        failure = saved.reason();
    } else if (failure.isEmpty()) {
        return false;
    }
    MessageBox::show(this, MessageBox::Icon::Critical, MessageTitle::error,
                     QStringLiteral("The message of the day could not be saved to %1:\r\n%2\r\n\r\n"
                                    "Your text is still in the editor.")
                         .arg(QDir::toNativeSeparators(path), failure));
    return false;
}

void MotdWindow::saveAndGoBack()
{
    if (savemotd2(m_context.path(motdFileName())))
        close();
}

void MotdWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closedWithUrl(url());
}
