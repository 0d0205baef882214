#pragma once

#include "app/ToolContext.h"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

// `frmmotd`: edits motd.txt and holds the MOTD address the wizard writes.
// Created hidden at the first reference, destroyed when closed.
class MotdWindow final : public QWidget
{
    Q_OBJECT
public:
    // Loads motd.txt (when present) without showing the window; `url` is the
    // address the previous editor held when it closed, or the default.
    MotdWindow(const ToolContext &context, const QString &url);

    QString url() const;
    void setUrl(const QString &url);

signals:
    // Emitted when the window closes either way, so the address outlives it.
    void closedWithUrl(const QString &url);

private:
    ToolContext m_context;
    QPlainTextEdit *m_text = nullptr;
    QLineEdit *m_url = nullptr;
};
