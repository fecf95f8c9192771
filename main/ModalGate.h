#pragma once

class QWidget;

// Input acts on the sheet only while no modal dialog blocks it. Qt holds the pointer and the
// keys back from a blocked window, but not what was already on its way when the dialog
// opened (a press that lands a moment later, a held arrow's repeat) nor an assistive tool,
// which calls the controls directly. Each of those paths asks here, and every handler of the
// sheet asks before it runs, so a failure's dialog stops all of them until it is closed.
bool blockedByModalDialog(const QWidget* control);
