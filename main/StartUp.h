#pragma once

class QApplication;

// The program's start-up: creates the sheet (which runs its creation handler), shows it and
// runs the event loop until the window closes.
int runCombatSheet(QApplication& application);
