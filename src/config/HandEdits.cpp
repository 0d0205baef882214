#include "HandEdits.h"

#include "ConfigSettings.h"
#include "ConfigTemplate.h"

#include <algorithm>
#include <optional>

namespace {

const ConfigSetting *findSetting(int index)
{
    const auto settings = configSettings();
    const auto found = std::find_if(settings.begin(), settings.end(),
                                    [index](const ConfigSetting &s) { return s.line == index; });
    return found == settings.end() ? nullptr : &*found;
}

// The line the tool writes for the value the reader takes out of `line`;
// nothing when the reader takes none.
std::optional<QString> rebuilt(const ConfigSetting &setting, const QString &line)
{
    const QString key = QLatin1String(setting.key);
    if (!line.startsWith(key))
        return std::nullopt;
    const QChar last = line.back();
    switch (setting.form) {
    case SettingForm::Quoted: // the key, a space and a quote are skipped, the last character dropped
    case SettingForm::Password:
        if (line.size() < key.size() + 3)
            return std::nullopt;
        return settingLine(setting, line.mid(key.size() + 2, line.size() - key.size() - 3));
    case SettingForm::Bare: // the key and a space are skipped
        if (line.size() < key.size() + 1)
            return std::nullopt;
        return settingLine(setting, line.mid(key.size() + 1));
    case SettingForm::Time: // a space and one or two characters
        if (line.size() != key.size() + 2 && line.size() != key.size() + 3)
            return std::nullopt;
        return settingLine(setting, line.mid(key.size() + 1));
    case SettingForm::Switch:
    case SettingForm::OneOnly:
    case SettingForm::PasswordSwitch:
        if (last != u'0' && last != u'1')
            return std::nullopt;
        return settingLine(setting, QString(last));
    case SettingForm::Map:
        if (last < u'1' || last > u'5')
            return std::nullopt;
        return settingLine(setting, QString(last));
    }
    return std::nullopt;
}

// The tool-state lines as the tool writes what the reader takes out of them.
std::optional<QString> rebuiltToolState(int index, const QString &line)
{
    if (index == ConfigLine::Mode && line.startsWith(QLatin1String("#mode: "))) {
        if (line.endsWith(QLatin1String("classic")))
            return QStringLiteral("#mode: classic");
        if (line.endsWith(QLatin1String("wizard")))
            return QStringLiteral("#mode: wizard");
    }
    const QString showPage1 = QStringLiteral("#show page 1: ");
    if (index == ConfigLine::ShowPage1 && line.startsWith(showPage1) && (line.back() == u'0' || line.back() == u'1'))
        return showPage1 + line.back();
    return std::nullopt;
}

} // namespace

bool managedLine(int index)
{
    return findSetting(index) || index == ConfigLine::Mode || index == ConfigLine::ShowPage1;
}

bool toolFormedLine(int index, const QString &line)
{
    const ConfigSetting *found = findSetting(index);
    if (!found)
        return managedLine(index) && rebuiltToolState(index, line) == line;
    // The classic editor writes this for a map it does not know.
    if (found->form == SettingForm::Map && line == QLatin1String("Game 1"))
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
