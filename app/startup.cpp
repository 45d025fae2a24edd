#include "app/startup.h"

#include <QApplication>

int startProgram(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return 0;
}
