#include "ClassicRules.h"

#include "UpDownSpinner.h"
#include "app/InputRules.h"
#include "app/KeyFilter.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int lastHour = 23;
constexpr int lastMinute = 59;

// Shows the verdict's message, if any, and says whether the key may pass.
bool judged(QWidget *window, const KeyVerdict &verdict)
{
    if (verdict.message)
        MessageBox::show(window, verdict.message->icon, verdict.message->title, verdict.message->text);
    return verdict.accepted;
}

void attachSpinner(UpDownSpinner *spinner, QLineEdit *field, int maximum)
{
    QObject::connect(spinner, &UpDownSpinner::stepped, field,
                     [field, maximum](int step) { field->setText(spinValue(field->text(), step, maximum)); });
}

} // namespace

void applyMapRule(const QString &mapText, QLineEdit *txtplayers)
{
    if (mapText.startsWith(QLatin1String("Vice")) && leadingValue(txtplayers->text()) > 26)
        txtplayers->setText(QStringLiteral("26"));
}

void attachClassicRules(QWidget *window, const ClassicRuleFields &fields)
{
    QComboBox *map = fields.cmbgamemode;
    QLineEdit *players = fields.txtplayers;

    // editTextChanged fires for typed text, a pick from the list and
    // setEditText alike, so the file's map runs the rule while loading too.
    QObject::connect(map, &QComboBox::editTextChanged, players,
                     [players](const QString &text) { applyMapRule(text, players); });

    KeyFilter::install(players, [window, map](QLineEdit *field, QChar key) {
        return judged(window, playerCountKey(familyOfMapText(map->currentText()), field->text(),
                                             field->hasSelectedText(), key));
    });
    for (QLineEdit *port : {fields.txtport, fields.txtadminport})
        KeyFilter::install(port, [window](QLineEdit *, QChar key) { return judged(window, digitsOnlyKey(key)); });
    KeyFilter::install(fields.txthour,
                       [](QLineEdit *field, QChar key) { return hourKeyAccepted(field->text(), key); });
    KeyFilter::install(fields.txtminute,
                       [](QLineEdit *field, QChar key) { return minuteKeyAccepted(field->text(), key); });

    attachSpinner(fields.UDhour, fields.txthour, lastHour);
    attachSpinner(fields.udminute, fields.txtminute, lastMinute);
}
