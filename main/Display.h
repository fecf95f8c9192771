#pragma once

// Whether there is a display to open the window on. When there is none it says so on the
// standard error: the toolkit would otherwise abort with a core dump and a misleading hint.
// One source file per platform: a Windows session always has one.
bool displayAvailable();
