#include "DialogRecorder.h"

#include <QWidget>

DialogRecorder::DialogRecorder()
{
    MessageBox::setHook([this](QWidget *parent, const OperatorMessage &shown) { record(parent, shown); });
    MessageBox::setAnswerHook([this](QWidget *parent, const OperatorMessage &question) {
        record(parent, question);
        return !m_answers.isEmpty() && m_answers.takeFirst();
    });
    FileDialog::setHook([this](const FileDialog::Request &request) {
        fileRequests.append(request);
        return m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
    });
}

DialogRecorder::~DialogRecorder()
{
    MessageBox::setHook({});
    MessageBox::setAnswerHook({});
    FileDialog::setHook({});
}

void DialogRecorder::record(QWidget *parent, const OperatorMessage &message)
{
    messages.append(message);
    QWidget *window = parent ? parent->window() : nullptr;
    owners.append({window, window ? window->geometry() : QRect()});
}

QStringList DialogRecorder::texts() const
{
    QStringList result;
    for (const OperatorMessage &shown : messages)
        result << shown.title + QLatin1String(": ") + shown.text;
    return result;
}

void DialogRecorder::clear()
{
    messages.clear();
    owners.clear();
    fileRequests.clear();
}
