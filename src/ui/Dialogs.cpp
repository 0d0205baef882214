#include "Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

MessageBox::Hook MessageBox::s_hook;
FileDialog::Hook FileDialog::s_hook;

void MessageBox::setHook(Hook hook)
{
    s_hook = std::move(hook);
}

void MessageBox::show(QWidget *parent, const OperatorMessage &message)
{
    if (s_hook) {
        s_hook(message);
        return;
    }
    QMessageBox box(parent);
    box.setWindowTitle(message.title);
    QString shown = message.text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    switch (message.icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void FileDialog::setHook(Hook hook)
{
    s_hook = std::move(hook);
}

QString FileDialog::toQtFilter(const QString &pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts.at(i + 1);
        // "*.*" means every file on the platform this filter was written for.
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i), pattern);
    }
    return filters.join(QLatin1String(";;"));
}

QString FileDialog::getOpenFileName(QWidget *parent, const Request &request)
{
    if (s_hook)
        return s_hook(request);
    // Qt's filter syntax needs the patterns after each name; the operator
    // sees the names alone, as the filter pairs give them.
    return QFileDialog::getOpenFileName(parent, request.title, request.folder, toQtFilter(request.filter), nullptr,
                                        QFileDialog::HideNameFilterDetails);
}
