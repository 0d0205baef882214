#pragma once

#include "ConfigFields.h"

#include <QList>
#include <QString>
#include <QStringList>

// One value the reader takes out of a file, for the control named `field`
// (its objectName). Text fields get `value` as their text; check boxes get
// "1" (tick) or "0" (clear); option buttons get "1" (select). The wizard's map
// arrives as its option button's name, the classic editor's as the text of
// `cmbgamemode`.
struct FieldAssignment {
    QString field;
    QString value;

    bool operator==(const FieldAssignment &) const = default;
};

// The assignments a file's lines yield, in file order. The window applies them
// in this order through its controls, so change reactions run where the
// file's order puts them. Linear in the size of the file.
QList<FieldAssignment> loadwizard(const QStringList &lines);
QList<FieldAssignment> loadclassic(const QStringList &lines);

// Apply assignments to a snapshot in order, with the reactions the windows'
// controls run: in the classic editor each map read runs the map rule on the
// player count read so far. (The wizard's one reaction, the ASE port, lies
// outside its snapshot.)
void applyAssignments(WizardFields &fields, FirstPageChoices &firstPage,
                      const QList<FieldAssignment> &assignments);
void applyAssignments(ClassicFields &fields, const QList<FieldAssignment> &assignments);
