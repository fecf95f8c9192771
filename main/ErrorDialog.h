#pragma once

#include <QString>

class QWidget;

// The application title: the executable's file name up to its first ".", every letter
// after the first in lower case. The error dialog carries it; the window stays "Form1".
QString applicationTitle();

// The modal error dialog: the failure's message (with the "." rule), the application
// title, a stop icon and one OK button.
void showErrorDialog(QWidget* parent, const QString& message);
