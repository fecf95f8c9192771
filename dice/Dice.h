#pragma once

#include <QString>
#include <QTime>

// The one dice generator of the process: a 32-bit linear congruential state, seeded from
// the UTC time of day when the window is created and advanced only by draws.

// Sets the state from the current UTC time of day.
void SeedDice();
// The state that seeding at a given UTC time of day produces: milliseconds since midnight.
quint32 seedForTimeOfDay(QTime utcTime);

// The seam for tests and tools that need known rolls.
quint32 diceState();
void setDiceState(quint32 state);

// One die: a number from 1 to sides.
int rollDie(int sides);
// A dice text: each die's value, separated by ", ", ending in a single blank ("3, 5 ").
QString RollDice(int count, int sides);
// The dice text of the given rolls, as RollDice writes it; empty for no rolls.
QString diceText(const QList<qint64>& rolls);
// The sum of a comma text's fields read as integer text; the empty text sums to 0.
qint64 SumDice(const QString& diceText);
// "2D6+<m> = ( <dice>) = <m + sum>", the log line of one check.
QString FormatCheckLine(const QString& diceText, qint64 modifier);
// The outcome text appended to a check line: " *** Success ***" or " *** Failed ***".
QString CheckResultText(bool outcome);
