#pragma once

class QWidget;

// Makes Enter on a focused push button of `window` press it, as on Windows;
// Space always does. Qt does this by itself only inside dialogs.
void letEnterPressButtons(QWidget *window);
