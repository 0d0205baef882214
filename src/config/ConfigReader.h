#pragma once

#include "ConfigFields.h"

#include <QStringList>

// The wizard's fields and its first page's choices as a file's lines set them.
struct WizardLoad {
    WizardFields fields;
    FirstPageChoices firstPage;

    bool operator==(const WizardLoad &) const = default;
};

// The fields a file's lines set, over the front end's defaults: each line is
// tested against every setting's key in the file's order, so where a value
// appears twice the last one wins, and in the classic editor each map line
// runs the map rule on the player count read so far. Linear in the size of
// the file.
WizardLoad loadwizard(const QStringList &lines);
ClassicFields loadclassic(const QStringList &lines);
