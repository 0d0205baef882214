#pragma once

#include "ui/ToolContext.h"
#include "classic/ClassicHost.h"
#include "config/ConfigDocument.h"
#include "config/ConfigFields.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class Banner;
class ClassicWindow;
class MotdWindow;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// `frmmain`: the start-up window with its seven pages. It lives for the whole
// run (hidden, never destroyed, while the classic editor is in front) and ends
// the tool.
class WizardWindow final : public QWidget, public ClassicHost
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
    FirstPageChoices firstPageChoices() const override;

    // The controls as the core sees them. Not const: the MOTD address lives on
    // the MOTD editor, which the first reference creates.
    WizardFields fields();
    // Sets every control, with the reactions the operator's changes have.
    void setFields(const WizardFields &fields);

    // The page on show, 1 to 7.
    int currentPage() const { return m_page; }

    // The classic editor, once it has been opened; null before.
    ClassicWindow *classicWindow() const;
    // The MOTD editor, created and loaded (not shown) at the first reference.
    MotdWindow *motdWindow();

    // "&Wizard..." in the classic editor: show this window as it was left.
    void showFromClassic() override;

    // Closes every window of the tool without saving and emits toolEnded().
    void endTool() override;

signals:
    void toolEnded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Page construction (WizardPages.cpp).
    void buildFixedParts();
    void buildPages();
    QFrame *newPage(const char *name);
    void buildMainPage(QFrame *page);
    void buildGamePage(QFrame *page);
    void buildBasicsPage(QFrame *page);
    void buildPlayersPage(QFrame *page);
    void buildEnvironmentPage(QFrame *page);
    void buildAdminPage(QFrame *page);
    void buildFinalPage(QFrame *page);
    void installInputRules();

    void readConfigFile();
    void showPage(int page, const QString &section);
    void focusPageInput();
    void nextClicked();
    void backClicked();
    void correctViceCityPlayers();
    // The page-1 hand-over: hide the wizard and bring the classic editor forward.
    void openClassic();
    void launch();
    void showMotdEditor();
    bool viceCityChosen() const;

    ToolContext m_context;
    ConfigDocument m_document;
    QPointer<ClassicWindow> m_classic;
    QPointer<MotdWindow> m_motd;
    // The MOTD address outlives each MOTD editor: the next one starts with it.
    QString m_motdUrl;
    int m_page = 1;
    bool m_ending = false;

    Banner *m_Picture1 = nullptr;
    QPushButton *m_cmdabout = nullptr;
    QPushButton *m_cmdback = nullptr;
    QPushButton *m_cmdcancel = nullptr;
    QPushButton *m_cmdnext = nullptr;
    QList<QFrame *> m_pages; // FrameMain .. FrameFinal

    QRadioButton *m_OptWizard = nullptr;
    QRadioButton *m_OptClassic = nullptr;
    QCheckBox *m_chkremember = nullptr;

    QRadioButton *m_optgta3portland = nullptr;
    QRadioButton *m_optgta3ssv = nullptr;
    QRadioButton *m_optgta3staunton = nullptr;
    QRadioButton *m_optvicedm = nullptr;
    QRadioButton *m_optvicestunt = nullptr;

    QLineEdit *m_txtserver = nullptr;
    QLineEdit *m_txtport = nullptr;
    QLineEdit *m_txtase = nullptr;
    QCheckBox *m_ChkASE = nullptr;
    QLineEdit *m_txtplayers = nullptr;
    QLineEdit *m_txthour = nullptr;
    QLineEdit *m_txtminute = nullptr;
    QCheckBox *m_chkweather = nullptr;
    QLineEdit *m_txtpwd = nullptr;
    QCheckBox *m_chkadmin = nullptr;
    QLineEdit *m_txtadminport = nullptr;
    QLineEdit *m_txtadminpwd = nullptr;
    QCheckBox *m_chkshutdown = nullptr;
    QCheckBox *m_chkadminplus = nullptr;
    QLineEdit *m_txtadminpluspwd = nullptr;
    QCheckBox *m_chkmotd = nullptr;
};
