#pragma once

#include "support/DialogRecorder.h"
#include "support/ToolFolder.h"
#include "lifetime/ToolLifetime.h"
#include "wizard/WizardWindow.h"

#include <QStringList>

#include <memory>

// The one-line captions shown in `window` (buttons, check boxes, option
// buttons and labels that do not wrap) whose text needs more room than their
// geometry gives them, described as "objectName: hint WxH > geometry WxH".
QStringList clippedCaptions(QWidget *window);

// One window of the tool over a fresh tool folder, shown and active, every
// dialog answered: "wizard", "classic" (chosen on the wizard's first page),
// "classic -listen", "MOTD editor", "About box" or "standby".
struct WindowUnderTest {
    explicit WindowUnderTest(const QString &kind);

    ToolFolder folder;
    DialogRecorder dialogs;
    ToolLifetime tool;
    WizardWindow &wizard;
    std::unique_ptr<QWidget> own; // the About box or the standby window
    QWidget *window = nullptr;

    template <typename T = QWidget> T *get(const QString &name) const { return window->findChild<T *>(name); }
    // Pages the wizard forward to `page` by Enter on a focused Next.
    void enterPages(int page);
};
