#pragma once

class QComboBox;
class QString;
class QLineEdit;
class UpDownSpinner;

// The classic editor's field rules: key filters on its numeric text boxes,
// the two start-time spinners, and the Vice City player limit that follows
// the map text. They only look at and change the fields' texts.
struct ClassicRuleFields {
    QComboBox *cmbgamemode;
    QLineEdit *txtplayers;
    QLineEdit *txtport;
    QLineEdit *txtadminport;
    QLineEdit *txthour;
    QLineEdit *txtminute;
    UpDownSpinner *UDhour;
    UpDownSpinner *udminute;
};

// Message boxes of the rules are owned by `window`.
void attachClassicRules(const ClassicRuleFields &fields);

// The map rule, which the change of the map text runs: a Vice City map holds
// at most 26 players.
void applyMapRule(const QString &mapText, QLineEdit *txtplayers);
