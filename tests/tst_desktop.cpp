// The sheet on the desktop: the window placed on the screen, the same layout, captions
// unclipped, at twice the pixel density, and the display found from the environment.
#include "Display.h"
#include "SheetFixture.h"
#include "WindowPlacement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// One line per control: its name, geometry in device-independent pixels, and whether its
// caption fits inside it.
QStringList layoutOf(TForm1& form)
{
    QStringList lines;
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() && !qobject_cast<QAbstractButton*>(widget))
            continue;
        // A label's text must lie within it, a push button's caption within its border,
        // and a check box or radio button's indicator and text within its width.
        QString caption;
        int needed = 0;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            caption = label->text();
            needed = widget->fontMetrics().horizontalAdvance(caption);
        } else if (auto* push = qobject_cast<QPushButton*>(widget)) {
            caption = push->text();
            needed = widget->fontMetrics().horizontalAdvance(caption) + 2;
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget);
                   qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
            caption = button->text();
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = caption;
            const auto element = qobject_cast<QRadioButton*>(widget)
                                     ? QStyle::SE_RadioButtonContents
                                     : QStyle::SE_CheckBoxContents;
            const QRect text = widget->style()->subElementRect(element, &option, widget);
            needed =
                widget->fontMetrics().horizontalAdvance(caption) + (widget->width() - text.width());
        }
        const bool fits = needed <= widget->width();
        const QRect box(widget->mapTo(&form, QPoint(0, 0)), widget->size());
        lines.append(u"%1 %2,%3 %4x%5 %6"_s
                         .arg(widget->objectName().isEmpty() ? caption : widget->objectName())
                         .arg(box.x())
                         .arg(box.y())
                         .arg(box.width())
                         .arg(box.height())
                         .arg(fits ? u"fits"_s : u"CLIPPED"_s));
    }
    lines.sort();
    return lines;
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void windowFitsTheScreen_data();
    void windowFitsTheScreen();
    void sameLayoutAtDoubleDensity();
    void displayCheck_data();
    void displayCheck();
};

void TestDesktop::windowFitsTheScreen_data()
{
    QTest::addColumn<QRect>("screen"); // its free area
    QTest::addColumn<QPoint>("position");
    const QRect designed(192, 107, 696, 480);
    QTest::newRow("fits") << QRect(0, 0, 1024, 768) << designed.topLeft();
    QTest::newRow("fits exactly") << QRect(0, 0, 888, 587) << designed.topLeft();
    QTest::newRow("800 x 600: moved left") << QRect(0, 0, 800, 600) << QPoint(104, 107);
    QTest::newRow("scale 1.5 on 1280 x 1024") << QRect(0, 0, 853, 682) << QPoint(157, 107);
    QTest::newRow("640 x 480: top-left corner at the screen's")
        << QRect(0, 0, 640, 480) << QPoint(0, 0);
    QTest::newRow("panel above, short screen") << QRect(0, 32, 1024, 500) << QPoint(192, 52);
    QTest::newRow("second screen to the left") << QRect(-1024, 0, 1024, 768) << QPoint(-696, 107);
}

void TestDesktop::windowFitsTheScreen()
{
    QFETCH(QRect, screen);
    QFETCH(QPoint, position);
    QCOMPARE(placeOnScreen(QRect(192, 107, 696, 480), screen), position);
}

void TestDesktop::sameLayoutAtDoubleDensity()
{
    const bool child = qEnvironmentVariableIsSet("SHEET_PRINT_LAYOUT");
    SheetFixture sheet("Sword, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10\r\n"_ba);
    const QStringList layout = layoutOf(sheet.form());
    if (child) {
        const QImage picture = sheet.form().grab().toImage();
        std::printf("dpr %g image %dx%d\n%s\n", sheet.form().devicePixelRatioF(), picture.width(),
                    picture.height(), layout.join(u'\n').toUtf8().constData());
        return;
    }
    for (const QString& line : layout)
        QVERIFY2(line.endsWith(u"fits"_s), qPrintable(line));

    QProcess doubled;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_SCALE_FACTOR"_s, u"2"_s);
    environment.insert(u"SHEET_PRINT_LAYOUT"_s, u"1"_s);
    doubled.setProcessEnvironment(environment);
    doubled.start(QCoreApplication::applicationFilePath(),
                  {u"sameLayoutAtDoubleDensity"_s, u"-silent"_s});
    QVERIFY(doubled.waitForFinished(60000));
    // Windows ends the printed lines in CR LF.
    QStringList lines =
        QString::fromUtf8(doubled.readAllStandardOutput()).remove(u'\r').split(u'\n');
    const qsizetype header = lines.indexOf(QRegularExpression(u"dpr .*"_s));
    QVERIFY2(header >= 0, qPrintable(u"the doubled run printed no layout: "_s +
                                     QString::fromUtf8(doubled.readAllStandardError())));
    QCOMPARE(lines[header],
             u"dpr 2 image %1x%2"_s.arg(sheet.form().width() * 2).arg(sheet.form().height() * 2));
    const QStringList doubledLayout = lines.mid(header + 1, layout.size());
    QCOMPARE(doubledLayout, layout);
}

void TestDesktop::displayCheck_data()
{
    QTest::addColumn<QByteArray>("variable"); // the one display variable set
    QTest::addColumn<bool>("available");
    QTest::newRow("X11") << "DISPLAY"_ba << true;
    QTest::newRow("Wayland alone") << "WAYLAND_DISPLAY"_ba << true;
    QTest::newRow("a platform named") << "QT_QPA_PLATFORM"_ba << true;
    QTest::newRow("none") << QByteArray() << false;
}

// Whether the program finds a display to open the window on, from its environment alone.
void TestDesktop::displayCheck()
{
#ifdef Q_OS_WIN
    QSKIP("a Windows session always has a display");
#endif
    QFETCH(QByteArray, variable);
    QFETCH(bool, available);
    const QByteArrayList names = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    QList<std::optional<QByteArray>> saved;
    for (const QByteArray& name : names) {
        saved.append(qEnvironmentVariableIsSet(name.constData())
                         ? std::optional(qgetenv(name.constData()))
                         : std::nullopt);
        qunsetenv(name.constData());
    }
    if (!variable.isEmpty())
        qputenv(variable.constData(), "wayland-0");
    const bool found = displayAvailable();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (saved[i])
            qputenv(names[i].constData(), *saved[i]);
        else
            qunsetenv(names[i].constData());
    }
    QCOMPARE(found, available);
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
