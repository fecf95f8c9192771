#include "Display.h"

#include <QtGlobal>

#include <cstdio>

bool displayAvailable()
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    std::fputs("combat-sheet: no display to open the window on: run it on a desktop, or set "
               "DISPLAY or QT_QPA_PLATFORM\n",
               stderr);
    return false;
}
