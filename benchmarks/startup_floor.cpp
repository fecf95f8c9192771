// The toolkit's floor: one empty window, shown, then quit once its first frame is shown.
#include "FirstFrame.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QuitAfterFirstFrame quit;
    QWidget window;
    window.resize(688, 453);
    window.show();
    return application.exec();
}
