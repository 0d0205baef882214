#pragma once

#include <QString>

enum class TemplateVariant { Wizard, Classic };

// The template's length and its tool-state lines; the settings' lines are in
// configSettings().
namespace ConfigLine {
constexpr int Count = 255;
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
