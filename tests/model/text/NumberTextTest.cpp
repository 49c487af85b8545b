#include "text/NumberText.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace kinetra {
namespace {

constexpr QChar Comma = u',';
constexpr QChar Point = u'.';

// Reads must land within a relative tolerance of the expected value.
void ExpectReads(const QString& text, QChar separator, double expected)
{
    const std::optional<double> value = ReadNumber(text, separator);
    ASSERT_TRUE(value.has_value()) << text.toStdString();
    EXPECT_NEAR(*value, expected, 1e-15 * std::fabs(expected)) << text.toStdString();
}

void ExpectUnreadable(const QString& text, QChar separator)
{
    EXPECT_FALSE(ReadNumber(text, separator).has_value()) << text.toStdString();
}

TEST(FormatNumber, WritesFixedNotationForModerateExponents)
{
    EXPECT_EQ(FormatNumber(2, Comma), "2");
    EXPECT_EQ(FormatNumber(0.5, Comma), "0,5");
    EXPECT_EQ(FormatNumber(0.00012, Comma), "0,00012");
    EXPECT_EQ(FormatNumber(0.0001, Comma), "0,0001");
    EXPECT_EQ(FormatNumber(99999999999, Comma), "99999999999");
    EXPECT_EQ(FormatNumber(999999999999999, Comma), "999999999999999");
    EXPECT_EQ(FormatNumber(123.456, Comma), "123,456");
    EXPECT_EQ(FormatNumber(50, Comma), "50");
}

TEST(FormatNumber, WritesScientificNotationBeyondThem)
{
    EXPECT_EQ(FormatNumber(0.00001, Comma), "1E-5");
    EXPECT_EQ(FormatNumber(0.000015, Comma), "1,5E-5");
    EXPECT_EQ(FormatNumber(1e15, Comma), "1E15");
    EXPECT_EQ(FormatNumber(1.23456789012345678e17, Comma), "1,23456789012346E17");
    EXPECT_EQ(FormatNumber(5e-324, Comma), "4,94065645841247E-324");
    EXPECT_EQ(FormatNumber(1e300, Comma), "1E300");
}

TEST(FormatNumber, RoundsToFifteenSignificantDigits)
{
    EXPECT_EQ(FormatNumber(0.1 + 0.2, Comma), "0,3");
    EXPECT_EQ(FormatNumber(1.0 / 3, Comma), "0,333333333333333");
    EXPECT_EQ(FormatNumber(2.0 / 3, Comma), "0,666666666666667");
}

TEST(FormatNumber, RoundingCarriesIntoTheNextDigit)
{
    EXPECT_EQ(FormatNumber(0.9999999999999999, Comma), "1");
    EXPECT_EQ(FormatNumber(9.9999999999999991, Comma), "10");
    // The carry moves the exponent out of the fixed range.
    EXPECT_EQ(FormatNumber(999999999999999.9, Comma), "1E15");
}

TEST(FormatNumber, PrefixesNegativeValuesWithMinus)
{
    EXPECT_EQ(FormatNumber(-10, Comma), "-10");
    EXPECT_EQ(FormatNumber(-0.5, Comma), "-0,5");
    EXPECT_EQ(FormatNumber(-0.00001, Comma), "-1E-5");
    EXPECT_EQ(FormatNumber(-0.0, Comma), "0");
}

TEST(FormatNumber, UsesTheGivenSeparator)
{
    EXPECT_EQ(FormatNumber(0.5, Point), "0.5");
    EXPECT_EQ(FormatNumber(1.23456789012345678e17, Point), "1.23456789012346E17");
    EXPECT_EQ(FormatNumber(1234567.25, Point), "1234567.25");
}

TEST(FormatNumber, NamesValuesThatAreNotNumbers)
{
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), Comma), "INF");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), Comma), "-INF");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), Comma), "NAN");
}

TEST(GeneralNumber, WritesPrintfsNotationWithTheDigitsAndSeparatorAsked)
{
    const struct {
        double value;
        int digits;
        QChar separator;
        const char* text;
    } cases[] = {
        {0.1, ExactDigits, Point, "0.10000000000000001"},
        {0.1, DoubleDigits, Point, "0.1"},
        {-1234.5678912345, FigureDigits, Comma, "-1234,567891"},
        {1e-5, FigureDigits, Point, "1e-05"},
        {1e20, DoubleDigits, Comma, "1e+20"},
        {2.0 / 3, FigureDigits, Point, "0.6666666667"},
    };
    for (const auto& [value, digits, separator, text] : cases)
        EXPECT_EQ(GeneralNumber(value, digits, separator), text) << text;
}

TEST(ReadNumber, ReadsSignsBlanksFractionsAndExponents)
{
    ExpectReads("  -12,5  ", Comma, -12.5);
    ExpectReads("+3", Comma, 3);
    ExpectReads("007", Comma, 7);
    ExpectReads("1,5E3", Comma, 1500);
    ExpectReads("25e-1", Comma, 2.5);
    ExpectReads("1E+2", Comma, 100);
    ExpectReads("-12.5", Point, -12.5);
}

TEST(ReadNumber, EmptyPartsReadAsZero)
{
    ExpectReads("", Comma, 0);
    ExpectReads(",5", Comma, 0.5);
    ExpectReads("5,", Comma, 5);
    ExpectReads(",", Comma, 0);
    ExpectReads("5e", Comma, 5);
    ExpectReads("5E-", Comma, 5);
    ExpectReads("-,E", Comma, 0);
}

TEST(ReadNumber, RejectsTextOutsideTheSyntax)
{
    for (const char* text : {"12.5", "1,2,3", "1 000", "1.000,5", "+", "-", "E5", "e", " ", "--1",
                             "+-1", "1e5e", "1e1,5", "1x", "\t1", "1\t", "NAN", "INF", "0x10"})
        ExpectUnreadable(text, Comma);
    for (const char* text : {"12,5", "1.2.3", "1,000"})
        ExpectUnreadable(text, Point);
    ExpectUnreadable(QString::fromUtf8("١٢"), Comma); // Arabic-Indic digits are not digits here
}

TEST(ReadNumber, RejectsNumbersBeyondTheRangeOfADouble)
{
    ExpectUnreadable("1E400", Comma);
    ExpectUnreadable("-1E400", Comma);
    ExpectUnreadable("1,8E308", Comma);
    ExpectUnreadable("0,000001E315", Comma);
    ExpectUnreadable("1E99999999999999999999", Comma);
    ExpectReads("1,79769313486231E308", Comma, 1.79769313486231e308);
}

TEST(ReadNumber, UnderflowReadsAsZeroOrDenormal)
{
    EXPECT_EQ(ReadNumber("1E-400", Comma), 0.0);
    EXPECT_TRUE(std::signbit(ReadNumber("-1E-400", Comma).value()));
    EXPECT_EQ(ReadNumber("1000E-400", Comma), 0.0);
    EXPECT_EQ(ReadNumber("1E-99999999999999999999", Comma), 0.0);
    EXPECT_EQ(ReadNumber("5E-324", Comma), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(ReadNumber("0E400", Comma), 0.0);
}

TEST(ReadNumber, ReadsEveryDoubleFormattedWithFifteenDigits)
{
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<long long> mantissas(1, 999'999'999'999'999);
    std::uniform_int_distribution<int> exponents(-307 - 14, 308 - 15);
    std::uniform_int_distribution<int> signs(0, 1);
    for (int i = 0; i < 20000; ++i) {
        // A decimal of at most 15 significant digits, and the double nearest to it.
        const std::string decimal = (signs(random) ? "-" : "") + std::to_string(mantissas(random)) +
                                    'e' + std::to_string(exponents(random));
        double value = 0;
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
        if (value == 0 || !std::isnormal(value))
            continue;
        for (const QChar separator : {Comma, Point}) {
            const QString text = FormatNumber(value, separator);
            // Exact: a round trip must give back the very same double.
            EXPECT_EQ(ReadNumber(text, separator), value) << decimal << " " << text.toStdString();
        }
    }
}

// Every finite double, however many digits it carries, is written as a text that reads back
// to within the fifteen digits written, and in exact digits as the very same double: the
// extremes of the range included.
TEST(ReadNumber, ReadsEveryFiniteDoubleThatWasWritten)
{
    constexpr double Largest = std::numeric_limits<double>::max();
    std::vector<double> values{Largest, -Largest, std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::denorm_min(), -1.7976931348623e308};
    std::mt19937_64 random(20261209);
    while (values.size() < 50000) {
        const double value = std::bit_cast<double>(random());
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (const double value : values) {
        const QString text = FormatNumber(value, Comma);
        const std::optional<double> read = ReadNumber(text, Comma);
        ASSERT_TRUE(read.has_value()) << text.toStdString();
        EXPECT_NEAR(*read, value, 1e-14 * std::fabs(value) + 1e-300) << text.toStdString();
        EXPECT_EQ(ReadNumber(GeneralNumber(value, ExactDigits), Point), value);
    }
}

TEST(ReadInteger, ReadsDecimalAndHexadecimal)
{
    EXPECT_EQ(ReadInteger("42"), 42);
    EXPECT_EQ(ReadInteger(" -3"), -3);
    EXPECT_EQ(ReadInteger("+7"), 7);
    EXPECT_EQ(ReadInteger("$1F"), 31);
    EXPECT_EQ(ReadInteger("0x1f"), 31);
    EXPECT_EQ(ReadInteger("-$10"), -16);
    EXPECT_EQ(ReadInteger("0"), 0);
}

TEST(ReadInteger, RejectsAnythingElse)
{
    for (const char* text : {"", " ", "2,5", "2.5", "3x", "3 ", "- 3", "$", "0x", "$G", "1F",
                             "0x1g", "--1", "1e2", "\t1"})
        EXPECT_FALSE(ReadInteger(text).has_value()) << text;
}

TEST(ReadInteger, RejectsOverflowAtTheEdgesOfTheRange)
{
    EXPECT_EQ(ReadInteger("9223372036854775807"), std::numeric_limits<long long>::max());
    EXPECT_EQ(ReadInteger("-9223372036854775808"), std::numeric_limits<long long>::min());
    EXPECT_EQ(ReadInteger("$7FFFFFFFFFFFFFFF"), std::numeric_limits<long long>::max());
    EXPECT_FALSE(ReadInteger("9223372036854775808").has_value());
    EXPECT_FALSE(ReadInteger("-9223372036854775809").has_value());
    EXPECT_FALSE(ReadInteger("$FFFFFFFFFFFFFFFF").has_value());
    EXPECT_FALSE(ReadInteger("99999999999999999999999").has_value());
}

} // namespace
} // namespace kinetra
