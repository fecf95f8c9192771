#include "StartUp.h"

#include "SheetFont.h"
#include "Unit1.h"

#include <QApplication>

int runCombatSheet(QApplication& application)
{
    // The whole program, its dialogs included, writes in the sheet's face; this also spares
    // loading the toolkit's default face just to lay out the first empty text box.
    QApplication::setFont(sheetFont());
    TForm1 Form1;
    Form1.show();
    return application.exec();
}
