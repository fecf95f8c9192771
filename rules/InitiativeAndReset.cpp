#include "Rules.h"

#include "Dice.h"

using namespace Qt::StringLiterals;

namespace rules {

void RollInitiative(CombatSheet& sheet)
{
    const qint64 modifier = sumOf(sheet, {Field::SpinEdit21, Field::SpinEdit13});
    const QString dice = RollDice(2, 6);
    const qint64 roll = SumDice(dice);
    // A tie goes to the player.
    const bool attacksFirst = sheet.value(Field::SpinEdit22) <= modifier + roll;

    sheet.appendLogLine(FormatCheckLine(dice, modifier));
    sheet.appendLogLine(attacksFirst ? u"*** You are attacking first ***"_s
                                     : u"*** You are attacking last ***"_s);
}

void Reset(CombatSheet& sheet)
{
    if (sheet.clearLogOnReset())
        sheet.clearLog();
    if (sheet.restoreHitPointsOnReset()) {
        sheet.setValue(Field::SpinEdit20, sheet.value(Field::SpinEdit24));
        sheet.setValue(Field::SpinEdit11, sheet.value(Field::SpinEdit23));
    }
}

} // namespace rules
