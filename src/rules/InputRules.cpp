#include "InputRules.h"

#include <limits>

namespace {

const QString onlyNumbers = QStringLiteral("Only numbers can be enterd.");
constexpr char16_t backspace = 8;

bool isDigit(QChar key)
{
    return key.unicode() >= u'0' && key.unicode() <= u'9';
}

bool isBackspace(QChar key)
{
    return key.unicode() == backspace;
}

KeyVerdict refuse(const QString &title, const QString &text)
{
    return {false, OperatorMessage{OperatorMessage::Icon::Exclamation, title, text}};
}

} // namespace

qint64 leadingValue(const QString &text)
{
    constexpr qint64 cap = std::numeric_limits<qint64>::max() / 10 - 9;
    qint64 value = 0;
    for (QChar c : text) {
        if (!isDigit(c))
            break;
        if (value > cap)
            return cap; // large enough for every rule that compares it
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

std::optional<qint64> strictValue(const QString &text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

KeyVerdict playerCountKey(GameFamily family, const QString &text, bool hasSelection, QChar key)
{
    const bool gta3 = family == GameFamily::Gta3;
    const qint64 topDigit = gta3 ? 3 : 2;
    const char16_t lastDigit = gta3 ? u'2' : u'6';
    const QString range = gta3 ? QStringLiteral("Please enter a number between 2 and 32")
                               : QStringLiteral("Please enter a number between 2 and 26");
    const qint64 v = leadingValue(text);
    const char16_t k = key.unicode();

    if (v == 0 && !isDigit(key) && !isBackspace(key))
        return refuse(MessageTitle::error, range);
    if (v == topDigit && !hasSelection && k > lastDigit)
        return refuse(MessageTitle::error, range);
    if (v > topDigit && !hasSelection && !isBackspace(key))
        return refuse(MessageTitle::error, range);
    if (!isDigit(key) && !isBackspace(key))
        return refuse(MessageTitle::playersError,
                      onlyNumbers + QStringLiteral("\r\nPlayer support for 2 to 26(VC) or 32(III) players."));
    return KeyVerdict::accept();
}

KeyVerdict digitsOnlyKey(QChar key)
{
    if (isDigit(key) || isBackspace(key))
        return KeyVerdict::accept();
    return refuse(MessageTitle::error, onlyNumbers);
}

bool hourKeyAccepted(const QString &text, QChar key)
{
    return !(leadingValue(text) == 2 && key.unicode() > u'3');
}

bool minuteKeyAccepted(const QString &text, QChar key)
{
    if (key.unicode() != u'6' || text.isEmpty())
        return true;
    // A text that spells no number has no strict value; the key then passes.
    const std::optional<qint64> value = strictValue(text);
    return !(value && *value > 5);
}

QString spinValue(const QString &text, int step, int maximum)
{
    const qint64 current = strictValue(text).value_or(leadingValue(text));
    constexpr qint64 limit = std::numeric_limits<qint64>::max() / 2;
    qint64 next = qBound(-limit, current, limit) + step;
    if (next == -1)
        next = maximum;
    else if (next == qint64(maximum) + 1)
        next = 0;
    return QString::number(next);
}

QString asePortText(const QString &portText)
{
    const std::optional<qint64> port = strictValue(portText);
    if (!port || *port < 0 || *port > 65535 - 123)
        return QString();
    return QString::number(*port + 123);
}

GameFamily familyOfMapText(const QString &mapText)
{
    return mapText.startsWith(QLatin1String("GTA")) ? GameFamily::Gta3 : GameFamily::ViceCity;
}

QString viceCityPlayers(const QString &players)
{
    return leadingValue(players) > 26 ? QStringLiteral("26") : players;
}

QString classicMapRulePlayers(const QString &mapText, const QString &players)
{
    return mapText.startsWith(QLatin1String("Vice")) ? viceCityPlayers(players) : players;
}
