#pragma once

// Shared by the classic editor's test programs: a tool folder, the dialogs
// answered, and a wizard that opens the classic editor as the tool does.

#include "app/WizardWindow.h"
#include "classic/ClassicWindow.h"
#include "config/ConfigFile.h"
#include "motd/MotdFile.h"
#include "support/DialogRecorder.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class ClassicHarness
{
public:
    QTemporaryDir folder;
    DialogRecorder dialogs;
    std::unique_ptr<WizardWindow> wizard;
    std::unique_ptr<ClassicWindow> classic;
    std::unique_ptr<QSignalSpy> toolEnded;

    QString path(const QString &name) const { return QDir(folder.path()).filePath(name); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path(name)));
    }

    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool exists(const QString &name) const { return QFileInfo::exists(path(name)); }

    // Opens the classic editor over the folder as it stands.
    ClassicWindow &open(const QStringList &arguments = {})
    {
        const ToolContext context{folder.path(), arguments};
        wizard = std::make_unique<WizardWindow>(context);
        toolEnded = std::make_unique<QSignalSpy>(wizard.get(), &WizardWindow::toolEnded);
        classic = std::make_unique<ClassicWindow>(wizard.get(), context);
        classic->showClassic();
        return *classic;
    }

    template <typename Widget>
    Widget *control(const char *name) const
    {
        auto *widget = classic->findChild<Widget *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

    void click(const char *buttonName) const
    {
        QTest::mouseClick(control<QWidget>(buttonName), Qt::LeftButton);
    }
};

// The bytes of a document as saveconfig writes it (ASCII content only).
inline QByteArray fileBytes(const ConfigDocument &document)
{
    QByteArray bytes;
    for (const QString &line : document.lines())
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

inline QByteArray crLfLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}
