#pragma once

#include <QString>

// The spin fields of the combat sheet, by name.
enum class Field {
    SpinEdit1, // warrior-class skill (accuracy, damage)
    SpinEdit2, // dexterity bonus
    SpinEdit3, // enemy's evasion base value
    SpinEdit4, // other modifier to accuracy
    SpinEdit5, // equipment modifier to accuracy
    SpinEdit6, // enemy's armour
    SpinEdit7, // strength bonus
    SpinEdit8, // critical value, 8 to 99
    SpinEdit9, // other modifier to damage
    SpinEdit10, // equipment modifier to damage
    SpinEdit11, // enemy's current hit points
    SpinEdit12, // warrior-class skill (evasion)
    SpinEdit13, // agility bonus (evasion, initiative)
    SpinEdit14, // other modifier to evasion
    SpinEdit15, // equipment modifier to evasion
    SpinEdit16, // enemy's accuracy base value
    SpinEdit17, // enemy's striking-power bonus
    SpinEdit18, // player's other armour
    SpinEdit19, // player's armour from equipment
    SpinEdit20, // player's current hit points
    SpinEdit21, // scout skill
    SpinEdit22, // enemy's initiative value
    SpinEdit23, // enemy's maximum hit points
    SpinEdit24, // player's maximum hit points
};
constexpr int fieldCount = int(Field::SpinEdit24) + 1;

// What the window offers the rules: its controls are the state, read afresh each time.
class CombatSheet {
public:
    virtual ~CombatSheet() = default;

    // The field's text read as integer text, or the field's minimum when it is not one.
    virtual qint32 value(Field field) const = 0;
    // The field's text exactly as displayed.
    virtual QString text(Field field) const = 0;
    // The value as the field's own clamp would make it: a bounded field's value held to its
    // bounds, whether or not the field has been fixed up yet.
    virtual qint32 clampedValue(Field field) const = 0;
    // Saturates to 32 bits, clamps bounded fields, and writes the decimal text.
    virtual void setValue(Field field, qint64 value) = 0;

    virtual void appendLogLine(const QString& line) = 0;
    virtual void clearLog() = 0;

    virtual bool enemyRolls() const = 0; // RadioGroup1: the enemy rolls 2D6 (else it is fixed)
    virtual bool enemyRollsShown() const = 0; // RadioGroup2: the enemy's rolls are logged
    virtual bool clearLogOnReset() const = 0; // CheckBox1
    virtual bool restoreHitPointsOnReset() const = 0; // CheckBox2
    virtual int selectedPower() const = 0; // ComboBox1, -1 when none is selected
};

// Sums of sheet values are taken in 64 bits, so that no total can overflow.
inline qint64 sumOf(const CombatSheet& sheet, std::initializer_list<Field> fields)
{
    qint64 sum = 0;
    for (const Field field : fields)
        sum += sheet.value(field);
    return sum;
}
