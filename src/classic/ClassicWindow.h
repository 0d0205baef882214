#pragma once

#include "ui/ToolContext.h"
#include "ClassicHost.h"
#include "config/ConfigDocument.h"
#include "config/ConfigFields.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class UpDownSpinner;

// `frmclassic`: every setting in one window, with the message of the day.
class ClassicWindow final : public QWidget
{
    Q_OBJECT
public:
    ClassicWindow(ClassicHost *host, const ToolContext &context);

    // Shows the window; the first showing loads it (map list, kvxserver.conf,
    // motd.txt, the reader's values, the rebuilt document, listen mode). Later
    // showings bring it back as it was left.
    void showClassic();

    const ConfigDocument &document() const { return m_document; }

    // The controls' current values.
    ClassicFields fields() const;
    // Sets every control, with the reactions the operator's changes have.
    void setFields(const ClassicFields &fields);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildForm();
    void setTabOrderChain();
    void nameForScreenReaders();
    void load();
    void switchOnListenMode();
    void focusFirstField();
    void centreOnScreen();

    void saveAndLaunch();
    bool writeFiles();
    void backToWizard();

    QString motdText() const;
    void setMotdText(const QString &crLfText);

    ClassicHost *m_host;
    ToolContext m_context;
    ConfigDocument m_document;
    bool m_loaded = false;
    QList<QWidget *> m_tabOrder;

    // The five frames listen mode locks, and the notice it lays over them.
    QGroupBox *m_serverNameFrame = nullptr;
    QGroupBox *m_playersFrame = nullptr;
    QGroupBox *m_aseFrame = nullptr;
    QGroupBox *m_portFrame = nullptr;
    QGroupBox *m_mapFrame = nullptr;
    QGroupBox *m_listenNotice = nullptr;

    QLineEdit *m_txtserver = nullptr;
    QLineEdit *m_txtplayers = nullptr;
    QLineEdit *m_txtport = nullptr;
    QComboBox *m_cmbgamemode = nullptr;
    QCheckBox *m_ChkASE = nullptr;
    QCheckBox *m_chkadmin = nullptr;
    QCheckBox *m_chkadminplus = nullptr;
    QCheckBox *m_chkshutdown = nullptr;
    QLineEdit *m_txtadminport = nullptr;
    QLineEdit *m_txtadminpwd = nullptr;
    QLineEdit *m_txtadminpluspwd = nullptr;
    QLineEdit *m_txthour = nullptr;
    UpDownSpinner *m_hourSpinner = nullptr;
    QLineEdit *m_txtminute = nullptr;
    UpDownSpinner *m_minuteSpinner = nullptr;
    QCheckBox *m_chkweather = nullptr;
    QLineEdit *m_txtpwd = nullptr;
    QCheckBox *m_statLogging = nullptr;
    QCheckBox *m_chkmotd = nullptr;
    QPlainTextEdit *m_motdText = nullptr;
    QLineEdit *m_txturl = nullptr;

    QPushButton *m_cancel = nullptr;
    QPushButton *m_saveAndLaunch = nullptr;
    QPushButton *m_about = nullptr;
    QPushButton *m_toWizard = nullptr;
};
