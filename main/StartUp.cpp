#include "StartUp.h"

#include "Unit1.h"

#include <QApplication>

int runCombatSheet(QApplication& application)
{
    TForm1 Form1;
    Form1.show();
    return application.exec();
}
