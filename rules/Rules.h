#pragma once

#include "CombatSheet.h"
#include "RatingTable.h"

// The four actions of the combat sheet, which the window's buttons run.
namespace rules {

// The enemy's side of a check when it does not roll: its base value plus this.
constexpr qint64 fixedRoll = 7;
// A 2D6 roll of 2 always fails and one of 12 always succeeds, whatever the values.
constexpr qint64 automaticFailure = 2;
constexpr qint64 automaticSuccess = 12;

inline bool isAutomatic(qint64 roll)
{
    return roll == automaticFailure || roll == automaticSuccess;
}

// Initiative: 2D6 + scout skill + agility bonus against the enemy's initiative value.
void RollInitiative(CombatSheet& sheet);
// Reset: clears the log and/or restores both sides' hit points, as the check boxes say.
void Reset(CombatSheet& sheet);

// Attack Roll: the player's accuracy against the enemy's evasion, then RollDamage on a hit.
void Attack(CombatSheet& sheet, const RatingTable& table);
// The damage roll on the selected row of the rating table, with critical re-rolls.
void RollDamage(CombatSheet& sheet, const RatingTable& table);

// Defence Roll: the enemy's accuracy against the player's evasion, then RollEnemyDamage.
void Defend(CombatSheet& sheet);
// The enemy's 2D6 damage roll plus its striking-power bonus against the player's armour.
void RollEnemyDamage(CombatSheet& sheet);

} // namespace rules
