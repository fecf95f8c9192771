// Renders the combat sheet, as it opens in the current directory, to a PNG file. With a
// second argument "fight", it first plays a few rolls from a fixed dice state, so that the
// picture shows a log.
#include "Dice.h"
#include "Unit1.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: render-sheet OUT.png [fight]\n");
        return 2;
    }
    TForm1 sheet;
    sheet.show();
    if (!QTest::qWaitForWindowExposed(&sheet))
        return 1;
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QLatin1String("fight")) {
        setDiceState(2026);
        auto* selector = sheet.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
        if (selector->count() > 3)
            selector->setCurrentIndex(3);
        for (const char* name : {"Button3", "Button1", "Button2", "Button1", "Button2"})
            QTest::mouseClick(sheet.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    QApplication::processEvents();
    return sheet.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
