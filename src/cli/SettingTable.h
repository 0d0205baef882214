#pragma once

#include "config/ConfigFields.h"
#include "rules/SettingChecks.h"

#include <QList>
#include <QString>

#include <initializer_list>
#include <optional>

// The settings the command line reads and writes, under the file's own key
// names, each tied to the classic editor's field that holds it.
struct Setting {
    QString key;
    SettingKind kind;
    QString ClassicFields::*text = nullptr;       // a text field, or the map's text
    Qt::CheckState ClassicFields::*box = nullptr; // a check box
};

// In the file's order, the settings only the classic editor holds last.
const QList<Setting> &settingTable();
// The setting a key names, without regard to letter case.
const Setting *findSetting(const QString &key);
// "ServerName, ServerPort, ..." for messages; only the keys of `kinds` when
// any are given.
QString settingKeyList(std::initializer_list<SettingKind> kinds = {});

// The value as the classic editor holds it: a field's text, "1" or "0" for a
// box, the map's name for GameMap.
QString heldValue(const Setting &setting, const ClassicFields &fields);
// Puts a value that passed valueRefusal() into its field; a map, given by
// number or by name in any letter case, becomes the name the editor lists.
// Nothing else runs: setting the map leaves the player count alone.
void applyValue(const Setting &setting, ClassicFields &fields, const QString &value);

// The rule a value breaks, player counts judged against the game of
// `mapText` (the classic editor's map text); texts must also fit the file's
// Windows-1252 code page.
std::optional<QString> valueRefusal(const Setting &setting, const QString &value, const QString &mapText);

// "ServerPort \"20x3\" is refused: a port is 1 to 5 digits."
QString refusalSentence(const Setting &setting, const QString &value, const QString &rule);

// A value set accepts but the server cannot work with, and the settings it
// involves: a port of 0 or above 65535, a server name under 3 characters,
// and, for an admin panel that is on, an admin port out of range or equal to
// the game's.
struct UnworkableValue {
    QList<const Setting *> settings;
    QString sentence; // "ServerPort \"0\" cannot work: a port is a number from 1 to 65535."
};
QList<UnworkableValue> unworkableValues(const ClassicFields &fields);

// A value as a message quotes it: control characters by their code points
// ("<U+001B>"), so nothing in a value acts on the terminal.
QString shownValue(const QString &value);

// A text as a terminal shows it: like shownValue(), but line breaks and tabs
// stay as they are.
QString shownText(const QString &text);

// Whether standard output is a terminal rather than a file or a pipe.
bool standardOutputIsTerminal();
