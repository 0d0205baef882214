#pragma once

#include "ToolContext.h"
#include "config/ConfigDocument.h"
#include "config/ConfigFields.h"

#include <QPointer>
#include <QWidget>

class ClassicWindow;
class MotdWindow;

// `frmmain`: the start-up window with its seven pages. It lives for the whole
// run (hidden, never destroyed, while the classic editor is in front) and ends
// the tool.
class WizardWindow final : public QWidget
{
    Q_OBJECT
public:
    explicit WizardWindow(const ToolContext &context, QWidget *parent = nullptr);
    ~WizardWindow() override;

    // The window's start-up: read an existing kvxserver.conf into the fields,
    // press Next once when the file asks to skip page 1, rebuild the document,
    // and hand over to the classic editor under "-listen". Shows the window
    // unless the classic editor took its place.
    void start();

    const ToolContext &context() const { return m_context; }
    const ConfigDocument &document() const { return m_document; }

    // The first page's choices, which both commits record in the file.
    FirstPageChoices firstPageChoices() const;

    // The classic editor, once it has been opened; null before.
    ClassicWindow *classicWindow() const;
    // The MOTD editor, created and loaded (not shown) at the first reference.
    MotdWindow *motdWindow();

    // "&Wizard..." in the classic editor: show this window as it was left.
    void showFromClassic();

    // Closes every window of the tool without saving and emits toolEnded().
    void endTool();

signals:
    void toolEnded();

private:
    ToolContext m_context;
    ConfigDocument m_document;
    QPointer<ClassicWindow> m_classic;
    QPointer<MotdWindow> m_motd;
};
