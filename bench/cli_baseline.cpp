// The baseline of `kvxconfig show`: a QCoreApplication program that reads the
// same kvxserver.conf through the core and prints one line. Built twice:
// against QtCore alone, and against the Widgets stack the tool links.

#include "config/ConfigFile.h"
#include "config/ConfigReader.h"

#include <QCoreApplication>
#include <QDir>

#ifdef KVX_BASELINE_WIDGETS
#include <QApplication>
#endif

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
#ifdef KVX_BASELINE_WIDGETS
    // Never true; it makes the program load QtWidgets and QtGui as the tool does.
    if (argc > 100)
        std::puts(QApplication::staticMetaObject.className());
#endif
    if (argc < 2)
        return 2;
    const Result<TextLines> read = loadconfig(QDir(QString::fromLocal8Bit(argv[1])).filePath(configFileName()));
    if (!read.ok())
        return 1;
    const ClassicFields fields = loadclassic(read->lines);
    std::printf("ServerName=%s\n", qPrintable(fields.txtserver));
    return 0;
}
