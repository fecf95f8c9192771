// The four actions, through the real buttons with the dice set to known values.
#include "PowerSelector.h"
#include "SheetFixture.h"
#include "SpinField.h"

#include <QCheckBox>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Check {
    QString fields;
    int judgement;
    int disclosure;
    QList<int> dice;
};

void play(SheetFixture& sheet, const Check& check, const char* button)
{
    sheet.fill(check.fields);
    if (check.judgement == 0) {
        sheet.chooseJudgement(0);
        sheet.chooseDisclosure(check.disclosure);
    } else {
        // The disclosure is set while it can be, then left behind.
        sheet.chooseJudgement(0);
        sheet.chooseDisclosure(check.disclosure);
        sheet.chooseJudgement(1);
    }
    SheetFixture::nextDice(check.dice);
    sheet.click(button);
}

void checkRow(const char* name, const char* fields, int judgement, int disclosure,
              const QList<int>& dice, const QStringList& lines, int hitPoints)
{
    QTest::newRow(name) << QString::fromUtf8(fields) << judgement << disclosure << dice << lines
                        << hitPoints;
}

QByteArray attackTable()
{
    return hundredsTable() + "Short, 1, 2\r\nGreat Axe, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12\r\n"
                             "Marked, <i>5</i>\r\n"_ba;
}

} // namespace

class TestRules : public QObject {
    Q_OBJECT

private slots:
    void initiative_data();
    void initiative();
    void reset_data();
    void reset();
    void attack_data();
    void attack();
    void damageRollFailures_data();
    void damageRollFailures();
    void defence_data();
    void defence();
    void wholeFight();

private:
    void addCheckColumns();
    void runCheck(const char* button, Field hitPointField, const QString& baseFields);
};

// Plays one row of an attack or defence table and compares the log and the hit points.
void TestRules::runCheck(const char* button, Field hitPointField, const QString& baseFields)
{
    QFETCH(QString, fields);
    QFETCH(int, judgement);
    QFETCH(int, disclosure);
    QFETCH(QList<int>, dice);
    QFETCH(QStringList, lines);
    QFETCH(int, hitPoints);
    SheetFixture sheet(attackTable());
    sheet.choosePower(0);
    play(sheet, {baseFields + u' ' + fields, judgement, disclosure, dice}, button);
    QCOMPARE(sheet.logLines(), lines);
    QCOMPARE(sheet.field(hitPointField)->value(), hitPoints);
    QVERIFY(sheet.dialogs().isEmpty());
}

void TestRules::addCheckColumns()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<int>("judgement");
    QTest::addColumn<int>("disclosure");
    QTest::addColumn<QList<int>>("dice");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("hitPoints");
}

void TestRules::initiative_data()
{
    addCheckColumns();
    const auto row = [](const char* name, const char* fields, QList<int> dice, QString line,
                        bool first) {
        QTest::newRow(name) << QString::fromUtf8(fields) << 1 << 0 << dice
                            << QStringList{line, first ? u"*** You are attacking first ***"_s
                                                       : u"*** You are attacking last ***"_s}
                            << 20;
    };
    row("short of the value", "21:3 22:10", {4, 2}, u"2D6+3 = ( 4, 2 ) = 9"_s, false);
    row("tie goes to the player", "21:3 22:9", {4, 2}, u"2D6+3 = ( 4, 2 ) = 9"_s, true);
    row("enemy value 0", "22:0", {1, 1}, u"2D6+0 = ( 1, 1 ) = 2"_s, true);
    row("negative modifier", "21:-1 22:2", {1, 1}, u"2D6+-1 = ( 1, 1 ) = 1"_s, false);
    row("agility counts", "21:1 13:2 22:15", {6, 6}, u"2D6+3 = ( 6, 6 ) = 15"_s, true);
    row("no overflow", "21:2147483647 13:2147483647 22:2147483647", {1, 1},
        u"2D6+4294967294 = ( 1, 1 ) = 4294967296"_s, true);
}

void TestRules::initiative()
{
    QFETCH(QString, fields);
    QFETCH(QList<int>, dice);
    QFETCH(QStringList, lines);
    SheetFixture sheet(hundredsTable());
    sheet.fill(fields);
    SheetFixture::nextDice(dice);
    sheet.click("Button3");
    QCOMPARE(sheet.logLines(), lines);
}

void TestRules::reset_data()
{
    QTest::addColumn<bool>("clearLog");
    QTest::addColumn<bool>("restoreHitPoints");
    QTest::newRow("both") << true << true;
    QTest::newRow("log only") << true << false;
    QTest::newRow("hit points only") << false << true;
    QTest::newRow("neither") << false << false;
}

void TestRules::reset()
{
    QFETCH(bool, clearLog);
    QFETCH(bool, restoreHitPoints);
    SheetFixture sheet(hundredsTable());
    sheet.fill(u"20:-3 24:25 11:-7 23:30 8:12"_s);
    sheet.chooseJudgement(0);
    sheet.click("Button3");
    const QStringList before = sheet.logLines();
    if (!clearLog)
        QTest::mouseClick(sheet.control<QCheckBox>("CheckBox1"), Qt::LeftButton);
    if (!restoreHitPoints)
        QTest::mouseClick(sheet.control<QCheckBox>("CheckBox2"), Qt::LeftButton);

    sheet.click("Button4");
    QCOMPARE(sheet.logLines(), clearLog ? QStringList() : before);
    QCOMPARE(sheet.field(Field::SpinEdit20)->text(), restoreHitPoints ? u"25"_s : u"-3"_s);
    QCOMPARE(sheet.field(Field::SpinEdit11)->text(), restoreHitPoints ? u"30"_s : u"-7"_s);
    // Nothing else is reset.
    QCOMPARE(sheet.field(Field::SpinEdit8)->text(), u"12"_s);
    QVERIFY(sheet.form().enemyRolls());
}

void TestRules::attack_data()
{
    // Accuracy 3 (skill 1 + dexterity 2), evasion 2, damage modifier 1, critical 10,
    // armour 0, enemy HP 500; the power's value for a roll of n is 100 + n.
    addCheckColumns();
    const auto row = checkRow;
    const QString damaged = u"*** Enemy Damaged ***"_s;
    const QString win = u"*** You Win ! ***"_s;
    const QString hitWith15 = u"2D6+3 = ( 6, 6 ) = 15 *** Success ***"_s;
    const QString damage107 = u"( 2D6 = 6 ) = 106 + 1 = 107"_s;

    row("fixed evasion, hit", "", 1, 0, {4, 5, 3, 3},
        {u"2D6+3 = ( 4, 5 ) = 12 *** Success ***"_s, damage107, damaged}, 393);
    row("fixed evasion, tie misses", "", 1, 0, {3, 3}, {u"2D6+3 = ( 3, 3 ) = 9 *** Failed ***"_s},
        500);
    row("rolled and shown, miss", "", 0, 1, {3, 3, 5, 2},
        {u"2D6+3 = ( 3, 3 ) = 9"_s, u"  2D6+2 = ( 5, 2 ) = 9 *** Failed ***"_s}, 500);
    row("rolled and hidden, hit", "", 0, 0, {4, 4, 2, 3, 1, 2},
        {u"2D6+3 = ( 4, 4 ) = 11 *** Success ***"_s, u"( 2D6 = 3 ) = 103 + 1 = 104"_s, damaged},
        396);
    row("automatic miss", "2:99", 0, 1, {1, 1}, {u"2D6+100 = ( 1, 1 ) = 102 *** Failed ***"_s},
        500);
    row("automatic hit", "3:50", 0, 1, {6, 6, 2, 3},
        {hitWith15, u"( 2D6 = 5 ) = 105 + 1 = 106"_s, damaged}, 394);
    row("automatic hit, fixed", "3:50", 1, 0, {6, 6, 2, 3},
        {hitWith15, u"( 2D6 = 5 ) = 105 + 1 = 106"_s, damaged}, 394);
    row("enemy's 12 misses", "2:99", 0, 1, {5, 5, 6, 6},
        {u"2D6+100 = ( 5, 5 ) = 110"_s, u"  2D6+2 = ( 6, 6 ) = 14 *** Failed ***"_s}, 500);
    row("enemy's 2 hits", "3:50", 0, 1, {2, 3, 1, 1, 2, 2},
        {u"2D6+3 = ( 2, 3 ) = 8"_s, u"  2D6+50 = ( 1, 1 ) = 52 *** Success ***"_s,
         u"( 2D6 = 4 ) = 104 + 1 = 105"_s, damaged},
        395);
    row("critical chain", "8:8", 1, 0, {6, 6, 4, 5, 4, 4, 1, 3},
        {hitWith15, u"( 2D6 = 9, 8, 4 ) = 321 + 1 = 322"_s, damaged}, 178);
    row("critical ends on 2", "8:8", 1, 0, {6, 6, 5, 5, 1, 1},
        {hitWith15, u"( 2D6 = 10, 2 ) = 110 + 1 = 111"_s, damaged}, 389);
    row("critical 99 never re-rolls", "8:99", 1, 0, {6, 6, 6, 6},
        {hitWith15, u"( 2D6 = 12 ) = 112 + 1 = 113"_s, damaged}, 387);
    row("critical below 8 clamped first", "8:3", 1, 0, {6, 6, 4, 4, 1, 2},
        {hitWith15, u"( 2D6 = 8, 3 ) = 211 + 1 = 212"_s, damaged}, 288);
    row("armour equal to damage", "6:107", 1, 0, {6, 6, 3, 3}, {hitWith15, damage107}, 500);
    row("failed roll still damages", "7:10 6:3", 1, 0, {6, 6, 1, 1},
        {hitWith15, u"( 2D6 = 2 ) = *** Failed ***"_s, damaged}, 492);
    row("enemy falls", "11:50", 1, 0, {6, 6, 3, 3}, {hitWith15, damage107, damaged, win}, -57);
    row("enemy falls to exactly 0", "11:107", 1, 0, {6, 6, 3, 3},
        {hitWith15, damage107, damaged, win}, 0);
    // A distinct power of two in every field a sum reads shows any field dropped or swapped.
    row("every summed field counts", "2:1024 4:2048 5:4096 3:256 7:16 10:32 9:64 6:128", 0, 1,
        {4, 5, 3, 3, 3, 3},
        {u"2D6+7169 = ( 4, 5 ) = 7178"_s, u"  2D6+256 = ( 3, 3 ) = 262 *** Success ***"_s,
         u"( 2D6 = 6 ) = 106 + 113 = 219"_s, damaged},
        409);
    row("warrior skills differ: accuracy and damage read the attack's", "1:5 12:40", 1, 0,
        {6, 6, 3, 3},
        {u"2D6+7 = ( 6, 6 ) = 19 *** Success ***"_s, u"( 2D6 = 6 ) = 106 + 5 = 111"_s, damaged},
        389);
    row("fallen enemy hit again", "11:-5 6:1000", 1, 0, {6, 6, 3, 3}, {hitWith15, damage107, win},
        -5);
    row("hit points saturate", "11:-2147483648", 1, 0, {6, 6, 3, 3},
        {hitWith15, damage107, damaged, win}, -2147483647 - 1);
    row("accuracy beyond 32 bits", "1:2147483647 2:2147483647", 1, 0, {1, 1},
        {u"2D6+4294967294 = ( 1, 1 ) = 4294967296 *** Failed ***"_s}, 500);
}

void TestRules::attack()
{
    runCheck("Button1", Field::SpinEdit11, u"2:2 3:2 11:500"_s);
}

void TestRules::damageRollFailures_data()
{
    QTest::addColumn<int>("power");
    QTest::addColumn<QList<int>>("damageDice");
    QTest::addColumn<QString>("damageLine");
    QTest::addColumn<QString>("message");
    const QString noDamageLine;
    QTest::newRow("no power selected") << -1 << QList<int>{3, 3} << noDamageLine
                                       << u"リストのインデックスが範囲を超えています (-1)"_s;
    QTest::newRow("no power, first roll 2")
        << -1 << QList<int>{1, 1} << u"( 2D6 = 2 ) = *** Failed ***"_s << QString();
    QTest::newRow("row too short") << 1 << QList<int>{3, 3} << noDamageLine
                                   << u"リストのインデックスが範囲を超えています (4)"_s;
    QTest::newRow("row one field too short") << 1 << QList<int>{2, 3} << noDamageLine
                                             << u"リストのインデックスが範囲を超えています (3)"_s;
    QTest::newRow("unquoted name, roll 3")
        << 2 << QList<int>{1, 2} << noDamageLine << u"'Axe' は整数ではありません."_s;
    QTest::newRow("field that looks like markup")
        << 3 << QList<int>{1, 2} << noDamageLine << u"'<i>5</i>' は整数ではありません."_s;
    QTest::newRow("unquoted name, roll 4")
        << 2 << QList<int>{2, 2} << u"( 2D6 = 4 ) = 3 + 6 = 9"_s << QString();
}

void TestRules::damageRollFailures()
{
    QFETCH(int, power);
    QFETCH(QList<int>, damageDice);
    QFETCH(QString, damageLine);
    QFETCH(QString, message);
    SheetFixture sheet(attackTable());
    auto* selector = sheet.control<PowerSelector>("ComboBox1");
    QCOMPARE(selector->itemText(2), u"Great"_s);
    sheet.choosePower(power < 0 ? 0 : power);
    if (power < 0)
        QTest::keyClicks(selector, u"x"_s); // typed text: no row selected
    sheet.fill(u"11:500 7:5 6:2"_s);
    SheetFixture::nextDice(QList<int>{6, 6} + damageDice);
    sheet.click("Button1");

    QStringList expected{u"2D6+1 = ( 6, 6 ) = 13 *** Success ***"_s};
    if (!damageLine.isEmpty())
        expected << damageLine << u"*** Enemy Damaged ***"_s;
    QCOMPARE(sheet.logLines(), expected);
    if (message.isEmpty()) {
        QVERIFY(sheet.dialogs().isEmpty());
        return;
    }
    QCOMPARE(sheet.dialogs().size(), 1);
    QCOMPARE(sheet.dialogs().front().text, message);
    QCOMPARE(sheet.dialogs().front().title, u"tst_rules"_s);
    QCOMPARE(sheet.dialogs().front().format, Qt::PlainText); // shown as the file holds it
    QCOMPARE(sheet.field(Field::SpinEdit11)->text(), u"500"_s);
    // The program goes on.
    SheetFixture::nextDice({1, 1});
    sheet.click("Button3");
    QCOMPARE(sheet.logLines().size(), 3);
}

void TestRules::defence_data()
{
    // Evasion 2 (skill 1 + agility 1), enemy accuracy 3, bonus 0, armour 0, player HP 20.
    addCheckColumns();
    const auto row = checkRow;
    const QString success = u" *** Success ***"_s;
    const QString failed = u" *** Failed ***"_s;
    const QString damaged7 = u"  ( 2D6 = 7 ) + 0 = 7 *** You are Damaged ***"_s;
    const QString lose = u"*** You Lose ***"_s;
    const QString fixedHit = u"2D6+2 = ( 1, 2 ) = 5 *** Failed ***"_s;

    row("enemy's 2, closed", "", 0, 0, {1, 1}, {success}, 20);
    row("enemy's 2, open", "", 0, 1, {1, 1}, {u"  2D6+3 = ( 1, 1 ) = 5"_s + success}, 20);
    row("enemy's 12, closed", "", 0, 0, {6, 6, 3, 4}, {failed, damaged7}, 13);
    row("enemy's 12, open", "", 0, 1, {6, 6, 3, 4},
        {u"  2D6+3 = ( 6, 6 ) = 15"_s + failed, damaged7}, 13);
    row("rolled, closed", "", 0, 0, {4, 4, 6, 3}, {u"2D6+2 = ( 6, 3 ) = 11"_s + success}, 20);
    row("rolled, open, tie evades", "", 0, 1, {4, 4, 6, 3},
        {u"  2D6+3 = ( 4, 4 ) = 11"_s, u"2D6+2 = ( 6, 3 ) = 11"_s + success}, 20);
    row("rolled, open, hit", "", 0, 1, {4, 4, 2, 3, 5, 5},
        {u"  2D6+3 = ( 4, 4 ) = 11"_s, u"2D6+2 = ( 2, 3 ) = 7"_s + failed,
         u"  ( 2D6 = 10 ) + 0 = 10 *** You are Damaged ***"_s},
        10);
    row("fixed, closed", "", 1, 0, {1, 2, 3, 4}, {fixedHit, damaged7}, 13);
    row("fixed, disclosure left open", "", 1, 1, {1, 2, 3, 4}, {fixedHit, damaged7}, 13);
    row("fixed, tie evades", "", 1, 0, {4, 4}, {u"2D6+2 = ( 4, 4 ) = 10"_s + success}, 20);
    row("player's 2 is hit", "14:98", 1, 0, {1, 1, 3, 4},
        {u"2D6+100 = ( 1, 1 ) = 102"_s + failed, damaged7}, 13);
    row("player's 12 evades", "16:100", 1, 0, {6, 6}, {u"2D6+2 = ( 6, 6 ) = 14"_s + success}, 20);
    row("bonus holding letters", "17:abc", 1, 0, {1, 2, 3, 4},
        {fixedHit, u"  ( 2D6 = 7 ) + abc = 7 *** You are Damaged ***"_s}, 13);
    row("bonus shown as typed", "17:+05", 1, 0, {1, 2, 3, 4},
        {fixedHit, u"  ( 2D6 = 7 ) + +05 = 12 *** You are Damaged ***"_s}, 8);
    row("total equal to armour", "19:4 18:3", 1, 0, {1, 2, 3, 4},
        {fixedHit, u"  ( 2D6 = 7 ) + 0 = 7 *** You not Damaged ***"_s}, 20);
    row("roll of 2 cancels a large bonus", "17:50", 1, 0, {1, 2, 1, 1},
        {fixedHit, u"  ( 2D6 = 2 ) + 50 = 52 *** Success ***"_s}, 20);
    row("player falls", "20:1 17:10", 1, 0, {1, 2, 3, 4},
        {fixedHit, u"  ( 2D6 = 7 ) + 10 = 17 *** You are Damaged ***"_s, lose}, -16);
    row("player falls to exactly 0", "20:7", 1, 0, {1, 2, 3, 4}, {fixedHit, damaged7, lose}, 0);
    row("every summed field counts", "13:2 15:4 14:8 16:1024 17:256 19:32 18:64 20:1000", 0, 1,
        {3, 3, 4, 5, 3, 4},
        {u"  2D6+1024 = ( 3, 3 ) = 1030"_s, u"2D6+15 = ( 4, 5 ) = 24"_s + failed,
         u"  ( 2D6 = 7 ) + 256 = 263 *** You are Damaged ***"_s},
        833);
    row("fallen player hit again", "20:-16 19:100", 1, 0, {1, 2, 3, 4},
        {fixedHit, u"  ( 2D6 = 7 ) + 0 = 7 *** You not Damaged ***"_s, lose}, -16);
    row("damage beyond 32 bits", "17:2147483647 20:-2147483648", 1, 0, {1, 2, 3, 4},
        {fixedHit, u"  ( 2D6 = 7 ) + 2147483647 = 2147483654 *** You are Damaged ***"_s, lose},
        -2147483647 - 1);
}

void TestRules::defence()
{
    runCheck("Button2", Field::SpinEdit20, u"13:1 16:3"_s);
}

void TestRules::wholeFight()
{
    QFile example(QStringLiteral(EXAMPLE_TABLE));
    QVERIFY(example.open(QIODevice::ReadOnly));
    SheetFixture sheet(example.readAll());
    QCOMPARE(sheet.control<PowerSelector>("ComboBox1")->itemText(3), u"長剣"_s);
    sheet.choosePower(3);
    // Accuracy 3, damage +3; evasion 2, initiative 3, armour 2; the enemy: evasion 3,
    // armour 2, 40 HP, initiative 9, accuracy 4, striking power +3.
    sheet.fill(u"2:2 7:2 13:1 21:2 19:2 3:3 6:2 23:40 22:9 16:4 17:3"_s);
    sheet.click("Button4");

    SheetFixture::nextDice({5, 2});
    sheet.click("Button3");
    SheetFixture::nextDice({5, 4, 6, 4, 3, 3});
    sheet.click("Button1");
    SheetFixture::nextDice({2, 3, 4, 4});
    sheet.click("Button2");
    sheet.chooseJudgement(0);
    sheet.chooseDisclosure(1);
    SheetFixture::nextDice({4, 4, 3, 2, 2, 3});
    sheet.click("Button1");
    SheetFixture::nextDice({6, 5, 1, 1, 1, 1});
    sheet.click("Button2");
    SheetFixture::nextDice({6, 6, 2, 2});
    sheet.click("Button1");

    const QStringList expected = {
        u"2D6+3 = ( 5, 2 ) = 10"_s,
        u"*** You are attacking first ***"_s,
        u"2D6+3 = ( 5, 4 ) = 12 *** Success ***"_s,
        u"( 2D6 = 10, 6 ) = 28 + 3 = 31"_s,
        u"*** Enemy Damaged ***"_s,
        u"2D6+2 = ( 2, 3 ) = 7 *** Failed ***"_s,
        u"  ( 2D6 = 8 ) + 3 = 11 *** You are Damaged ***"_s,
        u"2D6+3 = ( 4, 4 ) = 11"_s,
        u"  2D6+3 = ( 3, 2 ) = 8 *** Success ***"_s,
        u"( 2D6 = 5 ) = 7 + 3 = 10"_s,
        u"*** Enemy Damaged ***"_s,
        u"  2D6+4 = ( 6, 5 ) = 15"_s,
        u"2D6+2 = ( 1, 1 ) = 4 *** Failed ***"_s,
        u"  ( 2D6 = 2 ) + 3 = 5 *** Success ***"_s,
        u"2D6+3 = ( 6, 6 ) = 15 *** Success ***"_s,
        u"( 2D6 = 4 ) = 5 + 3 = 8"_s,
        u"*** Enemy Damaged ***"_s,
        u"*** You Win ! ***"_s,
    };
    QCOMPARE(sheet.logLines(), expected);
    QCOMPARE(sheet.field(Field::SpinEdit11)->text(), u"-3"_s);
    QCOMPARE(sheet.field(Field::SpinEdit20)->text(), u"11"_s);

    sheet.click("Button4");
    QVERIFY(sheet.logText().isEmpty());
    QCOMPARE(sheet.field(Field::SpinEdit11)->text(), u"40"_s);
    QCOMPARE(sheet.field(Field::SpinEdit20)->text(), u"20"_s);
}

QTEST_MAIN(TestRules)
#include "tst_rules.moc"
