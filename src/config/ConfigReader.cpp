#include "ConfigReader.h"

#include "ConfigSettings.h"
#include "rules/InputRules.h"

#include <QLatin1StringView>

namespace {

QChar lastChar(const QString &line)
{
    return line.isEmpty() ? QChar() : line.back();
}

// A quoted value drops the key, a space and a quote, and the last character;
// a line too short to hold it yields nothing.
std::optional<QString> quotedValue(const QString &line, qsizetype keySize)
{
    const qsizetype skip = keySize + 2;
    if (line.size() < skip + 1)
        return std::nullopt;
    return line.mid(skip, line.size() - skip - 1);
}

// The two rules that look at the whole document take the last matching line
// of the document; both are found once, up front, so reading stays linear.
struct WholeDocumentScan {
    std::optional<QString> password; // from the last line of the password's key and a space
    std::optional<bool> classicMode; // from the last "#mode: " line ending in a mode
};

WholeDocumentScan scanDocument(const QStringList &lines)
{
    const ConfigSetting &password = settingHolding(&CommonFields::txtpwd);
    const QString passwordKey = QLatin1String(password.key) + QLatin1Char(' ');
    WholeDocumentScan scan;
    for (const QString &line : lines) {
        if (line.startsWith(passwordKey)) {
            if (std::optional<QString> value = quotedValue(line, passwordKey.size() - 1))
                scan.password = value;
        } else if (line.startsWith(QLatin1String("#mode: "))) {
            if (line.endsWith(QLatin1String("classic")))
                scan.classicMode = true;
            else if (line.endsWith(QLatin1String("wizard")))
                scan.classicMode = false;
        }
    }
    return scan;
}

void readMap(QChar digit, WizardFields &fields)
{
    if (digit >= u'1' && digit <= u'5')
        fields.map = WizardMap(digit.unicode() - u'0');
}

// A map equal to the one shown still runs the rule: it runs for every map
// line, on the player count the lines before it gave.
void readMap(QChar digit, ClassicFields &fields)
{
    if (digit < u'1' || digit > u'5')
        return;
    fields.cmbgamemode = classicMapNames().at(digit.unicode() - u'1');
    fields.txtplayers = classicMapRulePlayers(fields.cmbgamemode, fields.txtplayers);
}

template<class Fields>
void readSetting(const ConfigSetting &setting, const QString &line, const WholeDocumentScan &scan, Fields &fields)
{
    const qsizetype keySize = qsizetype(qstrlen(setting.key));
    const QChar last = lastChar(line);
    QString *text = textField(setting, fields);
    Qt::CheckState *box = boxField(setting, fields);
    switch (setting.form) {
    case SettingForm::Quoted:
        if (const std::optional<QString> value = quotedValue(line, keySize); value && text)
            *text = *value;
        break;
    case SettingForm::Bare:
        if (line.size() >= keySize + 1 && text)
            *text = line.mid(keySize + 1);
        break;
    case SettingForm::Time: // a space and one or two digits
        if (text && (line.size() == keySize + 2 || line.size() == keySize + 3))
            *text = line.mid(keySize + 1);
        break;
    case SettingForm::Switch:
        if (box && (last == u'1' || last == u'0'))
            *box = last == u'1' ? Qt::Checked : Qt::Unchecked;
        break;
    case SettingForm::OneOnly:
        if (box && last == u'1')
            *box = Qt::Checked;
        break;
    case SettingForm::Map:
        readMap(last, fields);
        break;
    case SettingForm::PasswordSwitch:
        if (last == u'0')
            text->clear();
        else if (scan.password)
            *text = *scan.password;
        break;
    case SettingForm::Password: // taken through its switch
        break;
    }
}

template<class Fields>
void readSettings(const QStringList &lines, const WholeDocumentScan &scan, Fields &fields,
                  FirstPageChoices *firstPage)
{
    for (const QString &line : lines) {
        // Every key is compared with the start of the line, case included;
        // one line can match more than one key.
        for (const ConfigSetting &setting : configSettings()) {
            if (line.startsWith(QLatin1String(setting.key)))
                readSetting(setting, line, scan, fields);
        }
        if (firstPage && line.startsWith(QLatin1String("#show page 1: "))) {
            const QChar last = lastChar(line);
            if (last == u'0') {
                firstPage->chkremember = Qt::Checked;
                if (scan.classicMode) {
                    firstPage->OptClassic = *scan.classicMode;
                    firstPage->OptWizard = !*scan.classicMode;
                }
            } else if (last == u'1') {
                firstPage->chkremember = Qt::Unchecked;
            }
        }
        // The send-limit keys (ServerSendLimitEnabled, ServerSendLimit,
        // ServerSendLimitMaxAllowed, ServerSendLimitLogDropped) have no field:
        // the template always writes them disabled, so their values are dropped.
    }
}

} // namespace

WizardLoad loadwizard(const QStringList &lines)
{
    WizardLoad load{wizardDefaults(), FirstPageChoices()};
    readSettings(lines, scanDocument(lines), load.fields, &load.firstPage);
    return load;
}

ClassicFields loadclassic(const QStringList &lines)
{
    ClassicFields fields = classicDefaults();
    readSettings(lines, scanDocument(lines), fields, nullptr);
    return fields;
}
