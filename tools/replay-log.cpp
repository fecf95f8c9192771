// Finds the dice under which this build's combat sheet writes a given log: the Windows
// program, whose dice are seeded from the clock, is checked this way against the Linux one.
// It tries every seed between two UTC times of day (in milliseconds since midnight), plays
// the actions on the real sheet, opened in the current directory with the first power
// chosen, and prints the seed whose log matches line for line.
// Usage: replay-log FROM_MS TO_MS ACTIONS LOG_FILE, where ACTIONS is a word of I
// (Initiative), A (Attack Roll) and D (Defence Roll).
#include "Dice.h"
#include "Unit1.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QStringList linesOf(const QString& text)
{
    QStringList lines = QString(text).replace(u"\r\n"_s, u"\n"_s).split(u'\n');
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QFile logFile(argc == 5 ? QString::fromLocal8Bit(argv[4]) : QString());
    if (argc != 5 || !logFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "usage: replay-log FROM_MS TO_MS ACTIONS LOG_FILE\n");
        return 2;
    }
    const QStringList expected = linesOf(QString::fromUtf8(logFile.readAll()));
    const qint64 from = QByteArray(argv[1]).toLongLong();
    const qint64 to = QByteArray(argv[2]).toLongLong();
    const QByteArray actions = argv[3];

    TForm1 sheet;
    const auto button = [&](const char* name) {
        return sheet.findChild<QPushButton*>(QLatin1StringView(name));
    };
    sheet.findChild<QComboBox*>(u"ComboBox1"_s)->setCurrentIndex(0);
    const auto* log = sheet.findChild<QPlainTextEdit*>(u"Memo1"_s);
    constexpr qint64 day = 24 * 60 * 60 * 1000;
    for (qint64 time = from; time <= to; ++time) {
        button("Button4")->click(); // clears the log and heals both sides
        setDiceState(quint32((time % day + day) % day));
        for (const char action : actions)
            button(action == 'I' ? "Button3" : action == 'A' ? "Button1" : "Button2")->click();
        if (linesOf(log->toPlainText()) == expected) {
            std::printf("replay-log: the same %lld lines from seed %lld\n", qint64(expected.size()),
                        (time % day + day) % day);
            return 0;
        }
    }
    std::printf("replay-log: no seed from %lld to %lld writes that log\n", from, to);
    return 1;
}
