#include "SetCommand.h"

#include "ClassicSession.h"
#include "SettingTable.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "files/FolderLock.h"

#include <QDir>

#include <algorithm>

namespace {

struct GivenValue {
    const Setting *setting;
    QString value;
};

} // namespace

SetCommand::SetCommand()
    : Command(QStringLiteral("set"), QStringLiteral("set [KEY=VALUE...]"))
{
}

int SetCommand::execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context)
{
    // In the table's order; a key given twice keeps its last value.
    QList<GivenValue> given;
    for (const QString &argument : parser.positionalArguments()) {
        const qsizetype equals = argument.indexOf(u'=');
        if (equals < 0)
            return usageError(QStringLiteral("\"%1\" is not KEY=VALUE").arg(shownValue(argument)), context);
        const QString key = argument.left(equals);
        const Setting *setting = findSetting(key);
        if (!setting) {
            context.message(QStringLiteral("there is no setting \"%1\"; the settings are %2.")
                              .arg(shownValue(key), settingKeyList()));
            return ExitRefused;
        }
        const auto same = [setting](const GivenValue &g) { return g.setting == setting; };
        given.removeIf(same);
        given.append({setting, argument.mid(equals + 1)});
    }
    // The table's entries lie in one list, so their addresses follow its order.
    std::sort(given.begin(), given.end(),
              [](const GivenValue &a, const GivenValue &b) { return a.setting < b.setting; });

    // From the first read to the replaced file, no other run of the tool
    // changes the folder's files.
    FolderLock lock(folder);
    if (!lock.acquire()) {
        context.message(lock.error());
        return ExitFileError;
    }
    ClassicOpenResult open = openClassic(folder);
    if (!open.ok) {
        context.message(open.error);
        return ExitFileError;
    }
    ClassicSession &session = open.session;

    const Setting *mapSetting = findSetting(QStringLiteral("GameMap"));
    const Setting *playersSetting = findSetting(QStringLiteral("MaxPlayers"));
    QString mapText = session.fields.cmbgamemode;
    bool mapGiven = false;
    bool playersGiven = false;
    for (const GivenValue &g : std::as_const(given)) {
        if (g.setting == mapSetting && !valueRefusal(*mapSetting, g.value, mapText)) {
            ClassicFields probe;
            applyValue(*mapSetting, probe, g.value);
            mapText = probe.cmbgamemode;
        }
        mapGiven = mapGiven || g.setting == mapSetting;
        playersGiven = playersGiven || g.setting == playersSetting;
    }

    // Every refusal is told, so that one run shows all that needs mending.
    bool refused = false;
    for (const GivenValue &g : std::as_const(given)) {
        if (const std::optional<QString> rule = valueRefusal(*g.setting, g.value, mapText)) {
            context.message(refusalSentence(*g.setting, g.value, *rule));
            refused = true;
        }
    }
    // A new map can leave the player count read from the file over its
    // game's limit; the classic map rule does not run here, so the operator
    // says what the count becomes.
    const GameFamily family = familyOfMapText(mapText);
    if (mapGiven && !playersGiven && leadingValue(session.fields.txtplayers) > playerLimit(family)) {
        context.message(QStringLiteral("MaxPlayers \"%1\", as kvxserver.conf holds it, is over the limit of %2 "
                                     "players for %3, a %4 map: give MaxPlayers too, for example MaxPlayers=%2.")
                          .arg(shownValue(session.fields.txtplayers))
                          .arg(playerLimit(family))
                          .arg(mapText, familyName(family)));
        refused = true;
    }
    if (refused) {
        context.message(QStringLiteral("nothing was written."));
        return ExitRefused;
    }

    for (const GivenValue &g : std::as_const(given))
        applyValue(*g.setting, session.fields, g.value);
    // Written all the same, as the windows write them; only the values given
    // now are warned about, a file's old ones are check's to report.
    for (const UnworkableValue &unworkable : unworkableValues(session.fields)) {
        const bool givenNow = std::any_of(given.cbegin(), given.cend(), [&](const GivenValue &g) {
            return unworkable.settings.contains(g.setting);
        });
        if (givenNow)
            context.message(QStringLiteral("warning: ") + unworkable.sentence);
    }
    for (const CommitAlert alert : commitclassic(session.document, session.fields, session.firstPage))
        context.message(QStringLiteral("warning: ") + commitAlertText(alert));

    const bool backup = keepsBackup(session.file, session.document);
    bool changed = false;
    const SaveResult saved = saveconfigIfUnchanged(session.path, session.document, session.file, &changed);
    if (changed) {
        context.message(QStringLiteral("%1 was changed by another program while kvxconfig was changing it; nothing "
                                       "was written. Run the command again.")
                            .arg(QDir::toNativeSeparators(session.path)));
        return ExitFileError;
    }
    if (!saved.ok) {
        context.message(saved.error);
        return ExitFileError;
    }
    if (backup) {
        context.message(QStringLiteral("%1 held changes made by hand, which the template's text replaced; the old "
                                     "file is kept in %2.")
                          .arg(configFileName(), QDir::toNativeSeparators(backupFilePath(session.path))));
    }
    return ExitDone;
}
