#include "SettingChecks.h"

namespace {

bool asciiDigits(const QString &text, qsizetype minimum, qsizetype maximum)
{
    if (text.size() < minimum || text.size() > maximum)
        return false;
    for (QChar c : text) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    }
    return true;
}

// One or two digits from 0 to `maximum`; leadingValue() reads them, as the
// windows' time rules read their fields.
bool timeText(const QString &text, int maximum)
{
    return asciiDigits(text, 1, 2) && leadingValue(text) <= maximum;
}

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f);
}

} // namespace

int playerLimit(GameFamily family)
{
    return family == GameFamily::Gta3 ? 32 : 26;
}

QString familyName(GameFamily family)
{
    return family == GameFamily::Gta3 ? QStringLiteral("GTA III") : QStringLiteral("Vice City");
}

std::optional<int> mapNumberOf(const QString &value, const QList<QString> &names)
{
    if (value.size() == 1 && value.at(0) >= u'1' && value.at(0) <= u'5')
        return value.at(0).unicode() - u'0';
    // The wizard spells the GTA III maps "GTA III - ...", the classic editor
    // and the file's names "GTA3 - ..."; either names the map.
    const QString wizardPrefix = QStringLiteral("GTA III - ");
    QString name = value;
    if (name.startsWith(wizardPrefix, Qt::CaseInsensitive))
        name = QStringLiteral("GTA3 - ") + name.mid(wizardPrefix.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (name.compare(names.at(i), Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    }
    return std::nullopt;
}

std::optional<QString> portProblem(const QString &value)
{
    // Digits only; a value set refuses is judged by that rule instead.
    if (!asciiDigits(value, 1, 5))
        return std::nullopt;
    const qint64 port = leadingValue(value);
    if (port >= 1 && port <= 65535)
        return std::nullopt;
    return QStringLiteral("a port is a number from 1 to 65535");
}

std::optional<QString> serverNameProblem(const QString &value)
{
    if (value.size() >= 3)
        return std::nullopt;
    return QStringLiteral("a server name has at least 3 characters");
}

bool samePort(const QString &a, const QString &b)
{
    return asciiDigits(a, 1, 5) && asciiDigits(b, 1, 5) && leadingValue(a) == leadingValue(b);
}

qsizetype controlCharacterIndex(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isControl(text.at(i)))
            return i;
    }
    return -1;
}

std::optional<QString> settingRefusal(SettingKind kind, const QString &value, GameFamily family,
                                      const QList<QString> &mapNames)
{
    switch (kind) {
    case SettingKind::Text:
        if (const qsizetype bad = controlCharacterIndex(value); bad >= 0)
            return QStringLiteral("a text holds no control character, and this one holds %1")
                .arg(describeCharacterAt(value, bad));
        return std::nullopt;
    case SettingKind::Port:
        if (asciiDigits(value, 1, 5))
            return std::nullopt;
        return QStringLiteral("a port is 1 to 5 digits");
    case SettingKind::OptionalPort:
        if (value.isEmpty() || asciiDigits(value, 1, 5))
            return std::nullopt;
        return QStringLiteral("a port is 1 to 5 digits, or empty");
    case SettingKind::PlayerCount: {
        const int limit = playerLimit(family);
        // Any number of digits, so that "032" is judged by its value; a
        // number too long to read is over every limit.
        if (asciiDigits(value, 1, value.size()) && leadingValue(value) >= 2 && leadingValue(value) <= limit)
            return std::nullopt;
        return QStringLiteral("a whole number from 2 to %1 for a %2 map").arg(limit).arg(familyName(family));
    }
    case SettingKind::Map:
        if (mapNumberOf(value, mapNames))
            return std::nullopt;
        return QStringLiteral("a map is a number from 1 to 5 or one of the names \"%1\"")
            .arg(mapNames.join(QLatin1String("\", \"")));
    case SettingKind::Hour:
        if (timeText(value, 23))
            return std::nullopt;
        return QStringLiteral("an hour is one or two digits, 0 to 23");
    case SettingKind::Minute:
        if (timeText(value, 59))
            return std::nullopt;
        return QStringLiteral("a minute is one or two digits, 0 to 59");
    case SettingKind::Switch:
        if (value == QLatin1String("0") || value == QLatin1String("1"))
            return std::nullopt;
        return QStringLiteral("a switch is 0 or 1");
    }
    return std::nullopt;
}
