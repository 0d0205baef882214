#pragma once

#include "WizardHost.h"
#include "ui/ToolContext.h"
#include "config/ConfigDocument.h"
#include "config/ConfigFields.h"

#include <QList>
#include <QWidget>

class Banner;
class MotdWindow;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// `frmmain`: the start-up window with its seven pages. Its host (the tool's
// owner) keeps it for the whole run, hidden while the classic editor is in
// front.
class WizardWindow final : public QWidget
{
    Q_OBJECT
public:
    WizardWindow(WizardHost *host, const ToolContext &context, QWidget *parent = nullptr);

    // The window's load, before it shows: take its place in the middle of the
    // screen, read an existing kvxserver.conf into the fields (pressing Next
    // once when the file asks to skip page 1) and rebuild the document.
    void load();

    const ToolContext &context() const { return m_context; }
    const ConfigDocument &document() const { return m_document; }

    // The first page's choices, which both commits record in the file.
    FirstPageChoices firstPageChoices() const;

    // The controls as the core sees them, the MOTD address as it stands.
    WizardFields fields() const;
    // Sets every control, with the reactions the operator's changes have.
    void setFields(const WizardFields &fields);

    // The page on show, 1 to 7.
    int currentPage() const { return m_page; }

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
    void launch();
    bool viceCityChosen() const;
    // The MOTD editor, which the host creates and loads (not shown) at the first reference.
    MotdWindow *motdWindow() { return m_host->motdEditor(); }
    // The fields as building and committing read them: they refer to the MOTD
    // editor for its address, so it is created (and reads motd.txt) by then.
    WizardFields fieldsReferringToMotdEditor();

    WizardHost *m_host;
    ToolContext m_context;
    ConfigDocument m_document;
    int m_page = 1;

    Banner *m_banner = nullptr;
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
