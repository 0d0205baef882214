#include "EnterPressesButtons.h"

#include <QPushButton>

void letEnterPressButtons(QWidget *window)
{
    // An auto-default button presses itself on Enter when it has the focus;
    // outside a dialog there is no default button it could take over from.
    for (QPushButton *button : window->findChildren<QPushButton *>())
        button->setAutoDefault(true);
}
