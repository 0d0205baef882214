#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>

// Answers every message box, question and open-file dialog while it lives:
// boxes and questions are recorded instead of shown (a question takes the
// next queued answer, No once the queue is empty), and each dialog takes the
// next queued file name (an empty one, as when cancelled, once the queue is
// empty).
struct DialogRecorder {
    // The parent's window (or null), and where it stood when the box showed.
    struct Owner { QWidget *window; QRect geometry; };
    QList<OperatorMessage> messages; // questions included, in order
    QList<Owner> owners;             // one for each message
    QList<FileDialog::Request> fileRequests;
    QStringList fileNames;
    QList<bool> answers;

    DialogRecorder()
    {
        MessageBox::setHook([this](QWidget *parent, const OperatorMessage &shown) { record(parent, shown); });
        MessageBox::setAnswerHook([this](QWidget *parent, const OperatorMessage &question) {
            record(parent, question);
            return !answers.isEmpty() && answers.takeFirst();
        });
        FileDialog::setHook([this](const FileDialog::Request &request) {
            fileRequests.append(request);
            return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
        });
    }
    ~DialogRecorder()
    {
        MessageBox::setHook({});
        MessageBox::setAnswerHook({});
        FileDialog::setHook({});
    }
    DialogRecorder(const DialogRecorder &) = delete;
    DialogRecorder &operator=(const DialogRecorder &) = delete;

    void queueFileName(const QString &path) { fileNames.append(path); }
    void queueAnswer(bool yes) { answers.append(yes); }
    // "title: text" of each recorded box, in order.
    QStringList texts() const
    {
        QStringList result;
        for (const OperatorMessage &shown : messages)
            result << shown.title + ": " + shown.text;
        return result;
    }
    void record(QWidget *parent, const OperatorMessage &message)
    {
        messages.append(message);
        QWidget *window = parent ? parent->window() : nullptr;
        owners.append({window, window ? window->geometry() : QRect()});
    }
};
