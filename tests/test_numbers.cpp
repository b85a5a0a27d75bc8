// Reading and writing number texts: the lenient leading number, the strict
// whole-text number, the display forms and the narrowing to 32-bit integers.
#include "tuning/numbers.h"

#include <QRegularExpression>
#include <QTest>
#include <cmath>
#include <limits>

using namespace numbers;

namespace {
const double infinity = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN();

QString manyDigits(int count)
{
    return QStringLiteral("1") + QString(count - 1, QLatin1Char('7'));
}
} // namespace

class NumbersTest : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_readsTheNumberAtTheStart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");

        QTest::newRow("plain") << "10491.5" << 10491.5;
        QTest::newRow("blanks between digits") << "1 0 4 9 1.5" << 10491.5;
        QTest::newRow("tab and line feed inside") << "\t10491\n.5 " << 10491.5;
        QTest::newRow("blank after the sign") << "- 5" << -5.0;
        QTest::newRow("minus") << "-5" << -5.0;
        QTest::newRow("plus") << "+7.25" << 7.25;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("exponent with sign") << "2.5E-1" << 0.25;
        QTest::newRow("exponent with blanks") << "1 e 3" << 1000.0;
        QTest::newRow("exponent without digits stops") << "1e" << 1.0;
        QTest::newRow("exponent sign without digits stops") << "1e+" << 1.0;
        QTest::newRow("exponent followed by a letter") << "1ex" << 1.0;
        QTest::newRow("no digit before the point") << ".5" << 0.5;
        QTest::newRow("no digit after the point") << "5." << 5.0;
        QTest::newRow("unit after the number") << "10491.5MHz" << 10491.5;
        QTest::newRow("second full stop stops") << "1.2.3" << 1.2;
        QTest::newRow("comma stops") << "1,5" << 1.0;
        QTest::newRow("hexadecimal prefix stops") << "0x10" << 0.0;
        QTest::newRow("non-ASCII character stops") << QString::fromUtf8("10491.5\u00b0") << 10491.5;
        QTest::newRow("word") << "abc" << 0.0;
        QTest::newRow("inf is no number") << "inf" << 0.0;
        QTest::newRow("nan is no number") << "nan" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("full stop alone") << "." << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("far too small gives zero") << "1e-999" << 0.0;
        // Too large for a double: infinity, of the number's sign.
        QTest::newRow("huge exponent") << "1e999" << infinity;
        QTest::newRow("huge negative exponent value") << "-1e999" << -infinity;
        QTest::newRow("400 digits") << manyDigits(400) << infinity;
    }
    void leadingNumber_readsTheNumberAtTheStart()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        // QCOMPARE holds infinities equal only to an infinity of the same sign.
        QCOMPARE(leadingNumber(text), expected);
    }

    void wholeTextNumber_acceptsOnlyOnePlainNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("expected");

        QTest::newRow("plain") << "10491.5" << true << 10491.5;
        QTest::newRow("blanks around") << " 10491.5 " << true << 10491.5;
        QTest::newRow("tabs around") << "\t7\t" << true << 7.0;
        QTest::newRow("minus") << "-5" << true << -5.0;
        QTest::newRow("plus") << "+5" << true << 5.0;
        QTest::newRow("leading zeros") << "00012.50" << true << 12.5;
        QTest::newRow("no digit before the point") << ".5" << true << 0.5;
        QTest::newRow("no digit after the point") << "5." << true << 5.0;
        QTest::newRow("zero") << "0" << true << 0.0;

        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blanks only") << "  " << false << 0.0;
        QTest::newRow("blank inside") << "1 0" << false << 0.0;
        QTest::newRow("letters after") << "10491.5abc" << false << 0.0;
        QTest::newRow("word") << "abc" << false << 0.0;
        QTest::newRow("exponent") << "1e3" << false << 0.0;
        QTest::newRow("decimal comma") << "1,5" << false << 0.0;
        QTest::newRow("digit grouping") << "1,000" << false << 0.0;
        QTest::newRow("hexadecimal") << "0x10" << false << 0.0;
        QTest::newRow("two full stops") << "1.2.3" << false << 0.0;
        QTest::newRow("full stop alone") << "." << false << 0.0;
        QTest::newRow("sign alone") << "-" << false << 0.0;
        QTest::newRow("two signs") << "+-1" << false << 0.0;
        QTest::newRow("inf") << "inf" << false << 0.0;
        QTest::newRow("nan") << "nan" << false << 0.0;
        QTest::newRow("400 digits") << manyDigits(400) << false << 0.0;
        QTest::newRow("400 digits, negative") << "-" + manyDigits(400) << false << 0.0;
    }
    void wholeTextNumber_acceptsOnlyOnePlainNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(double, expected);
        const std::optional<double> value = wholeTextNumber(text);
        QCOMPARE(value.has_value(), accepted);
        if (accepted)
            QCOMPARE(*value, expected);
    }

    void wholeTextInteger_acceptsOnlySignAndDigits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qlonglong>("expected");

        QTest::newRow("plain") << "9900" << true << 9900LL;
        QTest::newRow("blanks around") << " 9900\t" << true << 9900LL;
        QTest::newRow("leading zeros") << "010" << true << 10LL;
        QTest::newRow("plus") << "+5" << true << 5LL;
        QTest::newRow("minus") << "-1" << true << -1LL;

        QTest::newRow("empty") << "" << false << 0LL;
        QTest::newRow("blank") << " " << false << 0LL;
        QTest::newRow("sign alone") << "-" << false << 0LL;
        QTest::newRow("fraction") << "9.5" << false << 0LL;
        QTest::newRow("exponent") << "1e3" << false << 0LL;
        QTest::newRow("letter after digits") << "12a" << false << 0LL;
        QTest::newRow("hexadecimal") << "0x1F" << false << 0LL;
        QTest::newRow("blank inside") << "1 2" << false << 0LL;
    }
    void wholeTextInteger_acceptsOnlySignAndDigits()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(qlonglong, expected);
        const std::optional<long long> value = wholeTextInteger(text);
        QCOMPARE(value.has_value(), accepted);
        if (accepted)
            QCOMPARE(qlonglong(*value), expected);
    }

    void wholeTextInteger_hugeDigitStrings_keepTheirSign()
    {
        // Callers compare with small limits only; the value must not wrap.
        const QString digits = manyDigits(40);
        QVERIFY(*wholeTextInteger(digits) > 65400);
        QVERIFY(*wholeTextInteger("-" + digits) < 0);
    }

    void formatFixed_roundsHalvesAwayFromZero_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");

        QTest::newRow("pads to three decimals") << 10491.5 << 3 << "10491.500";
        QTest::newRow("half by its decimal text") << 1.0005 << 3 << "1.001";
        QTest::newRow("half of the last place") << 0.0005 << 3 << "0.001";
        QTest::newRow("just below half") << 0.0004999 << 3 << "0.000";
        QTest::newRow("binary just below half") << 2.675 << 2 << "2.68";
        QTest::newRow("carries into a new digit") << 99999.9996 << 3 << "100000.000";
        QTest::newRow("digit before the point") << 0.5 << 3 << "0.500";
        QTest::newRow("cuts further decimals") << 10207.4074 << 3 << "10207.407";
        QTest::newRow("zero") << 0.0 << 3 << "0.000";
        QTest::newRow("whole, down") << 1500.4 << 0 << "1500";
        QTest::newRow("whole, half up") << 1500.5 << 0 << "1501";
        QTest::newRow("whole, carries") << 99999.6 << 0 << "100000";
        QTest::newRow("whole, zero") << 0.0 << 0 << "0";
        QTest::newRow("no grouping") << 123456789.0 << 0 << "123456789";
        QTest::newRow("negative") << -10491.5 << 3 << "-10491.500";
        QTest::newRow("negative half") << -1.0005 << 3 << "-1.001";
        QTest::newRow("negative whole half") << -2.5 << 0 << "-3";
        QTest::newRow("negative rounding to zero") << -0.0001 << 3 << "0.000";
        QTest::newRow("negative whole rounding to zero") << -0.4 << 0 << "0";
        QTest::newRow("negative zero") << -0.0 << 3 << "0.000";
        QTest::newRow("smallest double") << 5e-324 << 3 << "0.000";
        QTest::newRow("infinity") << infinity << 3 << "";
        QTest::newRow("minus infinity") << -infinity << 0 << "";
        QTest::newRow("not a number") << notANumber << 3 << "";
    }
    void formatFixed_roundsHalvesAwayFromZero()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(formatFixed(value, decimals), expected);
    }

    void formatFixed_hugeValues_giveDigitsOnly()
    {
        const QString threeDecimalText = threeDecimals(1e300);
        QVERIFY2(QRegularExpression("^1\\d{300}\\.000$").match(threeDecimalText).hasMatch(),
                 qPrintable(threeDecimalText));
        const QString wholeText = wholeNumber(-1e300);
        QVERIFY2(QRegularExpression("^-1\\d{300}$").match(wholeText).hasMatch(), qPrintable(wholeText));
    }

    void roundHalfEvenToInt32_givesTheNearestEvenOnHalves_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("expected");

        QTest::newRow("2.5") << 2.5 << true << 2;
        QTest::newRow("3.5") << 3.5 << true << 4;
        QTest::newRow("-2.5") << -2.5 << true << -2;
        QTest::newRow("-3.5") << -3.5 << true << -4;
        QTest::newRow("0.5") << 0.5 << true << 0;
        QTest::newRow("below half") << 10491500.4999 << true << 10491500;
        QTest::newRow("above half") << 10491500.5001 << true << 10491501;
        QTest::newRow("largest") << 2147483647.0 << true << 2147483647;
        QTest::newRow("rounds past the largest") << 2147483647.5 << false << 0;
        QTest::newRow("smallest") << -2147483648.0 << true << int(-2147483647 - 1);
        QTest::newRow("half below the smallest is even") << -2147483648.5 << true << int(-2147483647 - 1);
        QTest::newRow("below the smallest") << -2147483649.0 << false << 0;
        QTest::newRow("far out") << 1e10 << false << 0;
        QTest::newRow("infinity") << infinity << false << 0;
        QTest::newRow("not a number") << notANumber << false << 0;
    }
    void roundHalfEvenToInt32_givesTheNearestEvenOnHalves()
    {
        QFETCH(double, value);
        QFETCH(bool, fits);
        QFETCH(int, expected);
        const std::optional<int32_t> result = roundHalfEvenToInt32(value);
        QCOMPARE(result.has_value(), fits);
        if (fits)
            QCOMPARE(*result, expected);
    }

    void floorToInt32_roundsTowardsMinusInfinity_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("expected");

        QTest::newRow("positive") << 9750999.9 << true << 9750999;
        QTest::newRow("whole") << 10207407.0 << true << 10207407;
        QTest::newRow("negative") << -2.1 << true << -3;
        QTest::newRow("small negative") << -0.5 << true << -1;
        QTest::newRow("negative zero") << -0.0 << true << 0;
        QTest::newRow("just below the top") << 2147483647.9 << true << 2147483647;
        QTest::newRow("above the top") << 2147483648.0 << false << 0;
        QTest::newRow("smallest") << -2147483648.0 << true << int(-2147483647 - 1);
        QTest::newRow("just below the smallest") << -2147483648.1 << false << 0;
        QTest::newRow("infinity") << infinity << false << 0;
        QTest::newRow("minus infinity") << -infinity << false << 0;
        QTest::newRow("not a number") << notANumber << false << 0;
    }
    void floorToInt32_roundsTowardsMinusInfinity()
    {
        QFETCH(double, value);
        QFETCH(bool, fits);
        QFETCH(int, expected);
        const std::optional<int32_t> result = floorToInt32(value);
        QCOMPARE(result.has_value(), fits);
        if (fits)
            QCOMPARE(*result, expected);
    }

    void toFifteenDigits_dropsTheBinaryNoise()
    {
        QCOMPARE(toFifteenDigits(0.1 + 0.2), 0.3);
        QCOMPARE(toFifteenDigits(10491.5015 * 1000.0), 10491501.5);
        QVERIFY(std::isinf(toFifteenDigits(infinity)));
    }

    void shortestText_writesAPlainNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 9904.0 << "9904";
        QTest::newRow("fraction") << 12.5 << "12.5";
        QTest::newRow("negative") << -4.0 << "-4";
        QTest::newRow("large, no exponent") << 1e20 << "100000000000000000000";
        QTest::newRow("infinity") << infinity << "";
    }
    void shortestText_writesAPlainNumber()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(shortestText(value), expected);
    }
};

QTEST_APPLESS_MAIN(NumbersTest)
#include "test_numbers.moc"
