#include "HandEdits.h"

#include "ConfigLines.h"
#include "ConfigTemplate.h"

#include <algorithm>
#include <optional>

namespace {

// How the reader takes a managed line's value, and so how the tool writes it.
enum class Form { Quoted, Bare, Time, Switch, Map, Mode, ShowPage1 };

struct ManagedLine {
    int index;
    const char *key;
    Form form;
};

constexpr ManagedLine managed[] = {
    {ConfigLine::ServerName, "ServerName", Form::Quoted},
    {ConfigLine::ServerPort, "ServerPort", Form::Bare},
    {ConfigLine::MaxPlayers, "MaxPlayers", Form::Bare},
    {ConfigLine::GameMap, "GameMap", Form::Map},
    {ConfigLine::GameHour, "GameHour", Form::Time},
    {ConfigLine::GameMins, "GameMins", Form::Time},
    {ConfigLine::RandomWeather, "RandomWeather", Form::Switch},
    {ConfigLine::MOTDEnabled, "MOTDEnabled", Form::Switch},
    {ConfigLine::MOTDURL, "MOTDURL", Form::Quoted},
    {ConfigLine::ASE, "ASE", Form::Switch},
    {ConfigLine::StatLogging, "StatLogging", Form::Switch},
    {ConfigLine::ServerPasswordEnabled, "ServerPasswordEnabled", Form::Switch},
    {ConfigLine::ServerPassword, "ServerPassword", Form::Quoted},
    {ConfigLine::AdminServer, "AdminServer", Form::Switch},
    {ConfigLine::AdminPlus, "AdminPlus", Form::Switch},
    {ConfigLine::AdminPort, "AdminPort", Form::Bare},
    {ConfigLine::AdminPassword, "AdminPassword", Form::Quoted},
    {ConfigLine::AdminPlusPassword, "AdminPlusPassword", Form::Quoted},
    {ConfigLine::AdminAllowShutdown, "AdminAllowShutdown", Form::Switch},
    {ConfigLine::Mode, "#mode: ", Form::Mode},
    {ConfigLine::ShowPage1, "#show page 1: ", Form::ShowPage1},
};

const ManagedLine *findManaged(int index)
{
    const auto found = std::find_if(std::begin(managed), std::end(managed),
                                    [index](const ManagedLine &m) { return m.index == index; });
    return found == std::end(managed) ? nullptr : found;
}

// The line the tool writes for the value the reader takes out of `line`;
// nothing when the reader takes none.
std::optional<QString> rebuilt(const ManagedLine &managedLine, const QString &line)
{
    const QString key = QLatin1String(managedLine.key);
    if (!line.startsWith(key))
        return std::nullopt;
    const QChar last = line.back();
    switch (managedLine.form) {
    case Form::Quoted: // the key, a space and a quote are skipped, the last character dropped
        if (line.size() < key.size() + 3)
            return std::nullopt;
        return quotedLine(key, line.mid(key.size() + 2, line.size() - key.size() - 3));
    case Form::Bare: // the key and a space are skipped
        if (line.size() < key.size() + 1)
            return std::nullopt;
        return bareLine(key, line.mid(key.size() + 1));
    case Form::Time: // the last one or two characters of a line of 10 or 11
        if (line.size() != 10 && line.size() != 11)
            return std::nullopt;
        return bareLine(key, line.right(line.size() - 9));
    case Form::Switch:
        if (last != u'0' && last != u'1')
            return std::nullopt;
        return switchLine(key, last == u'1');
    case Form::Map:
        if (last < u'1' || last > u'5')
            return std::nullopt;
        return QStringLiteral("GameMap ") + last;
    case Form::Mode:
        if (line.endsWith(QLatin1String("classic")))
            return QStringLiteral("#mode: classic");
        if (line.endsWith(QLatin1String("wizard")))
            return QStringLiteral("#mode: wizard");
        return std::nullopt;
    case Form::ShowPage1:
        if (last != u'0' && last != u'1')
            return std::nullopt;
        return key + last;
    }
    return std::nullopt;
}

} // namespace

bool managedLine(int index)
{
    return findManaged(index) != nullptr;
}

bool toolFormedLine(int index, const QString &line)
{
    const ManagedLine *found = findManaged(index);
    if (!found)
        return false;
    // The classic editor writes this for a map it does not know.
    if (found->form == Form::Map && line == QLatin1String("Game 1"))
        return true;
    return rebuilt(*found, line) == line;
}

HandEdits findHandEdits(const QStringList &old, const ConfigDocument &document)
{
    HandEdits edits;
    edits.otherLineCount = old.size() != document.count();
    // Either front end's template text counts as the tool's own, so a file
    // saved by one and then by the other holds no hand edits.
    const qsizetype common = std::min(old.size(), document.count());
    for (qsizetype i = 0; i < common; ++i) {
        const QString &line = old.at(i);
        if (line == document.line(i))
            continue;
        if (managedLine(int(i))) {
            if (!toolFormedLine(int(i), line))
                edits.lines << int(i);
        } else if (line != templateLine(int(i), TemplateVariant::Wizard)
                   && line != templateLine(int(i), TemplateVariant::Classic)) {
            edits.lines << int(i);
        }
    }
    return edits;
}
