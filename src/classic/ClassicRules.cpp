#include "ClassicRules.h"

#include "ui/UpDownSpinner.h"
#include "rules/InputRules.h"
#include "ui/KeyFilter.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int lastHour = 23;
constexpr int lastMinute = 59;

} // namespace

void applyMapRule(const QString &mapText, QLineEdit *txtplayers)
{
    const QString players = classicMapRulePlayers(mapText, txtplayers->text());
    if (players != txtplayers->text())
        txtplayers->setText(players);
}

void attachClassicRules(const ClassicRuleFields &fields)
{
    QComboBox *map = fields.cmbgamemode;
    QLineEdit *players = fields.txtplayers;

    // editTextChanged fires for typed text, a pick from the list and
    // setEditText alike, so the file's map runs the rule while loading too.
    QObject::connect(map, &QComboBox::editTextChanged, players,
                     [players](const QString &text) { applyMapRule(text, players); });

    KeyFilter::installWithMessages(players, [map](QLineEdit *field, QChar key) {
        return playerCountKey(familyOfMapText(map->currentText()), field->text(), field->hasSelectedText(), key);
    });
    for (QLineEdit *port : {fields.txtport, fields.txtadminport})
        KeyFilter::installWithMessages(port, [](QLineEdit *, QChar key) { return digitsOnlyKey(key); });
    KeyFilter::install(fields.txthour,
                       [](QLineEdit *field, QChar key) { return hourKeyAccepted(field->text(), key); });
    KeyFilter::install(fields.txtminute,
                       [](QLineEdit *field, QChar key) { return minuteKeyAccepted(field->text(), key); });

    fields.UDhour->stepField(fields.txthour, lastHour);
    fields.udminute->stepField(fields.txtminute, lastMinute);
}
