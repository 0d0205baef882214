#pragma once

#include <QStringList>

class QWidget;

// The one-line captions under `window` (buttons, check boxes, option buttons
// and labels that do not wrap) whose text needs more room than their
// geometry gives them, described as "objectName: hint WxH > geometry WxH".
QStringList clippedCaptions(QWidget *window);
