#pragma once

#include "ConfigDocument.h"

#include <QList>
#include <QStringList>

// What a save would replace of what the operator wrote into the file by hand:
// every line outside the ones a save manages (the value lines and the
// tool-state lines) that differs from both front ends' template text, or
// another number of lines. A file saved by either front end has none.
struct HandEdits {
    bool otherLineCount = false; // the file has not the document's number of lines
    QList<int> lines;            // indices (from 0) of the hand-edited lines

    bool any() const { return otherLineCount || !lines.isEmpty(); }
};

HandEdits findHandEdits(const QStringList &old, const ConfigDocument &document);

// Whether the commit and the builders rewrite line `index` from the fields.
bool managedLine(int index);
