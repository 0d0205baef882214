#pragma once

#include "config/ConfigReader.h"

class QWidget;

// Sets the control named by a reader's assignment, found by objectName among
// `root`'s children, exactly as the operator would: through the control, so
// its change reactions run. Returns false when `root` has no such control.
bool applyAssignment(QWidget *root, const FieldAssignment &assignment);
