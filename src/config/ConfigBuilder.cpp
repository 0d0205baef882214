#include "ConfigBuilder.h"

#include "ConfigLines.h"
#include "ConfigSettings.h"
#include "ConfigTemplate.h"

#include <algorithm>

namespace {

template<class Fields>
ConfigDocument build(const Fields &fields, TemplateVariant variant, const QString &mapLine)
{
    ConfigDocument document;
    for (int i = 0; i < ConfigLine::Count; ++i)
        document.setLine(i, templateLine(i, variant));
    // The template leaves the settings' value lines open; the rest of the
    // settings' lines it writes as they are.
    for (const ConfigSetting &setting : configSettings()) {
        if (templateLine(setting.line, variant).isNull())
            document.setLine(setting.line,
                             setting.form == SettingForm::Map ? mapLine : *lineFromFields(setting, fields));
    }
    return document;
}

QString mapLineOf(int number)
{
    const ConfigSetting &map = *std::find_if(configSettings().begin(), configSettings().end(),
                                             [](const ConfigSetting &s) { return s.form == SettingForm::Map; });
    return bareLine(QLatin1String(map.key), QString::number(number));
}

} // namespace

QString wizardMapLine(WizardMap map)
{
    return mapLineOf(int(map));
}

QString classicMapLine(const QString &cmbgamemode)
{
    const qsizetype index = classicMapNames().indexOf(cmbgamemode);
    return index < 0 ? QString() : mapLineOf(int(index) + 1);
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
