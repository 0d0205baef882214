#pragma once

#include <QList>
#include <QString>
#include <Qt>

// Snapshots of the two front ends' fields, named after their controls (but
// for the classic editor's statistics box, whose control is Check5). The
// windows turn their controls into these values and back; the core never sees
// a widget. Check boxes keep all three states: building writes a greyed box as
// 0, while the commit leaves its line alone.

// The wizard's five map option buttons, numbered as the file numbers them.
enum class WizardMap {
    optvicedm = 1,
    optvicestunt = 2,
    optgta3portland = 3,
    optgta3ssv = 4,
    optgta3staunton = 5,
};

// Fields the wizard and the classic editor share, under the same names.
struct CommonFields {
    QString txtserver;
    QString txtport;
    QString txtplayers;
    QString txthour;
    QString txtminute;
    Qt::CheckState chkweather = Qt::Unchecked;
    Qt::CheckState chkmotd = Qt::Unchecked;
    QString txturl; // the wizard's lives on the MOTD editor
    Qt::CheckState ChkASE = Qt::Unchecked;
    QString txtpwd;
    Qt::CheckState chkadmin = Qt::Unchecked;
    Qt::CheckState chkadminplus = Qt::Unchecked;
    QString txtadminport;
    QString txtadminpwd;
    QString txtadminpluspwd;
    Qt::CheckState chkshutdown = Qt::Unchecked;

    bool operator==(const CommonFields &) const = default;
};

struct WizardFields : CommonFields {
    WizardMap map = WizardMap::optgta3portland;

    bool operator==(const WizardFields &) const = default;
};

struct ClassicFields : CommonFields {
    QString cmbgamemode;
    Qt::CheckState statLogging = Qt::Unchecked;

    bool operator==(const ClassicFields &) const = default;
};

// The wizard's first-page controls: both commits record them in the
// tool-state lines.
struct FirstPageChoices {
    Qt::CheckState chkremember = Qt::Unchecked;
    bool OptClassic = false;
    bool OptWizard = true;

    bool operator==(const FirstPageChoices &) const = default;
};

// The design-time values of each window's inventory.
QString defaultMotdUrl();
WizardFields wizardDefaults();
ClassicFields classicDefaults();

// The five map names of the classic editor's selector, in file order
// (GameMap 1 to 5).
const QList<QString> &classicMapNames();
