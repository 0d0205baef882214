#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QStringList>

// Answers every message box and open-file dialog while it lives: boxes are
// recorded instead of shown, and each dialog takes the next queued file name
// (an empty one, as when cancelled, once the queue is empty).
class DialogRecorder final
{
public:
    DialogRecorder();
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder &) = delete;
    DialogRecorder &operator=(const DialogRecorder &) = delete;

    QList<OperatorMessage> messages;
    QList<FileDialog::Request> fileRequests;

    void queueFileName(const QString &path) { m_fileNames.append(path); }
    // "title: text" of each recorded box, in order.
    QStringList texts() const;
    void clear();

private:
    QStringList m_fileNames;
};
