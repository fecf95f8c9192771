// The program's own start-up, ending as soon as the window is first shown.
#include "StartUp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    return runCombatSheet(application, [] { QCoreApplication::quit(); });
}
