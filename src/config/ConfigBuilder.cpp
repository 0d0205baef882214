#include "ConfigBuilder.h"

#include "ConfigLines.h"
#include "ConfigTemplate.h"

namespace {

ConfigDocument build(const CommonFields &fields, TemplateVariant variant, const QString &mapLine)
{
    ConfigDocument document;
    for (int i = 0; i < ConfigLine::Count; ++i)
        document.setLine(i, templateLine(i, variant));

    // A greyed box is written as 0, like a cleared one.
    const auto ticked = [](Qt::CheckState state) { return state == Qt::Checked; };
    document.setLine(ConfigLine::ServerName, quotedLine(QStringLiteral("ServerName"), fields.txtserver));
    document.setLine(ConfigLine::ServerPort, bareLine(QStringLiteral("ServerPort"), fields.txtport));
    document.setLine(ConfigLine::MaxPlayers, bareLine(QStringLiteral("MaxPlayers"), fields.txtplayers));
    document.setLine(ConfigLine::GameMap, mapLine);
    document.setLine(ConfigLine::GameHour, bareLine(QStringLiteral("GameHour"), fields.txthour));
    document.setLine(ConfigLine::GameMins, bareLine(QStringLiteral("GameMins"), fields.txtminute));
    document.setLine(ConfigLine::RandomWeather, switchLine(QStringLiteral("RandomWeather"), ticked(fields.chkweather)));
    document.setLine(ConfigLine::MOTDURL, quotedLine(QStringLiteral("MOTDURL"), fields.txturl));
    document.setLine(ConfigLine::ASE, switchLine(QStringLiteral("ASE"), ticked(fields.ChkASE)));
    document.setLine(ConfigLine::ServerPasswordEnabled,
                     switchLine(QStringLiteral("ServerPasswordEnabled"), !fields.txtpwd.isEmpty()));
    document.setLine(ConfigLine::ServerPassword, quotedLine(QStringLiteral("ServerPassword"), fields.txtpwd));
    document.setLine(ConfigLine::AdminServer, switchLine(QStringLiteral("AdminServer"), ticked(fields.chkadmin)));
    document.setLine(ConfigLine::AdminPort, bareLine(QStringLiteral("AdminPort"), fields.txtadminport));
    document.setLine(ConfigLine::AdminPassword, quotedLine(QStringLiteral("AdminPassword"), fields.txtadminpwd));
    document.setLine(ConfigLine::AdminPlusPassword,
                     quotedLine(QStringLiteral("AdminPlusPassword"), fields.txtadminpluspwd));
    document.setLine(ConfigLine::AdminAllowShutdown,
                     switchLine(QStringLiteral("AdminAllowShutdown"), ticked(fields.chkshutdown)));
    return document;
}

} // namespace

QString wizardMapLine(WizardMap map)
{
    return QStringLiteral("GameMap %1").arg(int(map));
}

QString classicMapLine(const QString &cmbgamemode)
{
    const qsizetype index = classicMapNames().indexOf(cmbgamemode);
    return index < 0 ? QString() : QStringLiteral("GameMap %1").arg(index + 1);
}

ConfigDocument buildwizard(const WizardFields &fields)
{
    return build(fields, TemplateVariant::Wizard, wizardMapLine(fields.map));
}

ConfigDocument buildclassic(const ClassicFields &fields)
{
    const QString mapLine = classicMapLine(fields.cmbgamemode);
    return build(fields, TemplateVariant::Classic, mapLine.isNull() ? QStringLiteral("Game 1") : mapLine);
}
