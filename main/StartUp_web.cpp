#include "StartUp.h"

#include "Unit1.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTimer>

using namespace Qt::StringLiterals;

int runCombatSheet(QApplication& application)
{
    // A page has no fonts of its own for Qt: the page writes the sheet's Japanese face into
    // the program's file system before the program starts.
    QFontDatabase::addApplicationFont(u"/fonts/sheet-gothic.ttf"_s);
    // A dialog waits for its answer by suspending the program until the browser's next
    // event, which needs the event loop running: the sheet, whose creation may show the
    // cannot-open dialog, is made from the loop's first turn. The page holds it until the
    // tab closes, long after exec() has handed control back to the browser.
    QTimer::singleShot(0, &application, [] { (new TForm1)->show(); });
    return application.exec();
}
