// The program's own start-up, ending as soon as the window's first frame is shown.
#include "FirstFrame.h"
#include "StartUp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QuitAfterFirstFrame quit;
    return runCombatSheet(application);
}
