// A bare Qt Widgets window with one line of text: it pays the font system's
// one-time start-up, which the empty bare window never does, so the two
// baselines together show what that share of the tool's start-up is.

#include "FirstShowQuitter.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstShowQuitter quitter;
    QLabel window(QStringLiteral("KVX 0.5 Server Config"));
    window.resize(449, 256);
    quitter.watch(&window);
    window.show();
    return app.exec();
}
