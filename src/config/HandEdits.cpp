#include "HandEdits.h"

#include "ConfigLines.h"
#include "ConfigTemplate.h"

#include <algorithm>

bool managedLine(int index)
{
    static const int managed[] = {
        ConfigLine::ServerName, ConfigLine::ServerPort, ConfigLine::MaxPlayers, ConfigLine::GameMap,
        ConfigLine::GameHour, ConfigLine::GameMins, ConfigLine::RandomWeather, ConfigLine::MOTDEnabled,
        ConfigLine::MOTDURL, ConfigLine::ASE, ConfigLine::StatLogging, ConfigLine::ServerPasswordEnabled,
        ConfigLine::ServerPassword, ConfigLine::AdminServer, ConfigLine::AdminPlus, ConfigLine::AdminPort,
        ConfigLine::AdminPassword, ConfigLine::AdminPlusPassword, ConfigLine::AdminAllowShutdown,
        ConfigLine::Mode, ConfigLine::ShowPage1,
    };
    return std::find(std::begin(managed), std::end(managed), index) != std::end(managed);
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
        if (line == document.line(i) || managedLine(int(i)))
            continue;
        if (line != templateLine(int(i), TemplateVariant::Wizard) && line != templateLine(int(i), TemplateVariant::Classic))
            edits.lines << int(i);
    }
    return edits;
}
