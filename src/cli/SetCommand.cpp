#include "SetCommand.h"

#include "ClassicSession.h"
#include "SettingTable.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "files/FolderLock.h"

#include <QDir>
#include <QHash>

#include <algorithm>

struct GivenValue {
    const Setting *setting;
    QString value;
};

namespace {

bool givesSetting(const QList<GivenValue> &given, const Setting *setting)
{
    return std::any_of(given.cbegin(), given.cend(), [setting](const GivenValue &g) { return g.setting == setting; });
}

// Every refusal, so that one run shows all that needs mending. Player counts
// are judged against the map the run ends with.
QStringList refusals(const QList<GivenValue> &given, const ClassicFields &fields)
{
    const Setting *mapSetting = findSetting(QStringLiteral("GameMap"));
    QString mapText = fields.cmbgamemode;
    for (const GivenValue &g : given) {
        if (g.setting == mapSetting && !valueRefusal(*mapSetting, g.value, mapText)) {
            ClassicFields probe;
            applyValue(*mapSetting, probe, g.value);
            mapText = probe.cmbgamemode;
        }
    }
    QStringList sentences;
    for (const GivenValue &g : given) {
        if (const std::optional<QString> rule = valueRefusal(*g.setting, g.value, mapText))
            sentences << refusalSentence(*g.setting, g.value, *rule);
    }
    // A new map can leave the player count read from the file over its
    // game's limit; the classic map rule does not run here, so the operator
    // says what the count becomes.
    const GameFamily family = familyOfMapText(mapText);
    if (givesSetting(given, mapSetting) && !givesSetting(given, findSetting(QStringLiteral("MaxPlayers")))
        && leadingValue(fields.txtplayers) > playerLimit(family)) {
        sentences << QStringLiteral("MaxPlayers \"%1\", as kvxserver.conf holds it, is over the limit of %2 "
                                    "players for %3, a %4 map: give MaxPlayers too, for example MaxPlayers=%2.")
                         .arg(shownValue(fields.txtplayers))
                         .arg(playerLimit(family))
                         .arg(mapText, familyName(family));
    }
    return sentences;
}

// Puts the values in and commits them as the classic editor does. Values
// that cannot work are written all the same, as the windows write them;
// only the values given now are warned about, a file's old ones are check's
// to report.
void apply(const QList<GivenValue> &given, ClassicSession &session, const CommandContext &context)
{
    for (const GivenValue &g : given)
        applyValue(*g.setting, session.fields, g.value);
    for (const UnworkableValue &unworkable : unworkableValues(session.fields)) {
        const bool givenNow = std::any_of(unworkable.settings.cbegin(), unworkable.settings.cend(),
                                          [&](const Setting *setting) { return givesSetting(given, setting); });
        if (givenNow)
            context.message(QStringLiteral("warning: ") + unworkable.sentence);
    }
    for (const CommitAlert alert : commitclassic(session.document, session.fields, session.firstPage))
        context.message(QStringLiteral("warning: ") + commitAlertText(alert));
}

int save(const ClassicSession &session, const CommandContext &context)
{
    const bool backup = keepsBackup(session.file, session.document);
    bool changed = false;
    const Result<void> saved = saveconfigIfUnchanged(session.path, session.document, session.file, &changed);
    if (!saved) {
        context.message(saved.error());
        return ExitFileError;
    }
    if (backup) {
        context.message(QStringLiteral("%1 held changes made by hand, which the template's text replaced; the old "
                                       "file is kept in %2.")
                            .arg(configFileName(), QDir::toNativeSeparators(backupFilePath(session.path))));
    }
    return ExitDone;
}

} // namespace

std::optional<QList<GivenValue>> SetCommand::givenValues(const QStringList &arguments,
                                                         const CommandContext &context) const
{
    QHash<const Setting *, QString> lastValues;
    for (const QString &argument : arguments) {
        const qsizetype equals = argument.indexOf(u'=');
        if (equals < 0) {
            usageError(QStringLiteral("\"%1\" is not KEY=VALUE").arg(shownValue(argument)), context);
            return std::nullopt;
        }
        const QString key = argument.left(equals);
        const Setting *setting = findSetting(key);
        if (!setting) {
            context.message(QStringLiteral("there is no setting \"%1\"; the settings are %2.")
                                .arg(shownValue(key), settingKeyList()));
            return std::nullopt;
        }
        lastValues.insert(setting, argument.mid(equals + 1));
    }
    QList<GivenValue> given;
    for (const Setting &setting : settingTable()) {
        if (const auto found = lastValues.constFind(&setting); found != lastValues.constEnd())
            given.append({&setting, *found});
    }
    return given;
}

int SetCommand::execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context)
{
    const std::optional<QList<GivenValue>> given = givenValues(parser.positionalArguments(), context);
    if (!given)
        return ExitRefused;
    // From the first read to the replaced file, no other run of the tool
    // changes the folder's files.
    FolderLock lock(folder);
    if (!lock.acquire()) {
        context.message(lock.error());
        return ExitFileError;
    }
    Result<ClassicSession> open = openClassic(folder);
    if (!open) {
        context.message(open.error());
        return ExitFileError;
    }
    if (const QStringList refused = refusals(*given, open->fields); !refused.isEmpty()) {
        for (const QString &sentence : refused)
            context.message(sentence);
        context.message(QStringLiteral("nothing was written."));
        return ExitRefused;
    }
    apply(*given, open.value(), context);
    return save(open.value(), context);
}
