#include "Display.h"
#include "StartUp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (!displayAvailable())
        return 1;
    QApplication application(argc, argv);
    return runCombatSheet(application);
}
