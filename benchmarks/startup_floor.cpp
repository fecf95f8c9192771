// The toolkit's floor: one empty window, shown, then quit, with the same flags.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(688, 453);
    window.show();
    QTimer::singleShot(0, &window, [] { QCoreApplication::quit(); });
    return application.exec();
}
