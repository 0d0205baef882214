#include "DialogRecorder.h"

DialogRecorder::DialogRecorder()
{
    MessageBox::setHook([this](const OperatorMessage &shown) { messages.append(shown); });
    FileDialog::setHook([this](const FileDialog::Request &request) {
        fileRequests.append(request);
        return m_fileNames.isEmpty() ? QString() : m_fileNames.takeFirst();
    });
}

DialogRecorder::~DialogRecorder()
{
    MessageBox::setHook({});
    FileDialog::setHook({});
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
    fileRequests.clear();
}
