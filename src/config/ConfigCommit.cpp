#include "ConfigCommit.h"

#include "ConfigBuilder.h"
#include "ConfigSettings.h"
#include "ConfigTemplate.h"

#include <algorithm>

namespace {

// The admin panel's texts: written only while their box is ticked, and then
// only when filled in, else reported.
struct AdminText {
    QString CommonFields::*text;
    Qt::CheckState CommonFields::*box;
    CommitAlert alert;
};

// In the order the alerts are shown.
constexpr AdminText adminTexts[] = {
    {&CommonFields::txtadminpwd, &CommonFields::chkadmin, CommitAlert::txtadminpwd},
    {&CommonFields::txtadminport, &CommonFields::chkadmin, CommitAlert::txtadminport},
    {&CommonFields::txtadminpluspwd, &CommonFields::chkadminplus, CommitAlert::txtadminpluspwd},
};

bool adminText(const ConfigSetting &setting)
{
    return std::any_of(std::begin(adminTexts), std::end(adminTexts),
                       [&setting](const AdminText &admin) { return setting.text == admin.text; });
}

// Whether the commit leaves a setting's line as it was.
template<class Fields>
bool keepsLine(const ConfigSetting &setting, const Fields &fields)
{
    // A greyed box keeps its line, but for the statistics box and Admin Plus,
    // which write it as 0.
    if (const Qt::CheckState *box = boxField(setting, fields); box && *box == Qt::PartiallyChecked)
        return setting.form == SettingForm::Switch && setting.box != &CommonFields::chkadminplus;
    // An empty password turns the password off and leaves the old one.
    if (setting.form == SettingForm::Password)
        return fields.txtpwd.isEmpty();
    return adminText(setting);
}

template<class Fields>
QList<CommitAlert> commitFields(ConfigDocument &document, const Fields &fields, const QString &mapLine,
                                const FirstPageChoices &firstPage)
{
    for (const ConfigSetting &setting : configSettings()) {
        if (setting.form == SettingForm::Map) {
            if (!mapLine.isNull())
                document.setLine(setting.line, mapLine);
        } else if (!keepsLine(setting, fields)) {
            if (const std::optional<QString> line = lineFromFields(setting, fields))
                document.setLine(setting.line, *line);
        }
    }

    QList<CommitAlert> alerts;
    for (const AdminText &admin : adminTexts) {
        if (fields.*admin.box != Qt::Checked)
            continue;
        const QString &text = fields.*admin.text;
        if (text.isEmpty())
            alerts << admin.alert;
        else
            document.setLine(settingHolding(admin.text).line, settingLine(settingHolding(admin.text), text));
    }

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
    case CommitAlert::txtadminpwd: return QStringLiteral("The Adminpanel password needs to be filled in");
    case CommitAlert::txtadminport: return QStringLiteral("The Adminpanel port needs to be filled in");
    case CommitAlert::txtadminpluspwd: return QStringLiteral("The Admin plus password needs to be filled in");
    }
    return QString();
}

QString commitAlertTitle()
{
    return QStringLiteral("KVX Alert");
}

QList<CommitAlert> commitwizard(ConfigDocument &document, const WizardFields &fields, const FirstPageChoices &firstPage)
{
    return commitFields(document, fields, wizardMapLine(fields.map), firstPage);
}

QList<CommitAlert> commitclassic(ConfigDocument &document, const ClassicFields &fields,
                                 const FirstPageChoices &firstPage)
{
    return commitFields(document, fields, classicMapLine(fields.cmbgamemode), firstPage);
}
