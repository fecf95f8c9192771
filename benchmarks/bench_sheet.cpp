// The cost of one "Attack Roll" click as the log grows, and of start-up as the rating
// table grows, through the real window on the offscreen platform.
#include "Dice.h"
#include "PowerSelector.h"
#include "Unit1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

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
