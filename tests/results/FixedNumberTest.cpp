#include "FixedNumber.h"

#include <limits>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace kinetra {
namespace {

QString Point(double value, int decimals)
{
    return Fixed(value, decimals, u'.');
}

TEST(FixedNumber, KeepsAtMostSixSignificantDigitsAndPadsToTheDecimals)
{
    EXPECT_EQ(Point(123.456789, 4), u"123.4570");
    EXPECT_EQ(Point(0.123456789, 4), u"0.1235");
    EXPECT_EQ(Point(1234.5678, 4), u"1234.5700");
    EXPECT_EQ(Point(123456.7, 2), u"123457.00");
    EXPECT_EQ(Point(0.000123456789, 10), u"0.0001234570");
    EXPECT_EQ(Point(0, 3), u"0.000");
    EXPECT_EQ(Point(42.4, 0), u"42");
}

TEST(FixedNumber, RoundingCarriesIntoANewDigit)
{
    EXPECT_EQ(Point(0.99999, 2), u"1.00");
    EXPECT_EQ(Point(999.99996, 4), u"1000.0000");
    EXPECT_EQ(Point(9.999996, 6), u"10.000000");
}

TEST(FixedNumber, RoundsTheValueItselfOnce)
{
    // 0.12344999 would become 0.1235 if rounded to six digits first and then to four decimals.
    EXPECT_EQ(Point(0.12344999, 4), u"0.1234");
    // These literals are stored just below their halfway points.
    EXPECT_EQ(Point(1.005, 2), u"1.00");
    EXPECT_EQ(Point(2.675, 2), u"2.67");
}

TEST(FixedNumber, ExactTiesRoundAwayFromZero)
{
    EXPECT_EQ(Point(0.125, 2), u"0.13");
    EXPECT_EQ(Point(-0.125, 2), u"-0.13");
    EXPECT_EQ(Point(2.5, 0), u"3");
    EXPECT_EQ(Point(1234565, 2), u"1.23457E+06");
}

TEST(FixedNumber, NegativeValuesShowAMinusUnlessTheyRoundToZero)
{
    EXPECT_EQ(Point(-2.5, 2), u"-2.50");
    EXPECT_EQ(Point(-0.005, 2), u"-0.01");
    EXPECT_EQ(Point(-0.001, 2), u"0.00");
    EXPECT_EQ(Point(-0.0, 1), u"0.0");
}

TEST(FixedNumber, MoreThanSixIntegerDigitsSwitchToScientific)
{
    EXPECT_EQ(Point(999999.4, 2), u"999999.00");
    EXPECT_EQ(Point(999999.5, 2), u"1E+06");
    EXPECT_EQ(Point(12345678, 2), u"1.23457E+07");
    EXPECT_EQ(Point(-12345678, 2), u"-1.23457E+07");
    EXPECT_EQ(Point(1.5e300, 2), u"1.5E+300");
}

TEST(FixedNumber, ExponentHasAtLeastTheDecimalsInDigits)
{
    EXPECT_EQ(Point(12345678, 0), u"1.23457E+7");
    EXPECT_EQ(Point(1e7, 4), u"1E+0007");
}

TEST(FixedNumber, UsesTheGivenSeparator)
{
    EXPECT_EQ(Fixed(1234.5678, 4, u','), u"1234,5700");
    EXPECT_EQ(Fixed(123456.7, 1, u','), u"123457,0");
    EXPECT_EQ(Fixed(12345678, 2, u','), u"1,23457E+07");
}

TEST(FixedNumber, NonFiniteValuesStayReadable)
{
    EXPECT_EQ(Point(std::numeric_limits<double>::infinity(), 2), u"inf");
    EXPECT_EQ(Point(-std::numeric_limits<double>::infinity(), 2), u"-inf");
    EXPECT_EQ(Point(std::numeric_limits<double>::quiet_NaN(), 2), u"nan");
}

} // namespace
} // namespace kinetra
