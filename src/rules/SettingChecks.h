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
// without regard to letter case, a GTA III map also as "GTA III - ..." for
// "GTA3 - ...". Returns the number, 1 to 5.
std::optional<int> mapNumberOf(const QString &value, const QList<QString> &names);

// Values set accepts that cannot work: the server cannot listen on port 0 or
// above 65535, and the file asks for a server name of at least 3 characters.
// Each returns the rule broken; a value that is not 1 to 5 digits is left to
// settingRefusal().
std::optional<QString> portProblem(const QString &value);
std::optional<QString> serverNameProblem(const QString &value);
// Whether two ports of 1 to 5 digits are the same number ("02003" and "2003").
bool samePort(const QString &a, const QString &b);

// Where the first control character of a text lies (U+0000 to U+001F and
// U+007F to U+009F, which would cut or break the value where the server reads
// it), or -1.
qsizetype controlCharacterIndex(const QString &text);

// The rule a value of `kind` breaks. Player counts are judged against
// `family`; map names are looked up in `mapNames`. A text is judged for
// control characters only: the code page belongs to the file.
std::optional<QString> settingRefusal(SettingKind kind, const QString &value, GameFamily family,
                                      const QList<QString> &mapNames);
