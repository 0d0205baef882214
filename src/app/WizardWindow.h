#pragma once

#include "ToolContext.h"
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

    // The controls as the core sees them. Not const: the MOTD address lives on
    // the MOTD editor, which the first reference creates.
    WizardFields fields();

    // The page on show, 1 to 7.
    int currentPage() const { return m_page; }

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

    Banner *m_banner = nullptr;
    QPushButton *m_about = nullptr;
    QPushButton *m_back = nullptr;
    QPushButton *m_exit = nullptr;
    QPushButton *m_next = nullptr;
    QList<QFrame *> m_pages; // FrameMain .. FrameFinal

    QRadioButton *m_optWizard = nullptr;
    QRadioButton *m_optClassic = nullptr;
    QCheckBox *m_remember = nullptr;

    QRadioButton *m_optPortland = nullptr;
    QRadioButton *m_optShoreSide = nullptr;
    QRadioButton *m_optStaunton = nullptr;
    QRadioButton *m_optViceDm = nullptr;
    QRadioButton *m_optViceStunt = nullptr;

    QLineEdit *m_server = nullptr;
    QLineEdit *m_port = nullptr;
    QLineEdit *m_ase = nullptr;
    QCheckBox *m_aseReporting = nullptr;
    QLineEdit *m_players = nullptr;
    QLineEdit *m_hour = nullptr;
    QLineEdit *m_minute = nullptr;
    QCheckBox *m_weather = nullptr;
    QLineEdit *m_password = nullptr;
    QCheckBox *m_admin = nullptr;
    QLineEdit *m_adminPort = nullptr;
    QLineEdit *m_adminPassword = nullptr;
    QCheckBox *m_shutdown = nullptr;
    QCheckBox *m_adminPlus = nullptr;
    QLineEdit *m_adminPlusPassword = nullptr;
    QCheckBox *m_motdEnabled = nullptr;
};
