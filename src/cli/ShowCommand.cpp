#include "ShowCommand.h"

#include "ClassicSession.h"
#include "SettingTable.h"
#include "config/ConfigFile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

namespace {

const QString jsonOption = QStringLiteral("json");

// A JSON string literal with Qt's own escaping.
QString jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// The members in the file's order (a QJsonObject would sort them), switches
// as booleans, GameMap as its number beside its name.
QString json(const ClassicFields &fields)
{
    QStringList members;
    for (const Setting &setting : settingTable()) {
        const QString value = heldValue(setting, fields);
        QString member = QStringLiteral("    %1: ").arg(jsonString(setting.key));
        if (setting.box) {
            member += value == QLatin1String("1") ? QLatin1String("true") : QLatin1String("false");
        } else if (setting.kind == SettingKind::Map) {
            // The reader only ever sets one of the five names.
            member += QString::number(classicMapNames().indexOf(value) + 1);
            members << member;
            member = QStringLiteral("    \"GameMapName\": ") + jsonString(value);
        } else {
            member += jsonString(value);
        }
        members << member;
    }
    return QStringLiteral("{\n") + members.join(QLatin1String(",\n")) + QStringLiteral("\n}\n");
}

} // namespace

QList<QCommandLineOption> ShowCommand::options() const
{
    return {QCommandLineOption(jsonOption)};
}

int ShowCommand::execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context)
{
    const Result<ClassicSession> open = openClassic(folder);
    if (!open) {
        context.message(open.error());
        return ExitFileError;
    }
    if (!open->fileExists) {
        context.message(QStringLiteral("there is no %1 in %2; kvxconfig set creates it.")
                            .arg(configFileName(), QDir::toNativeSeparators(folder)));
        return ExitFileError;
    }
    const ClassicFields &fields = open->fields;
    if (parser.isSet(jsonOption)) {
        context.out << json(fields);
    } else {
        // A control character (an escape sequence in a hand-edited name)
        // is shown as check shows it, not sent to the terminal; set refuses
        // such a value anyway, so nothing that could be fed back is lost.
        for (const Setting &setting : settingTable())
            context.out << setting.key << '=' << shownValue(heldValue(setting, fields)) << '\n';
    }
    context.out.flush();
    return ExitDone;
}
