#include "ConfigReader.h"

#include "rules/InputRules.h"

#include <QLatin1StringView>

namespace {

enum class Variant { Wizard, Classic };

// Values are cut out by position: a bare value drops `skip` characters, a
// quoted one also the last character. A line too short to hold its value
// yields nothing.
std::optional<QString> bareValue(const QString &line, qsizetype skip)
{
    if (line.size() < skip)
        return std::nullopt;
    return line.mid(skip);
}

std::optional<QString> quotedValue(const QString &line, qsizetype skip)
{
    if (line.size() < skip + 1)
        return std::nullopt;
    return line.mid(skip, line.size() - skip - 1);
}

QChar lastChar(const QString &line)
{
    return line.isEmpty() ? QChar() : line.back();
}

// The two rules that look at the whole document take the last matching line
// of the document; both are found once, up front, so reading stays linear.
struct WholeDocumentScan {
    std::optional<QString> password;  // from the last "ServerPassword " line
    QString mode;                     // "OptClassic", "OptWizard" or empty
};

WholeDocumentScan scanDocument(const QStringList &lines)
{
    WholeDocumentScan scan;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("ServerPassword "))) {
            if (std::optional<QString> value = quotedValue(line, 16))
                scan.password = value;
        } else if (line.startsWith(QLatin1String("#mode: "))) {
            if (line.endsWith(QLatin1String("classic")))
                scan.mode = QStringLiteral("OptClassic");
            else if (line.endsWith(QLatin1String("wizard")))
                scan.mode = QStringLiteral("OptWizard");
        }
    }
    return scan;
}

const char *wizardMapButton(QChar digit)
{
    switch (digit.unicode()) {
    case u'1': return "optvicedm";
    case u'2': return "optvicestunt";
    case u'3': return "optgta3portland";
    case u'4': return "optgta3ssv";
    case u'5': return "optgta3staunton";
    default: return nullptr;
    }
}

QList<FieldAssignment> read(const QStringList &lines, Variant variant)
{
    const WholeDocumentScan scan = scanDocument(lines);
    QList<FieldAssignment> out;
    const auto assign = [&out](const char *field, const QString &value) {
        out.append({QString::fromLatin1(field), value});
    };
    const auto assignIf = [&assign](const char *field, const std::optional<QString> &value) {
        if (value)
            assign(field, *value);
    };
    // A switch reads only the last character: "1" ticks, "0" clears.
    const auto assignSwitch = [&assign](const char *field, const QString &line) {
        const QChar c = lastChar(line);
        if (c == u'1' || c == u'0')
            assign(field, QString(c));
    };
    const auto assignTime = [&assign](const char *field, const QString &line) {
        if (line.size() == 10)
            assign(field, line.right(1));
        else if (line.size() == 11)
            assign(field, line.right(2));
    };

    for (const QString &line : lines) {
        // Every key is compared with the start of the line, case included;
        // one line can match more than one key.
        const auto has = [&line](const char *key) { return line.startsWith(QLatin1String(key)); };
        if (line.isEmpty() || line.front() == u'#') {
            if (variant == Variant::Wizard && has("#show page 1: ")) {
                const QChar c = lastChar(line);
                if (c == u'0') {
                    assign("chkremember", QStringLiteral("1"));
                    if (!scan.mode.isEmpty())
                        out.append({scan.mode, QStringLiteral("1")});
                } else if (c == u'1') {
                    assign("chkremember", QStringLiteral("0"));
                }
            }
            continue; // no other key starts with "#"
        }
        if (has("ServerName"))
            assignIf("txtserver", quotedValue(line, 12));
        if (has("ServerPort"))
            assignIf("txtport", bareValue(line, 11));
        if (has("MaxPlayers"))
            assignIf("txtplayers", bareValue(line, 11));
        if (has("GameMap")) {
            const QChar c = lastChar(line);
            if (variant == Variant::Wizard) {
                if (const char *button = wizardMapButton(c))
                    assign(button, QStringLiteral("1"));
            } else if (c >= u'1' && c <= u'5') {
                out.append({QStringLiteral("cmbgamemode"), classicMapNames().at(c.unicode() - u'1')});
            }
        }
        if (has("GameHour"))
            assignTime("txthour", line);
        if (has("GameMins"))
            assignTime("txtminute", line);
        if (has("RandomWeather"))
            assignSwitch("chkweather", line);
        if (has("MOTDEnabled"))
            assignSwitch("chkmotd", line);
        if (has("MOTDURL"))
            assignIf("txturl", quotedValue(line, 9));
        if (has("ASE"))
            assignSwitch("ChkASE", line);
        if (variant == Variant::Classic && has("StatLogging") && lastChar(line) == u'1')
            assign("Check5", QStringLiteral("1"));
        if (has("ServerPasswordEnabled")) {
            if (lastChar(line) == u'0')
                assign("txtpwd", QString());
            else if (scan.password)
                assign("txtpwd", *scan.password);
        }
        if (has("AdminServer"))
            assignSwitch("chkadmin", line);
        if (has("AdminPlus"))
            assignSwitch("chkadminplus", line);
        if (has("AdminPort"))
            assignIf("txtadminport", bareValue(line, 10));
        if (has("AdminPassword"))
            assignIf("txtadminpwd", quotedValue(line, 15));
        if (has("AdminPlusPassword"))
            assignIf("txtadminpluspwd", quotedValue(line, 19));
        if (has("AdminAllowShutdown"))
            assignSwitch("chkshutdown", line);
        // The send-limit keys (ServerSendLimitEnabled, ServerSendLimit,
        // ServerSendLimitMaxAllowed, ServerSendLimitLogDropped) have no field:
        // the template always writes them disabled, so their values are dropped.
    }
    return out;
}

Qt::CheckState checkState(const QString &value)
{
    return value == QLatin1String("1") ? Qt::Checked : Qt::Unchecked;
}

// Sets the shared fields; false when the assignment is for another field.
bool applyCommon(CommonFields &fields, const FieldAssignment &a)
{
    const QString &f = a.field;
    if (f == QLatin1String("txtserver")) fields.txtserver = a.value;
    else if (f == QLatin1String("txtport")) fields.txtport = a.value;
    else if (f == QLatin1String("txtplayers")) fields.txtplayers = a.value;
    else if (f == QLatin1String("txthour")) fields.txthour = a.value;
    else if (f == QLatin1String("txtminute")) fields.txtminute = a.value;
    else if (f == QLatin1String("chkweather")) fields.chkweather = checkState(a.value);
    else if (f == QLatin1String("chkmotd")) fields.chkmotd = checkState(a.value);
    else if (f == QLatin1String("txturl")) fields.txturl = a.value;
    else if (f == QLatin1String("ChkASE")) fields.ChkASE = checkState(a.value);
    else if (f == QLatin1String("txtpwd")) fields.txtpwd = a.value;
    else if (f == QLatin1String("chkadmin")) fields.chkadmin = checkState(a.value);
    else if (f == QLatin1String("chkadminplus")) fields.chkadminplus = checkState(a.value);
    else if (f == QLatin1String("txtadminport")) fields.txtadminport = a.value;
    else if (f == QLatin1String("txtadminpwd")) fields.txtadminpwd = a.value;
    else if (f == QLatin1String("txtadminpluspwd")) fields.txtadminpluspwd = a.value;
    else if (f == QLatin1String("chkshutdown")) fields.chkshutdown = checkState(a.value);
    else return false;
    return true;
}

} // namespace

QList<FieldAssignment> loadwizard(const QStringList &lines)
{
    return read(lines, Variant::Wizard);
}

QList<FieldAssignment> loadclassic(const QStringList &lines)
{
    return read(lines, Variant::Classic);
}

void applyAssignments(WizardFields &fields, FirstPageChoices &firstPage, const QList<FieldAssignment> &assignments)
{
    static const QStringList buttons = {QStringLiteral("optvicedm"), QStringLiteral("optvicestunt"),
                                        QStringLiteral("optgta3portland"), QStringLiteral("optgta3ssv"),
                                        QStringLiteral("optgta3staunton")};
    for (const FieldAssignment &a : assignments) {
        if (applyCommon(fields, a))
            continue;
        if (const qsizetype map = buttons.indexOf(a.field); map >= 0) {
            fields.map = WizardMap(map + 1);
        } else if (a.field == QLatin1String("chkremember")) {
            firstPage.chkremember = checkState(a.value);
        } else if (a.field == QLatin1String("OptClassic")) {
            firstPage.OptClassic = true;
            firstPage.OptWizard = false;
        } else if (a.field == QLatin1String("OptWizard")) {
            firstPage.OptWizard = true;
            firstPage.OptClassic = false;
        }
    }
}

void applyAssignments(ClassicFields &fields, const QList<FieldAssignment> &assignments)
{
    for (const FieldAssignment &a : assignments) {
        if (applyCommon(fields, a))
            continue;
        if (a.field == QLatin1String("cmbgamemode")) {
            fields.cmbgamemode = a.value;
            fields.txtplayers = classicMapRulePlayers(fields.cmbgamemode, fields.txtplayers);
        }
        else if (a.field == QLatin1String("Check5"))
            fields.Check5 = checkState(a.value);
    }
}
