#include "Display.h"

bool displayAvailable()
{
    // The page is the display: the program only ever runs inside one.
    return true;
}
