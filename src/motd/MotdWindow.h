#pragma once

#include "ui/ToolContext.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// `frmmotd`: edits motd.txt and holds the MOTD address the wizard writes.
// Deletes itself when closed.
class MotdWindow final : public QWidget
{
    Q_OBJECT
public:
    // Loads motd.txt (when present) without showing the window; `url` is the
    // address the previous editor held when it closed, or the default. A
    // file that cannot be read is reported over `messageOwner`, the window
    // that referred to the editor first.
    MotdWindow(const ToolContext &context, const QString &url, QWidget *messageOwner = nullptr);

    QString url() const;
    void setUrl(const QString &url);

    // The text box as motd.txt holds it: lines joined by CR LF.
    QString motdText() const;

signals:
    // Emitted when the window closes either way, so the address outlives it.
    void closedWithUrl(const QString &url);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The window's side of motd.txt: the core's loadmotd/savemotd
    // (files/MotdFile.h) only read and write the file; these two fill or save
    // this window's text box and tell the operator what went wrong.
    // Fills the text box from motd.txt beside the tool; a file that cannot be
    // read is reported and leaves the box empty.
    void loadmotd2(QWidget *messageOwner);
    // Writes the text box to `path`; reports and returns false on failure.
    bool savemotd2(const QString &path);
    // "Save and go back": the window only closes once the text is on disk.
    void saveAndGoBack();

    ToolContext m_context;
    QPlainTextEdit *m_txtmotd = nullptr;
    QLabel *m_urlHint = nullptr;
    QLineEdit *m_txturl = nullptr;
    QPushButton *m_saveAndGoBack = nullptr;
};
