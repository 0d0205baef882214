#include "CheckCommand.h"

#include "ClassicSession.h"
#include "SettingTable.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "config/HandEdits.h"

#include <QDir>
#include <QTextStream>

int CheckCommand::execute(const QCommandLineParser &, const QString &folder, const CommandContext &context)
{
    Result<ClassicSession> open = openClassic(folder);
    if (!open) {
        context.message(open.error());
        return ExitFileError;
    }
    ClassicSession &session = open.value();
    if (!session.fileExists) {
        context.message(QStringLiteral("there is no %1 in %2.").arg(configFileName(), QDir::toNativeSeparators(folder)));
        return ExitFileError;
    }

    // What `set` without values would do: commit the fields as read.
    const QList<CommitAlert> alerts = commitclassic(session.document, session.fields, session.firstPage);
    QStringList findings;
    const HandEdits edits = findHandEdits(session.lines, session.document);
    for (const int index : edits.lines) {
        findings << QStringLiteral("line %1: a save would replace \"%2\" with \"%3\"")
                        .arg(index + 1)
                        .arg(shownValue(session.lines.at(index)), shownValue(session.document.line(index)));
    }
    if (edits.otherLineCount) {
        findings << QStringLiteral("the file has %1 lines; a save writes the template's %2")
                        .arg(session.lines.size())
                        .arg(session.document.count());
    }
    for (const Setting &setting : settingTable()) {
        const QString value = heldValue(setting, session.fields);
        if (const std::optional<QString> rule = valueRefusal(setting, value, session.fields.cmbgamemode))
            findings << QStringLiteral("%1 \"%2\" would be refused by set: %3.")
                            .arg(setting.key, shownValue(value), *rule);
    }
    for (const UnworkableValue &unworkable : unworkableValues(session.fields))
        findings << unworkable.sentence;
    for (const CommitAlert alert : alerts)
        findings << QStringLiteral("warning: ") + commitAlertText(alert);

    for (const QString &finding : std::as_const(findings))
        context.out << finding << '\n';
    context.out.flush();
    return findings.isEmpty() ? ExitDone : ExitFindings;
}
