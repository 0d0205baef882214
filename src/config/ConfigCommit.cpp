#include "ConfigCommit.h"

#include "ConfigBuilder.h"
#include "ConfigLines.h"
#include "ConfigTemplate.h"

namespace {

// A check box writes its line only when ticked or cleared; a greyed box
// leaves the line as it was.
void commitSwitch(ConfigDocument &document, int index, const QString &key, Qt::CheckState state)
{
    if (state == Qt::Checked)
        document.setLine(index, switchLine(key, true));
    else if (state == Qt::Unchecked)
        document.setLine(index, switchLine(key, false));
}

QList<CommitAlert> commitCommon(ConfigDocument &document, const CommonFields &fields, const QString &mapLine,
                                const FirstPageChoices &firstPage, const Qt::CheckState *statLogging)
{
    QList<CommitAlert> alerts;
    document.setLine(ConfigLine::ServerName, quotedLine(QStringLiteral("ServerName"), fields.txtserver));
    document.setLine(ConfigLine::ServerPort, bareLine(QStringLiteral("ServerPort"), fields.txtport));
    document.setLine(ConfigLine::MaxPlayers, bareLine(QStringLiteral("MaxPlayers"), fields.txtplayers));
    if (!mapLine.isNull())
        document.setLine(ConfigLine::GameMap, mapLine);
    document.setLine(ConfigLine::GameHour, bareLine(QStringLiteral("GameHour"), fields.txthour));
    document.setLine(ConfigLine::GameMins, bareLine(QStringLiteral("GameMins"), fields.txtminute));
    commitSwitch(document, ConfigLine::RandomWeather, QStringLiteral("RandomWeather"), fields.chkweather);
    commitSwitch(document, ConfigLine::MOTDEnabled, QStringLiteral("MOTDEnabled"), fields.chkmotd);
    document.setLine(ConfigLine::MOTDURL, quotedLine(QStringLiteral("MOTDURL"), fields.txturl));
    commitSwitch(document, ConfigLine::ASE, QStringLiteral("ASE"), fields.ChkASE);
    if (statLogging)
        document.setLine(ConfigLine::StatLogging, switchLine(QStringLiteral("StatLogging"), *statLogging == Qt::Checked));

    if (fields.txtpwd.isEmpty()) {
        document.setLine(ConfigLine::ServerPasswordEnabled, switchLine(QStringLiteral("ServerPasswordEnabled"), false));
    } else {
        document.setLine(ConfigLine::ServerPasswordEnabled, switchLine(QStringLiteral("ServerPasswordEnabled"), true));
        document.setLine(ConfigLine::ServerPassword, quotedLine(QStringLiteral("ServerPassword"), fields.txtpwd));
    }

    if (fields.chkadmin == Qt::Checked) {
        document.setLine(ConfigLine::AdminServer, switchLine(QStringLiteral("AdminServer"), true));
        if (!fields.txtadminpwd.isEmpty())
            document.setLine(ConfigLine::AdminPassword, quotedLine(QStringLiteral("AdminPassword"), fields.txtadminpwd));
        else
            alerts << CommitAlert::AdminPassword;
        if (!fields.txtadminport.isEmpty())
            document.setLine(ConfigLine::AdminPort, bareLine(QStringLiteral("AdminPort"), fields.txtadminport));
        else
            alerts << CommitAlert::AdminPort;
    }

    if (fields.chkadminplus == Qt::Checked) {
        document.setLine(ConfigLine::AdminPlus, switchLine(QStringLiteral("AdminPlus"), true));
        if (!fields.txtadminpluspwd.isEmpty())
            document.setLine(ConfigLine::AdminPlusPassword,
                             quotedLine(QStringLiteral("AdminPlusPassword"), fields.txtadminpluspwd));
        else
            alerts << CommitAlert::AdminPlusPassword;
    } else {
        document.setLine(ConfigLine::AdminPlus, switchLine(QStringLiteral("AdminPlus"), false));
    }

    if (fields.chkadmin == Qt::Unchecked)
        document.setLine(ConfigLine::AdminServer, switchLine(QStringLiteral("AdminServer"), false));
    commitSwitch(document, ConfigLine::AdminAllowShutdown, QStringLiteral("AdminAllowShutdown"), fields.chkshutdown);

    document.setLine(ConfigLine::Mode, QStringLiteral("#mode: wizard"));
    document.setLine(ConfigLine::ShowPage1, QStringLiteral("#show page 1: 1"));
    if (firstPage.chkremember == Qt::Checked) {
        document.setLine(ConfigLine::ShowPage1, QStringLiteral("#show page 1: 0"));
        if (firstPage.OptClassic)
            document.setLine(ConfigLine::Mode, QStringLiteral("#mode: classic"));
        if (firstPage.OptWizard)
            document.setLine(ConfigLine::Mode, QStringLiteral("#mode: wizard"));
    }
    return alerts;
}

} // namespace

QString commitAlertText(CommitAlert alert)
{
    switch (alert) {
    case CommitAlert::AdminPassword: return QStringLiteral("The Adminpanel password needs to be filled in");
    case CommitAlert::AdminPort: return QStringLiteral("The Adminpanel port needs to be filled in");
    case CommitAlert::AdminPlusPassword: return QStringLiteral("The Admin plus password needs to be filled in");
    }
    return QString();
}

QString commitAlertTitle()
{
    return QStringLiteral("KVX Alert");
}

QList<CommitAlert> commitwizard(ConfigDocument &document, const WizardFields &fields, const FirstPageChoices &firstPage)
{
    return commitCommon(document, fields, wizardMapLine(fields.map), firstPage, nullptr);
}

QList<CommitAlert> commitclassic(ConfigDocument &document, const ClassicFields &fields,
                                 const FirstPageChoices &firstPage)
{
    return commitCommon(document, fields, classicMapLine(fields.cmbgamemode), firstPage, &fields.Check5);
}
