#pragma once

// What assistive technology (a screen reader, a switch device) may do on the sheet. Qt's own
// accessible controls act on a window that a modal dialog blocks, write into read-only text
// boxes and report them as editable, and offer every row of the closed power list as a child,
// so the sheet gives its text boxes (the log among them), buttons and power selector
// interfaces of its own:
// - nothing acts on a control of the sheet while a modal dialog blocks it, exactly as the
//   mouse and the keys cannot;
// - a read-only text box refuses text and says it is read-only, not editable;
// - the power list is a child of the selector only while it is open, so reading the sheet
//   costs the same whatever the table's size.

// Installs the sheet's interfaces; call before the first control is created.
void installSheetAccessibility();
