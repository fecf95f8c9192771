// The cost of one "Attack Roll" click as the log grows, of a key typed into one long log line
// beside a bare text box, of start-up as the rating table grows, and of the power list's first
// opening with the largest tables, through the real window on the offscreen platform.
#include "Dice.h"
#include "LogPane.h"
#include "PowerSelector.h"
#include "Unit1.h"

#include <QAbstractEventDispatcher>
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void writeTable(int rows)
{
    QFile file(QStringLiteral("RatingTable.txt"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    for (int row = 0; row < rows; ++row)
        file.write("Power" + QByteArray::number(row) + ", 1, 2, 3, 4, 5, 6, 7, 8, 9, 10\r\n");
}

void attackClick(benchmark::State& state)
{
    writeTable(1);
    TForm1 sheet;
    sheet.show();
    (void)QTest::qWaitForWindowExposed(&sheet);
    sheet.findChild<PowerSelector*>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
    // Damage can never lower the enemy's hit points to 0, so every click logs the same way.
    sheet.setValue(Field::SpinEdit6, 1000);
    for (int line = 0; line < state.range(0); ++line)
        sheet.appendLogLine(QStringLiteral("2D6+3 = ( 4, 5 ) = 12 *** Success ***"));
    QApplication::processEvents();
    auto* attack = sheet.findChild<QPushButton*>(QStringLiteral("Button1"));
    setDiceState(1);
    for (auto _ : state) {
        QTest::mouseClick(attack, Qt::LeftButton);
        QApplication::processEvents();
    }
    state.counters["log lines"] = double(state.range(0));
}
BENCHMARK(attackClick)->Arg(0)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// One key typed at the end of a log holding a single line of range(0) characters without a
// blank: the sheet's log (range(1) = 1), whose scroll-bar rule runs on every change, or a bare
// text box of the same size, face and wrapping (range(1) = 0).
void keyInLongLogLine(benchmark::State& state)
{
    writeTable(1);
    TForm1 sheet;
    auto* log = sheet.findChild<LogPane*>(QStringLiteral("Memo1"));
    QPlainTextEdit* box = log;
    std::unique_ptr<QPlainTextEdit> bare;
    if (state.range(1) == 0) {
        bare = std::make_unique<QPlainTextEdit>(&sheet);
        bare->setGeometry(log->geometry());
        bare->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        bare->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        bare->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        bare->setUndoRedoEnabled(false);
        log->hide();
        box = bare.get();
    }
    sheet.show();
    (void)QTest::qWaitForWindowExposed(&sheet);
    box->setPlainText(QString(qsizetype(state.range(0)), QLatin1Char('x')));
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QApplication::processEvents();
    for (auto _ : state) {
        QTest::keyClick(box, Qt::Key_X);
        QApplication::processEvents();
    }
    state.counters["characters"] = double(state.range(0));
}
BENCHMARK(keyInLongLogLine)
    ->ArgsProduct({{100000, 300000}, {0, 1}})
    ->ArgNames({"characters", "sheet"})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void startUpWithTable(benchmark::State& state)
{
    writeTable(int(state.range(0)));
    for (auto _ : state) {
        TForm1 sheet;
        benchmark::DoNotOptimize(&sheet);
    }
    state.counters["rows"] = double(state.range(0));
}
BENCHMARK(startUpWithTable)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The first opening of the power list, from the call until it has laid out every row, with the
// two largest kinds of table the sheet accepts: 8,388,607 one-letter rows (range(0) = 0) and
// 511,767 rows of a name and ten values (range(0) = 1), each just under 16 MiB.
void firstOpeningOfPowerList(benchmark::State& state)
{
    {
        QFile file(QStringLiteral("RatingTable.txt"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        if (state.range(0) == 0) {
            file.write(QByteArray("a\n").repeated(8388607));
        } else {
            for (int row = 0; row < 511767; ++row)
                file.write("Axe" + QByteArray::number(row).rightJustified(6, '0') +
                           ",1,2,3,4,5,6,7,8,9,10\r\n");
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto sheet = std::make_unique<TForm1>();
        sheet->show();
        (void)QTest::qWaitForWindowExposed(sheet.get());
        auto* selector = sheet->findChild<PowerSelector*>(QStringLiteral("ComboBox1"));
        QApplication::processEvents();
        state.ResumeTiming();

        selector->showPopup();
        (void)QTest::qWaitForWindowExposed(selector->view()->window());
        // The list lays out the rest of its rows a batch at a time, each on a timer of its own.
        while (!QAbstractEventDispatcher::instance()->registeredTimers(selector->view()).isEmpty())
            QApplication::processEvents();

        state.PauseTiming();
        state.counters["rows"] = double(selector->count());
        state.counters["list width"] = double(selector->view()->window()->width());
        sheet.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(firstOpeningOfPowerList)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QTemporaryDir directory;
    QDir::setCurrent(directory.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
