#pragma once

#include "ConfigDocument.h"

#include <QList>
#include <QStringList>

// What a save would replace of what the operator wrote into the file by hand:
// every line outside the ones a save manages (the value lines and the
// tool-state lines) that differs from both front ends' template text; every
// managed line that differs from the line the tool would build from the
// value the reader takes out of it (a quoted value without its quotes, a
// time with a space too many), since the save would write that value in
// another form or not at all; or another number of lines. A file saved by
// either front end from values the reader takes back has none.
struct HandEdits {
    bool otherLineCount = false; // the file has not the document's number of lines
    QList<int> lines;            // indices (from 0) of the hand-edited lines

    bool any() const { return otherLineCount || !lines.isEmpty(); }
};

HandEdits findHandEdits(const QStringList &old, const ConfigDocument &document);

// Whether the commit and the builders rewrite line `index` from the fields.
bool managedLine(int index);

// Whether managed line `index` holds `line` exactly as the tool writes the
// value the reader takes out of it.
bool toolFormedLine(int index, const QString &line);
