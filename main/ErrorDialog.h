#pragma once

#include <QString>

class QWidget;

// The application title: the executable's file name up to its first ".", every letter
// after the first in lower case. The error dialog carries it; the window stays "Form1".
QString applicationTitle(const QString& executableFileName);

// The text the error dialog shows for a failure's message: a "." is appended when the
// last character sorts after "." in the sheet's code page (every non-ASCII character does).
QString errorDialogText(const QString& message);

// The modal error dialog: the failure's message (with the "." rule), the application
// title, a stop icon and one OK button.
void showErrorDialog(QWidget* parent, const QString& message);
