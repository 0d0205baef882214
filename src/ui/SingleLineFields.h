#pragma once

class QWidget;

// A single-line field never takes a line break or another control character
// (below U+0020) from the operator: in pasted or dropped text each CR LF, and
// each other such character, becomes one space before it reaches the field,
// so no value can split its line in kvxserver.conf or be cut short by a
// server reading C strings. Text the program sets (values read from a file)
// stays as it is. Covers every line edit under `window`, the editable part
// of drop-downs included.
void keepFieldsSingleLine(QWidget *window);
