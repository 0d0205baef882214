// Renders every window and wizard page of the tool to PNG files, from the real
// window classes and without a person: tools/render_windows OUTPUT-FOLDER.
// Runs on the offscreen platform; each window works in a fresh temporary tool
// folder, so nothing of the operator's is read or written.

#include "about/AboutBox.h"
#include "ui/Dialogs.h"
#include "ui/StandbyWindow.h"
#include "wizard/WizardWindow.h"
#include "classic/ClassicWindow.h"
#include "config/ConfigFields.h"
#include "lifetime/ToolLifetime.h"
#include "motd/MotdWindow.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QString outputFolder;

void save(QWidget *window, const QString &name)
{
    window->show();
    QApplication::processEvents();
    const QString path = QDir(outputFolder).filePath(name + QLatin1String(".png"));
    if (!window->grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
    std::printf("%s\n", qPrintable(path));
}

void renderWizardPages(const QString &folder)
{
    ToolLifetime tool({folder, false});
    tool.start();
    WizardWindow *wizard = tool.wizard();
    auto *next = wizard->findChild<QPushButton *>(QStringLiteral("cmdnext"));
    for (int page = 1; page <= 7; ++page) {
        save(wizard, QStringLiteral("wizard-page-%1").arg(page));
        if (page < 7)
            next->click();
    }
}

void renderClassic(const QString &folder, bool listenMode, const QString &name)
{
    ToolLifetime tool({folder, listenMode});
    tool.openClassic();
    save(tool.classic(), name);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_windows OUTPUT-FOLDER\n");
        return 2;
    }
    outputFolder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outputFolder);
    // Notices that page steps may raise are not part of the pictures.
    MessageBox::setHook([](QWidget *, const OperatorMessage &) {});

    QTemporaryDir folder;
    renderWizardPages(folder.path());
    renderClassic(folder.path(), false, QStringLiteral("classic"));
    renderClassic(folder.path(), true, QStringLiteral("classic-listen"));

    auto *motd = new MotdWindow({folder.path(), false}, defaultMotdUrl());
    save(motd, QStringLiteral("motd-editor"));
    motd->close();

    AboutBox about;
    save(&about, QStringLiteral("about"));

    StandbyWindow *standby = new StandbyWindow;
    save(standby, QStringLiteral("standby"));
    standby->close();
    // The closed windows delete themselves once events run again.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
