// A bare Qt Widgets window, shown and closed the same way as the tool's start-up
// benchmark: the baseline it is compared with.

#include "FirstShowQuitter.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstShowQuitter quitter;
    QWidget window;
    window.resize(449, 256);
    quitter.watch(&window);
    window.show();
    return app.exec();
}
