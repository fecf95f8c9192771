// The floor that the page's start-up is measured against: one empty Qt window of the sheet's
// size, with the sheet's face registered from the same file, built and loaded as the sheet is.
#include <QApplication>
#include <QFontDatabase>
#include <QWidget>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QFontDatabase::addApplicationFont(u"/fonts/sheet-gothic.ttf"_s);
    QWidget window;
    window.resize(688, 453);
    window.show();
    return application.exec();
}
