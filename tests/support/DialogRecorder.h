#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QRect>
#include <QStringList>

class QWidget;

// Answers every message box, question and open-file dialog while it lives:
// boxes and questions are recorded instead of shown (a question takes the
// next queued answer, No once the queue is empty), and each dialog takes the
// next queued file name (an empty one, as when cancelled, once the queue is
// empty).
class DialogRecorder final
{
public:
    DialogRecorder();
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder &) = delete;
    DialogRecorder &operator=(const DialogRecorder &) = delete;

    struct Owner {
        QWidget *window = nullptr; // the parent's window, or null
        QRect geometry;            // where that window stood when the box showed
    };

    QList<OperatorMessage> messages; // questions included, in order
    QList<Owner> owners;             // one for each message
    QList<FileDialog::Request> fileRequests;

    void queueFileName(const QString &path) { m_fileNames.append(path); }
    void queueAnswer(bool yes) { m_answers.append(yes); }
    // "title: text" of each recorded box, in order.
    QStringList texts() const;
    void clear();

private:
    void record(QWidget *parent, const OperatorMessage &message);

    QStringList m_fileNames;
    QList<bool> m_answers;
};
