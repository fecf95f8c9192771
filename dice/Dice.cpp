#include "Dice.h"

#include "CommaText.h"
#include "IntegerText.h"

#include <QDateTime>

using namespace Qt::StringLiterals;

namespace {

quint32 generatorState = 0;

// A number in 0 .. range-1: advance the state, then take the high half of state * range.
quint32 draw(quint32 range)
{
    generatorState = generatorState * 134775813u + 1u;
    return quint32((quint64(generatorState) * range) >> 32);
}

} // namespace

quint32 seedForTimeOfDay(QTime utcTime)
{
    return quint32(((utcTime.hour() * 60 + utcTime.minute()) * 60 + utcTime.second()) * 1000 +
                   utcTime.msec());
}

void SeedDice()
{
    setDiceState(seedForTimeOfDay(QDateTime::currentDateTimeUtc().time()));
}

quint32 diceState()
{
    return generatorState;
}

void setDiceState(quint32 state)
{
    generatorState = state;
}

int rollDie(int sides)
{
    return int(draw(quint32(sides))) + 1;
}

QString RollDice(int count, int sides)
{
    QList<qint64> rolls;
    for (int i = 0; i < count; ++i)
        rolls.append(rollDie(sides));
    return diceText(rolls);
}

QString diceText(const QList<qint64>& rolls)
{
    QString text;
    for (const qint64 roll : rolls)
        text += decimalText(roll) + u", "_s;
    // Drop the last comma and keep the final blank.
    if (!text.isEmpty())
        text.remove(text.size() - 2, 1);
    return text;
}

qint64 SumDice(const QString& diceText)
{
    qint64 sum = 0;
    for (const QString& field : SplitCommaText(diceText))
        sum += readInteger(field);
    return sum;
}

QString FormatCheckLine(const QString& diceText, qint64 modifier)
{
    return u"2D6+"_s + decimalText(modifier) + u" = ( "_s + diceText + u") = "_s +
           decimalText(modifier + SumDice(diceText));
}

QString CheckResultText(bool outcome)
{
    return outcome ? u" *** Success ***"_s : u" *** Failed ***"_s;
}
