// Prints where the combat sheet puts its controls, as the real window lays them out: the
// client area's size and, for every named control on it, its geometry. The check that drives
// the Windows program by mouse (windows/check-program.py) clicks by these, so a control that
// moves is followed there, and one that is renamed or removed fails the check by name.
// Run it in a folder with a rating table: the sheet loads it as it opens.
#include "Unit1.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const TForm1 sheet;
    QJsonObject controls;
    for (const QWidget* control : sheet.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect box = control->geometry();
        if (!control->objectName().isEmpty())
            controls[control->objectName()] =
                QJsonArray{box.x(), box.y(), box.width(), box.height()};
    }
    const QJsonObject layout{{QStringLiteral("client"), QJsonArray{sheet.width(), sheet.height()}},
                             {QStringLiteral("controls"), controls}};
    std::fputs(QJsonDocument(layout).toJson(QJsonDocument::Compact).constData(), stdout);
    return 0;
}
