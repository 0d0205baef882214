#pragma once

#include "ConfigDocument.h"
#include "ConfigFields.h"

#include <QList>

// What a commit asks the window to tell the operator, in order. Each is a
// critical message box titled commitAlertTitle().
// Named after the empty field each one asks for.
enum class CommitAlert { txtadminpwd, txtadminport, txtadminpluspwd };

QString commitAlertText(CommitAlert alert);
QString commitAlertTitle();

// Write the fields into the value lines of a built document. Lines whose check
// fails, and lines of greyed check boxes, keep their previous text.
QList<CommitAlert> commitwizard(ConfigDocument &document, const WizardFields &fields,
                                const FirstPageChoices &firstPage);
QList<CommitAlert> commitclassic(ConfigDocument &document, const ClassicFields &fields,
                                 const FirstPageChoices &firstPage);
