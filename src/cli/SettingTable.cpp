#include "SettingTable.h"

#include "config/ConfigSettings.h"
#include "files/CodePage.h"

#include <algorithm>
#include <cstdio>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif

namespace {

// The settings both front ends hold, in the file's order, then the classic
// editor's own.
QList<Setting> makeTable()
{
    QList<Setting> common;
    QList<Setting> classicOnly;
    for (const ConfigSetting &setting : configSettings()) {
        if (!setting.check)
            continue;
        QString ClassicFields::*text = setting.text ? setting.text : setting.classicText;
        Qt::CheckState ClassicFields::*box = setting.box ? setting.box : setting.classicBox;
        const bool wizardToo = setting.text || setting.box || setting.form == SettingForm::Map;
        (wizardToo ? common : classicOnly) << Setting{QLatin1String(setting.key), *setting.check, text, box};
    }
    return common + classicOnly;
}

} // namespace

const QList<Setting> &settingTable()
{
    static const QList<Setting> table = makeTable();
    return table;
}

const Setting *findSetting(const QString &key)
{
    for (const Setting &setting : settingTable()) {
        if (setting.key.compare(key, Qt::CaseInsensitive) == 0)
            return &setting;
    }
    return nullptr;
}

QString settingKeyList(std::initializer_list<SettingKind> kinds)
{
    QStringList keys;
    for (const Setting &setting : settingTable()) {
        if (kinds.size() == 0 || std::find(kinds.begin(), kinds.end(), setting.kind) != kinds.end())
            keys << setting.key;
    }
    return keys.join(QLatin1String(", "));
}

QString heldValue(const Setting &setting, const ClassicFields &fields)
{
    if (setting.box)
        return fields.*setting.box == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
    return fields.*setting.text;
}

void applyValue(const Setting &setting, ClassicFields &fields, const QString &value)
{
    if (setting.box) {
        fields.*setting.box = value == QLatin1String("1") ? Qt::Checked : Qt::Unchecked;
    } else if (setting.kind == SettingKind::Map) {
        if (const std::optional<int> map = mapNumberOf(value, classicMapNames()))
            fields.*setting.text = classicMapNames().at(*map - 1);
    } else {
        fields.*setting.text = value;
    }
}

std::optional<QString> valueRefusal(const Setting &setting, const QString &value, const QString &mapText)
{
    if (std::optional<QString> rule = settingRefusal(setting.kind, value, familyOfMapText(mapText), classicMapNames()))
        return rule;
    if (setting.kind == SettingKind::Text) {
        qsizetype bad = -1;
        if (encodeCodePage(value, &bad).isNull()) {
            return QStringLiteral("kvxserver.conf holds only characters of the Windows-1252 code page, and this "
                                  "value holds %1")
                .arg(describeCharacterAt(value, bad));
        }
    }
    return std::nullopt;
}

QList<UnworkableValue> unworkableValues(const ClassicFields &fields)
{
    QList<UnworkableValue> found;
    const Setting *adminServer = findSetting(QStringLiteral("AdminServer"));
    const auto add = [&](const char *key, const QString &value, const std::optional<QString> &rule,
                         QList<const Setting *> involved = {}) {
        if (rule) {
            involved.prepend(findSetting(QLatin1String(key)));
            found.append({involved,
                          QStringLiteral("%1 \"%2\" cannot work: %3.").arg(QLatin1String(key), shownValue(value), *rule)});
        }
    };
    add("ServerName", fields.txtserver, serverNameProblem(fields.txtserver));
    add("ServerPort", fields.txtport, portProblem(fields.txtport));
    // A save writes the admin port only for an admin panel that is on, and
    // one that is off opens no port, so its number cannot clash.
    if (fields.chkadmin == Qt::Checked) {
        add("AdminPort", fields.txtadminport, portProblem(fields.txtadminport), {adminServer});
        if (samePort(fields.txtadminport, fields.txtport)) {
            add("AdminPort", fields.txtadminport,
                QStringLiteral("the admin panel needs a port other than ServerPort's"),
                {adminServer, findSetting(QStringLiteral("ServerPort"))});
        }
    }
    return found;
}

QString refusalSentence(const Setting &setting, const QString &value, const QString &rule)
{
    return QStringLiteral("%1 \"%2\" is refused: %3.").arg(setting.key, shownValue(value), rule);
}

QString shownValue(const QString &value)
{
    // A control character would reach the terminal as it is (an escape
    // sequence, a line break); it is shown by its code point instead.
    QString shown;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (controlCharacterIndex(QString(value.at(i))) == 0)
            shown += QLatin1Char('<') + describeCharacterAt(value, i) + QLatin1Char('>');
        else
            shown += value.at(i);
    }
    return shown;
}

QString shownText(const QString &text)
{
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        QStringList cells = line.split(u'\t');
        for (QString &cell : cells)
            cell = shownValue(cell);
        line = cells.join(u'\t');
    }
    return lines.join(u'\n');
}

bool standardOutputIsTerminal()
{
#if defined(Q_OS_UNIX)
    return ::isatty(::fileno(stdout));
#elif defined(Q_OS_WIN)
    return ::_isatty(::_fileno(stdout));
#else
    return false;
#endif
}
