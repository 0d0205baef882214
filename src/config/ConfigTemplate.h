#pragma once

#include <QString>

enum class TemplateVariant { Wizard, Classic };

// Fixed indices of the lines the builders and commits write.
namespace ConfigLine {
constexpr int Count = 255;
constexpr int ServerName = 5;
constexpr int ServerPort = 26;
constexpr int MaxPlayers = 41;
constexpr int GameMap = 50;
constexpr int GameHour = 57;
constexpr int GameMins = 64;
constexpr int RandomWeather = 72;
constexpr int MOTDEnabled = 77;
constexpr int MOTDURL = 83;
constexpr int ASE = 93;
constexpr int StatLogging = 129;
constexpr int ServerPasswordEnabled = 138;
constexpr int ServerPassword = 145;
constexpr int AdminServer = 153;
constexpr int AdminPlus = 162;
constexpr int AdminPort = 169;
constexpr int AdminPassword = 176;
constexpr int AdminPlusPassword = 183;
constexpr int AdminAllowShutdown = 191;
constexpr int Generated = 252;
constexpr int Mode = 253;
constexpr int ShowPage1 = 254;
}

// The template's fixed text of line `index` in the given variant. Value lines
// (the ones a builder composes from fields) have no fixed text: the result is
// a null QString for them.
QString templateLine(int index, TemplateVariant variant);

// The setting a line belongs to ("ServerName" for lines 0 to 6), or an empty
// string for the section header and the tool-state lines. Used to name the
// setting in error messages.
QString settingOfLine(int index);
