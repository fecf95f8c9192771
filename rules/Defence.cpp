#include "Rules.h"

#include "Dice.h"
#include "IntegerText.h"

using namespace Qt::StringLiterals;

namespace rules {

void Defend(CombatSheet& sheet)
{
    const qint64 evasion =
        sumOf(sheet, {Field::SpinEdit12, Field::SpinEdit13, Field::SpinEdit15, Field::SpinEdit14});
    const qint64 accuracy = sheet.value(Field::SpinEdit16);
    const bool enemyRolls = sheet.enemyRolls();

    QString enemyDice;
    qint64 enemyRoll = fixedRoll;
    if (enemyRolls) {
        enemyDice = RollDice(2, 6);
        enemyRoll = SumDice(enemyDice);
    }

    QString playerDice;
    bool evaded = false;
    const bool automatic = isAutomatic(enemyRoll);
    if (automatic) {
        evaded = enemyRoll == automaticFailure;
    } else {
        playerDice = RollDice(2, 6);
        const qint64 playerRoll = SumDice(playerDice);
        evaded = accuracy + enemyRoll <= evasion + playerRoll; // a tie goes to the player
        if (playerRoll == automaticFailure)
            evaded = false;
        if (playerRoll == automaticSuccess)
            evaded = true;
    }

    const QString outcome = CheckResultText(evaded);
    const QString enemyLine = u"  "_s + FormatCheckLine(enemyDice, accuracy);
    const QString playerLine = FormatCheckLine(playerDice, evasion);
    if (!enemyRolls) {
        sheet.appendLogLine(playerLine + outcome);
    } else if (automatic) {
        // The player does not roll: the outcome follows the enemy's line, or stands alone.
        sheet.appendLogLine((sheet.enemyRollsShown() ? enemyLine : QString()) + outcome);
    } else if (sheet.enemyRollsShown()) {
        sheet.appendLogLine(enemyLine);
        sheet.appendLogLine(playerLine + outcome);
    } else {
        sheet.appendLogLine(playerLine + outcome);
    }

    if (!evaded)
        RollEnemyDamage(sheet);
}

void RollEnemyDamage(CombatSheet& sheet)
{
    const qint64 armour = sumOf(sheet, {Field::SpinEdit19, Field::SpinEdit18});
    const qint64 roll = SumDice(RollDice(2, 6));
    const qint64 total = sheet.value(Field::SpinEdit17) + roll;
    const QString line = u"  ( 2D6 = "_s + decimalText(roll) + u" ) + "_s +
                         sheet.text(Field::SpinEdit17) + u" = "_s + decimalText(total);

    QString outcome;
    if (roll == automaticFailure) {
        outcome = u" *** Success ***"_s; // the enemy's roll of 2 cancels all damage
    } else if (total > armour) {
        sheet.setValue(Field::SpinEdit20, sheet.value(Field::SpinEdit20) - (total - armour));
        outcome = u" *** You are Damaged ***"_s;
    } else {
        outcome = u" *** You not Damaged ***"_s;
    }
    sheet.appendLogLine(line + outcome);

    if (sheet.value(Field::SpinEdit20) <= 0)
        sheet.appendLogLine(u"*** You Lose ***"_s);
}

} // namespace rules
