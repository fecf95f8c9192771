#include "StartUp.h"

#include "Unit1.h"

#include <QApplication>
#include <QTimer>

int runCombatSheet(QApplication& application, const std::function<void()>& whenShown)
{
    TForm1 Form1;
    Form1.show();
    if (whenShown)
        QTimer::singleShot(0, &Form1, whenShown);
    return application.exec();
}
