#pragma once

#include <functional>

class QApplication;

// The program's start-up: creates the sheet (which runs its creation handler), shows it and
// runs the event loop until the window closes. whenShown, if given, runs once the window
// has been shown and the event loop has started.
int runCombatSheet(QApplication& application, const std::function<void()>& whenShown = {});
