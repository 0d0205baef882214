#include "ConfigSettings.h"

#include "ConfigLines.h"

#include <algorithm>
#include <array>

namespace {

using C = CommonFields;
using F = SettingForm;
using K = SettingKind;

// Adding a setting: a row here, its lines in the template, its control.
constexpr std::array settings = {
    ConfigSetting{"ServerName", 5, F::Quoted, K::Text, &C::txtserver},
    ConfigSetting{"ServerPort", 26, F::Bare, K::Port, &C::txtport},
    ConfigSetting{"MaxPlayers", 41, F::Bare, K::PlayerCount, &C::txtplayers},
    ConfigSetting{"GameMap", 50, F::Map, K::Map, nullptr, nullptr, &ClassicFields::cmbgamemode},
    ConfigSetting{"GameHour", 57, F::Time, K::Hour, &C::txthour},
    ConfigSetting{"GameMins", 64, F::Time, K::Minute, &C::txtminute},
    ConfigSetting{"RandomWeather", 72, F::Switch, K::Switch, nullptr, &C::chkweather},
    ConfigSetting{"MOTDEnabled", 77, F::Switch, K::Switch, nullptr, &C::chkmotd},
    ConfigSetting{"MOTDURL", 83, F::Quoted, K::Text, &C::txturl},
    ConfigSetting{"ASE", 93, F::Switch, K::Switch, nullptr, &C::ChkASE},
    ConfigSetting{"StatLogging", 129, F::OneOnly, K::Switch, nullptr, nullptr, nullptr, &ClassicFields::statLogging},
    ConfigSetting{"ServerPasswordEnabled", 138, F::PasswordSwitch, std::nullopt, &C::txtpwd},
    ConfigSetting{"ServerPassword", 145, F::Password, K::Text, &C::txtpwd},
    ConfigSetting{"AdminServer", 153, F::Switch, K::Switch, nullptr, &C::chkadmin},
    ConfigSetting{"AdminPlus", 162, F::Switch, K::Switch, nullptr, &C::chkadminplus},
    ConfigSetting{"AdminPort", 169, F::Bare, K::OptionalPort, &C::txtadminport},
    ConfigSetting{"AdminPassword", 176, F::Quoted, K::Text, &C::txtadminpwd},
    ConfigSetting{"AdminPlusPassword", 183, F::Quoted, K::Text, &C::txtadminpluspwd},
    ConfigSetting{"AdminAllowShutdown", 191, F::Switch, K::Switch, nullptr, &C::chkshutdown},
};

} // namespace

std::span<const ConfigSetting> configSettings()
{
    return settings;
}

const ConfigSetting &settingHolding(QString CommonFields::*text)
{
    // The password's switch comes first in the file but holds no text of its own.
    return *std::find_if(settings.begin(), settings.end(), [text](const ConfigSetting &setting) {
        return setting.text == text && setting.form != SettingForm::PasswordSwitch;
    });
}

QString settingLine(const ConfigSetting &setting, const QString &value)
{
    const QString key = QLatin1String(setting.key);
    switch (setting.form) {
    case SettingForm::Quoted:
    case SettingForm::Password:
        return quotedLine(key, value);
    case SettingForm::Switch:
    case SettingForm::OneOnly:
    case SettingForm::PasswordSwitch:
        return switchLine(key, value == QLatin1String("1"));
    case SettingForm::Bare:
    case SettingForm::Time:
    case SettingForm::Map:
        break;
    }
    return bareLine(key, value);
}
