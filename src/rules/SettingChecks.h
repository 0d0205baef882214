#pragma once

#include "InputRules.h"
#include "files/CodePage.h"

#include <QList>
#include <QString>

#include <optional>

// What a value given for a setting outside the windows (on the command line)
// must look like, built on the windows' rules. Each check returns the rule
// the value breaks, worded for the operator, or nothing when it keeps it.

// The kinds of value kvxserver.conf's settings take.
enum class SettingKind {
    Text,         // server name, passwords, MOTD address
    Port,         // 1 to 5 digits
    OptionalPort, // 1 to 5 digits, or empty
    PlayerCount,  // 2 to the map's limit
    Map,          // 1 to 5, or a map name
    Hour,         // 0 to 23
    Minute,       // 0 to 59
    Switch,       // 0 or 1
};

// The player limit of a game: 32 for GTA III, 26 for Vice City.
int playerLimit(GameFamily family);
QString familyName(GameFamily family);

// The map a value names: "1" to "5", or one of `names` (the file's order)
// without regard to letter case. Returns the number, 1 to 5.
std::optional<int> mapNumberOf(const QString &value, const QList<QString> &names);

// Where the first control character of a text lies (U+0000 to U+001F and
// U+007F to U+009F, which would cut or break the value where the server reads
// it), or -1.
qsizetype controlCharacterIndex(const QString &text);

// The rule a value of `kind` breaks. Player counts are judged against
// `family`; map names are looked up in `mapNames`. A text is judged for
// control characters only: the code page belongs to the file.
std::optional<QString> settingRefusal(SettingKind kind, const QString &value, GameFamily family,
                                      const QList<QString> &mapNames);
