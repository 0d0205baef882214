#pragma once

#include "OperatorMessage.h"

#include <QChar>
#include <QString>

#include <optional>

// The key and spinner rules of both front ends, as plain functions of a
// field's text. A rule sees the typed character, the field's current text and
// whether any of it is selected; never the caret.

enum class GameFamily { Gta3, ViceCity };

struct KeyVerdict {
    bool accepted = true;
    std::optional<OperatorMessage> message; // at most one per key press

    static KeyVerdict accept() { return {}; }
};

// The number a text begins with ("12a" gives 12); 0 without leading digits.
// Saturates instead of overflowing.
qint64 leadingValue(const QString &text);
// The number the whole text spells, if it spells one.
std::optional<qint64> strictValue(const QString &text);

// The player-limit filter: limit 32 for GTA III maps, 26 for Vice City.
KeyVerdict playerCountKey(GameFamily family, const QString &text, bool hasSelection, QChar key);
// Ports take digits and Backspace only.
KeyVerdict digitsOnlyKey(QChar key);
// The classic editor's silent time rules.
bool hourKeyAccepted(const QString &text, QChar key);
bool minuteKeyAccepted(const QString &text, QChar key);

// A spinner click: the field's number plus `step` (+1 or -1), wrapping only
// a result of -1 to `maximum` and of `maximum` + 1 to 0. A text that is not a
// number steps from its leading digits (0 for none), so a click always gives
// a plain number.
QString spinValue(const QString &text, int step, int maximum);

// The ASE port for a server port text: the port plus 123, or an empty text
// when the port is not a number from 0 to 65412 (the ASE port would not be a
// port at all).
QString asePortText(const QString &portText);

// The classic editor's game family of a map text: "GTA" at its start, case
// included, is GTA III; every other text is Vice City.
GameFamily familyOfMapText(const QString &mapText);

// A Vice City map holds at most 26 players: a count above is lowered to "26",
// any other text stays.
QString viceCityPlayers(const QString &players);
// The classic editor's map rule, run whenever the map text changes: the
// player count the field should hold afterwards.
QString classicMapRulePlayers(const QString &mapText, const QString &players);
