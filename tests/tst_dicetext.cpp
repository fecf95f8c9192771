// Integer text, comma text, the generator and the texts built from rolls.
#include "CommaText.h"
#include "Dice.h"
#include "Failure.h"
#include "IntegerText.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

class TestDiceText : public QObject {
    Q_OBJECT

private slots:
    void integerText_data();
    void integerText();
    void commaText_data();
    void commaText();
    void knownDiceVectors();
    void rollDiceShape();
    void sumAndCheckLines_data();
    void sumAndCheckLines();
    void sumDiceRejectsNonIntegerField();
    void shiftJisDecoderIsTheWindowsVariant();
};

void TestDiceText::integerText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint32>>("value");
    const std::optional<qint32> none;
    QTest::newRow("plain") << u"42"_s << std::optional<qint32>(42);
    QTest::newRow("plus sign") << u"+7"_s << std::optional<qint32>(7);
    QTest::newRow("minus sign") << u"-7"_s << std::optional<qint32>(-7);
    QTest::newRow("leading zeros") << u"007"_s << std::optional<qint32>(7);
    QTest::newRow("leading blanks") << u"   12"_s << std::optional<qint32>(12);
    QTest::newRow("blanks then sign") << u"  -3"_s << std::optional<qint32>(-3);
    QTest::newRow("trailing blank") << u"12 "_s << none;
    QTest::newRow("leading tab") << u"\t12"_s << none;
    QTest::newRow("blank after sign") << u"- 3"_s << none;
    QTest::newRow("empty") << QString() << none;
    QTest::newRow("only blanks") << u"   "_s << none;
    QTest::newRow("sign alone") << u"-"_s << none;
    QTest::newRow("letters") << u"abc"_s << none;
    QTest::newRow("decimal point") << u"1.5"_s << none;
    QTest::newRow("fullwidth digit") << u"１"_s << none;
    QTest::newRow("max") << u"2147483647"_s << std::optional<qint32>(2147483647);
    QTest::newRow("min") << u"-2147483648"_s << std::optional<qint32>(-2147483647 - 1);
    QTest::newRow("above max") << u"2147483648"_s << none;
    QTest::newRow("below min") << u"-2147483649"_s << none;
    QTest::newRow("far above max") << u"99999999999999999999"_s << none;
    QTest::newRow("many zeros") << u"0000000000000000000001"_s << std::optional<qint32>(1);
    QTest::newRow("dollar hex") << u"$1F"_s << std::optional<qint32>(31);
    QTest::newRow("x hex") << u"xff"_s << std::optional<qint32>(255);
    QTest::newRow("X hex") << u"XfF"_s << std::optional<qint32>(255);
    QTest::newRow("0x hex") << u"0x10"_s << std::optional<qint32>(16);
    QTest::newRow("0X hex") << u"0XA"_s << std::optional<qint32>(10);
    QTest::newRow("blanks then hex") << u" $A"_s << std::optional<qint32>(10);
    QTest::newRow("hex all bits") << u"$FFFFFFFF"_s << std::optional<qint32>(-1);
    QTest::newRow("hex sign bit") << u"0x80000000"_s << std::optional<qint32>(-2147483647 - 1);
    QTest::newRow("hex max positive") << u"$7FFFFFFF"_s << std::optional<qint32>(2147483647);
    QTest::newRow("hex 33 bits") << u"$100000000"_s << none;
    QTest::newRow("hex leading zeros") << u"$000000001"_s << std::optional<qint32>(1);
    QTest::newRow("prefix alone") << u"$"_s << none;
    QTest::newRow("0x alone") << u"0x"_s << none;
    QTest::newRow("sign before hex") << u"-$1"_s << none;
    QTest::newRow("plus before 0x") << u"+0x1"_s << none;
    QTest::newRow("bad hex digit") << u"$1G"_s << none;
    QTest::newRow("hex trailing blank") << u"$1 "_s << none;
}

void TestDiceText::integerText()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint32>, value);
    QCOMPARE(parseIntegerText(text), value);
}

void TestDiceText::commaText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("all blank") << u"  \t "_s << QStringList();
    QTest::newRow("dice text") << u"3, 5 "_s << QStringList{u"3"_s, u"5"_s};
    QTest::newRow("blanks around commas") << u" a ,  b "_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("blank ends field") << u"a b"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("leading comma") << u",5"_s << QStringList{QString(), u"5"_s};
    QTest::newRow("two commas") << u"a,,b"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("trailing comma") << u"a,"_s << QStringList{u"a"_s, QString()};
    QTest::newRow("trailing comma then blanks") << u"a, "_s << QStringList{u"a"_s};
    QTest::newRow("quoted blank and comma")
        << u"\"a b, c\",1"_s << QStringList{u"a b, c"_s, u"1"_s};
    QTest::newRow("doubled quote") << u"\"say \"\"hi\"\"\""_s << QStringList{u"say \"hi\""_s};
    QTest::newRow("unterminated quote") << u"\"open, \"\"x, y"_s << QStringList{u"open, \"x, y"_s};
    QTest::newRow("text after closing quote")
        << u"\"ab\"cd,e"_s << QStringList{u"ab"_s, u"cd"_s, u"e"_s};
    QTest::newRow("empty quoted field") << u"\"\",1"_s << QStringList{QString(), u"1"_s};
    QTest::newRow("control characters are blanks") << u"\x01"
                                                      "a\x1f,\x02"
                                                      "b"_s
                                                   << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("japanese name") << u"長剣, 3"_s << QStringList{u"長剣"_s, u"3"_s};
    QTest::newRow("nul ends text") << QString(u"a,b\0,c"_s) << QStringList{u"a"_s, u"b"_s};
}

void TestDiceText::commaText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    QCOMPARE(SplitCommaText(text), fields);
}

void TestDiceText::knownDiceVectors()
{
    setDiceState(0);
    QCOMPARE(RollDice(2, 6), u"1, 1 "_s);
    QCOMPARE(RollDice(2, 6), u"6, 2 "_s);
    QCOMPARE(RollDice(2, 6), u"2, 5 "_s);

    setDiceState(seedForTimeOfDay(QTime(12, 0, 0, 0)));
    QCOMPARE(diceState(), 43200000u);
    QList<int> dice;
    for (int i = 0; i < 6; ++i)
        dice.append(rollDie(6));
    QCOMPARE(dice, (QList<int>{3, 3, 5, 2, 3, 5}));

    QCOMPARE(seedForTimeOfDay(QTime(23, 59, 59, 999)), 86399999u);
    QCOMPARE(seedForTimeOfDay(QTime(1, 2, 3, 4)), 3723004u); // hours, minutes, seconds apart
}

void TestDiceText::rollDiceShape()
{
    const QRegularExpression shape(u"^[1-6], [1-6] $"_s);
    setDiceState(0xDEADBEEF);
    QList<int> seen(13, 0);
    for (int i = 0; i < 2000; ++i) {
        const QString dice = RollDice(2, 6);
        QVERIFY2(shape.match(dice).hasMatch(), qPrintable(dice));
        const qint64 sum = SumDice(dice);
        QCOMPARE(sum, qint64(dice[0].digitValue() + dice[3].digitValue()));
        ++seen[sum];
    }
    for (int sum = 2; sum <= 12; ++sum)
        QVERIFY2(seen[sum] > 0, qPrintable(u"sum %1 never rolled"_s.arg(sum)));
}

void TestDiceText::sumAndCheckLines_data()
{
    QTest::addColumn<QString>("dice");
    QTest::addColumn<qint64>("modifier");
    QTest::addColumn<QString>("line");
    QTest::newRow("example") << u"3, 5 "_s << qint64(3) << u"2D6+3 = ( 3, 5 ) = 11"_s;
    QTest::newRow("double six") << u"6, 6 "_s << qint64(0) << u"2D6+0 = ( 6, 6 ) = 12"_s;
    QTest::newRow("negative modifier") << u"3, 5 "_s << qint64(-2) << u"2D6+-2 = ( 3, 5 ) = 6"_s;
    QTest::newRow("empty dice") << QString() << qint64(3) << u"2D6+3 = ( ) = 3"_s;
    QTest::newRow("beyond 32 bits")
        << u"1, 1 "_s << qint64(4294967294) << u"2D6+4294967294 = ( 1, 1 ) = 4294967296"_s;
}

void TestDiceText::sumAndCheckLines()
{
    QFETCH(QString, dice);
    QFETCH(qint64, modifier);
    QFETCH(QString, line);
    QCOMPARE(FormatCheckLine(dice, modifier), line);
}

void TestDiceText::sumDiceRejectsNonIntegerField()
{
    try {
        SumDice(u"3, x "_s);
        QFAIL("no failure raised");
    } catch (const SheetFailure& failure) {
        QCOMPARE(failure.message(), u"'x' は整数ではありません"_s);
    }
}

void TestDiceText::shiftJisDecoderIsTheWindowsVariant()
{
    // The CP932 table is written from the build machine's decoder; a cross build's target may
    // have none.
    QStringDecoder cp932("CP932");
    if (!cp932.isValid())
        QSKIP("this platform's Qt has no CP932 decoder");
    QCOMPARE(cp932.decode(QByteArrayView("\x81\x60\x87\x40")), u"\uFF5E\u2460"_s);
}

QTEST_GUILESS_MAIN(TestDiceText)
#include "tst_dicetext.moc"
