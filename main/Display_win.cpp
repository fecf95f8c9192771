#include "Display.h"

bool displayAvailable()
{
    return true;
}
