#include "Rules.h"

#include "Dice.h"
#include "IntegerText.h"

using namespace Qt::StringLiterals;

namespace rules {

void Attack(CombatSheet& sheet, const RatingTable& table)
{
    const qint64 accuracy =
        sumOf(sheet, {Field::SpinEdit1, Field::SpinEdit2, Field::SpinEdit4, Field::SpinEdit5});
    const qint64 evasion = sheet.value(Field::SpinEdit3);
    const bool enemyRolls = sheet.enemyRolls();

    const QString playerDice = RollDice(2, 6);
    const qint64 playerRoll = SumDice(playerDice);
    QString enemyDice;
    qint64 enemyRoll = fixedRoll;

    bool hit = false;
    const bool automatic = isAutomatic(playerRoll);
    if (automatic) {
        hit = playerRoll == automaticSuccess;
    } else {
        if (enemyRolls) {
            enemyDice = RollDice(2, 6);
            enemyRoll = SumDice(enemyDice);
        }
        hit = evasion + enemyRoll < accuracy + playerRoll; // a tie is a miss
        if (enemyRolls && enemyRoll == automaticFailure)
            hit = true;
        if (enemyRolls && enemyRoll == automaticSuccess)
            hit = false;
    }

    const QString outcome = CheckResultText(hit);
    const QString playerLine = FormatCheckLine(playerDice, accuracy);
    if (enemyRolls && sheet.enemyRollsShown() && !automatic) {
        sheet.appendLogLine(playerLine);
        sheet.appendLogLine(u"  "_s + FormatCheckLine(enemyDice, evasion) + outcome);
    } else {
        sheet.appendLogLine(playerLine + outcome);
    }

    if (hit)
        RollDamage(sheet, table);
}

void RollDamage(CombatSheet& sheet, const RatingTable& table)
{
    const qint64 modifier =
        sumOf(sheet, {Field::SpinEdit1, Field::SpinEdit7, Field::SpinEdit10, Field::SpinEdit9});
    qint64 rating = 0;
    qint64 roll = SumDice(RollDice(2, 6));
    QList<qint64> rolls{roll};

    QString result;
    if (roll == automaticFailure) {
        result = u"*** Failed ***"_s;
    } else {
        const QStringList row = table.RatingRow(sheet.selectedPower());
        rating = ratingValue(row, roll);
        // The critical value is read again before every test, and never tested outside its
        // bounds: text dropped in or set by an assistive tool has not been clamped, and a
        // value of 2 or less would re-roll for ever.
        while (roll >= sheet.clampedValue(Field::SpinEdit8)) {
            roll = SumDice(RollDice(2, 6));
            rolls.append(roll);
            if (roll != automaticFailure)
                rating += ratingValue(row, roll);
        }
        result = decimalText(rating) + u" + "_s + decimalText(modifier) + u" = "_s +
                 decimalText(rating + modifier);
    }
    sheet.appendLogLine(u"( 2D6 = "_s + diceText(rolls) + u") = "_s + result);

    const qint64 damage = rating + modifier;
    const qint64 armour = sheet.value(Field::SpinEdit6);
    if (armour < damage) {
        sheet.setValue(Field::SpinEdit11, sheet.value(Field::SpinEdit11) - (damage - armour));
        sheet.appendLogLine(u"*** Enemy Damaged ***"_s);
    }
    if (sheet.value(Field::SpinEdit11) <= 0)
        sheet.appendLogLine(u"*** You Win ! ***"_s);
}

} // namespace rules
