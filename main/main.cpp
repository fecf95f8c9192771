#include "StartUp.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Without a display the toolkit would abort with a core dump and a misleading hint.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("combat-sheet: no display to open the window on: run it on a desktop, or set "
                   "DISPLAY or QT_QPA_PLATFORM\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    return runCombatSheet(application);
}
