#pragma once

#include "ConfigDocument.h"
#include "ConfigFields.h"

// The full 255-line template with the fields' values folded in.
ConfigDocument buildwizard(const WizardFields &fields);
ConfigDocument buildclassic(const ClassicFields &fields);

// The line a map choice writes ("GameMap 1" to "GameMap 5"); for the classic
// editor a null QString when the text names none of the five maps.
QString wizardMapLine(WizardMap map);
QString classicMapLine(const QString &cmbgamemode);
