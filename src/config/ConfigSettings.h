#pragma once

#include "ConfigFields.h"
#include "rules/SettingChecks.h"

#include <QString>

#include <optional>
#include <span>
#include <type_traits>

// How a setting's line holds its value, and so how the reader takes it out
// and the tool writes it.
enum class SettingForm {
    Quoted,         // key, space, the value in quotes
    Bare,           // key, space, the value
    Time,           // like Bare; read only from a line of one or two digits
    Switch,         // key, space, 0 or 1; read from the last character
    OneOnly,        // like Switch, but a read "1" ticks and nothing clears
    Map,            // key, space, the map's number 1 to 5
    PasswordSwitch, // 0 clears the password; 1 takes the last password line
    Password,       // like Quoted; read only through its switch
};

// One setting of kvxserver.conf: its key, the template line it sits on, its
// form, the command line's check, and the field each front end holds it in.
// A field of CommonFields serves both front ends; a classic field only the
// classic editor. The wizard holds the map as its option buttons.
struct ConfigSetting {
    const char *key;
    int line;
    SettingForm form;
    std::optional<SettingKind> check = std::nullopt; // none: the command line does not offer it
    QString CommonFields::*text = nullptr;
    Qt::CheckState CommonFields::*box = nullptr;
    QString ClassicFields::*classicText = nullptr;
    Qt::CheckState ClassicFields::*classicBox = nullptr;
};

// Every setting the tool reads and writes, in the file's order.
std::span<const ConfigSetting> configSettings();

// The setting a field holds.
const ConfigSetting &settingHolding(QString CommonFields::*text);

// The field that holds a setting in a front end's fields, or null when that
// front end does not hold it.
template<class Fields, class Member>
auto *heldField(Fields &fields, Member CommonFields::*common, Member ClassicFields::*classic)
{
    using Held = std::conditional_t<std::is_const_v<Fields>, const Member, Member>;
    Held *held = nullptr;
    if (common)
        held = &(fields.*common);
    if constexpr (std::is_base_of_v<ClassicFields, std::remove_const_t<Fields>>) {
        if (classic)
            held = &(fields.*classic);
    }
    return held;
}

template<class Fields>
auto *textField(const ConfigSetting &setting, Fields &fields)
{
    return heldField(fields, setting.text, setting.classicText);
}

template<class Fields>
auto *boxField(const ConfigSetting &setting, Fields &fields)
{
    return heldField(fields, setting.box, setting.classicBox);
}

// The line a value gives a setting in its form: a text as it stands, "1" or
// "0" for the switches. Not for the map, whose line each front end composes.
QString settingLine(const ConfigSetting &setting, const QString &value);

// The line the fields give a setting, a greyed box written as 0; nothing for
// the map and for a setting the front end does not hold.
template<class Fields>
std::optional<QString> lineFromFields(const ConfigSetting &setting, const Fields &fields)
{
    if (setting.form == SettingForm::PasswordSwitch)
        return settingLine(setting, (fields.*setting.text).isEmpty() ? QStringLiteral("0") : QStringLiteral("1"));
    if (const Qt::CheckState *box = boxField(setting, fields))
        return settingLine(setting, *box == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0"));
    if (const QString *text = textField(setting, fields); text && setting.form != SettingForm::Map)
        return settingLine(setting, *text);
    return std::nullopt;
}
