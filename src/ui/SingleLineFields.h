#pragma once

class QWidget;

// A single-line field never takes a line break: pasted text has each CR LF,
// lone CR and lone LF turned into one space before it reaches the field, so
// no value can split its line in kvxserver.conf. Covers every line edit under
// `window`, the editable part of drop-downs included.
void keepFieldsSingleLine(QWidget *window);
