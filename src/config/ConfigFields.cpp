#include "ConfigFields.h"

QString defaultMotdUrl()
{
    return QStringLiteral("http://www.example.com/kvx/motd.rtf");
}

namespace {

CommonFields commonDefaults()
{
    CommonFields fields;
    fields.txtserver = QStringLiteral("KVX 0.5 NoName VC Server (QOR)");
    fields.txtport = QStringLiteral("2003");
    fields.txtplayers = QStringLiteral("26");
    fields.txthour = QStringLiteral("12");
    fields.txtminute = QStringLiteral("30");
    fields.chkweather = Qt::Checked;
    fields.txturl = defaultMotdUrl();
    fields.ChkASE = Qt::Checked;
    return fields;
}

} // namespace

WizardFields wizardDefaults()
{
    WizardFields fields;
    static_cast<CommonFields &>(fields) = commonDefaults();
    fields.chkmotd = Qt::Checked;
    fields.txtadminport = QStringLiteral("4003");
    fields.map = WizardMap::optgta3portland;
    return fields;
}

ClassicFields classicDefaults()
{
    ClassicFields fields;
    static_cast<CommonFields &>(fields) = commonDefaults();
    fields.chkmotd = Qt::Unchecked;
    fields.cmbgamemode = QStringLiteral("Vice City - Deathmatch");
    return fields;
}

const QList<QString> &classicMapNames()
{
    static const QList<QString> names = {
        QStringLiteral("Vice City - Deathmatch"), QStringLiteral("Vice City - Stunt"),
        QStringLiteral("GTA3 - Portland"), QStringLiteral("GTA3 - Shore Side Vale"),
        QStringLiteral("GTA3 - Staunton Island"),
    };
    return names;
}
