#include "FixedNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include <QLatin1StringView>
#include <QStringView>

namespace kinetra {
namespace {

constexpr int SignificantDigits = 6;
constexpr int MaxDecimals = 18;

// From here on a magnitude rounded to six significant digits has seven integer digits or more.
constexpr double ScientificThreshold = 999999.5;

// Enough zeros to pad any number of decimals or exponent digits.
constexpr QStringView Zeros = u"000000000000000000";
static_assert(Zeros.size() == MaxDecimals);

// The powers of ten a double holds exactly.
constexpr std::array<double, 23> ExactPowersOfTen = [] {
    std::array<double, 23> powers{};
    double power = 1;
    for (double& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

// True when magnitude lies exactly halfway between two multiples of 10^-decimals. Such a tie at
// d >= 0 decimals is an odd multiple of 2^-(d+1); at d < 0 its odd part is divisible by 5^-d,
// which no double's 53-bit significand allows beyond 10^22.
bool IsExactTie(double magnitude, int decimals)
{
    if (decimals >= 0) {
        const double halves = std::ldexp(magnitude, decimals + 1);
        return halves == std::floor(halves) && std::fmod(halves, 2.0) == 1.0;
    }
    if (-decimals >= int(ExactPowersOfTen.size()))
        return false;
    const double unit = ExactPowersOfTen[-decimals];
    return std::fmod(magnitude, unit) == unit / 2;
}

// ASCII digits as std::to_chars writes them, "." as the point; large enough for six integer
// digits with MaxDecimals decimals and for any value in scientific form.
using DigitBuffer = std::array<char, 32>;

std::string_view WriteDigits(DigitBuffer& buffer, double magnitude, std::chars_format format,
                             int precision)
{
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, format, precision);
    return {buffer.data(), result.ptr};
}

// std::to_chars rounds an exact tie to even; the number texts round it away from zero, so a
// tie is written from the next double above it. That step is far below any rounding unit at six
// significant digits, so it changes nothing but the tie.
double AboveTie(double magnitude)
{
    return std::nextafter(magnitude, HUGE_VAL);
}

std::string_view WriteFixed(DigitBuffer& buffer, double magnitude, int decimals)
{
    if (IsExactTie(magnitude, decimals))
        magnitude = AboveTie(magnitude);
    return WriteDigits(buffer, magnitude, std::chars_format::fixed, decimals);
}

// The decimal exponent of the leading non-zero digit of a fixed-point text; nullopt when every
// digit is zero.
std::optional<int> LeadingExponent(std::string_view digits)
{
    const auto first = digits.find_first_not_of("0.");
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto integerDigits = std::min(digits.find('.'), digits.size());
    return first < integerDigits ? int(integerDigits - first) - 1 : -int(first - integerDigits);
}

void AppendAscii(QString& text, std::string_view ascii)
{
    text.append(QLatin1StringView(ascii.data(), qsizetype(ascii.size())));
}

// Appends digits with their point turned into the separator.
void AppendDigits(QString& text, std::string_view digits, QChar separator)
{
    const auto point = digits.find('.');
    AppendAscii(text, digits.substr(0, point));
    if (point != std::string_view::npos) {
        text.append(separator);
        AppendAscii(text, digits.substr(point + 1));
    }
}

// The decimals that six significant digits leave beside the integer digits of a magnitude below
// 10^6. Below 1 it is the leading zeros that count, and only the digits show them.
int DecimalsBesideIntegerDigits(double magnitude)
{
    if (magnitude < 1)
        return MaxDecimals;
    int decimals = SignificantDigits - 1;
    for (double bound = 10; magnitude >= bound; bound *= 10)
        --decimals;
    return decimals;
}

void AppendFixedPoint(QString& text, double value, int decimals, QChar separator)
{
    const double magnitude = std::fabs(value);
    DigitBuffer buffer;
    int written = std::min(decimals, DecimalsBesideIntegerDigits(magnitude));
    std::string_view digits = WriteFixed(buffer, magnitude, written);
    const std::optional<int> leading = LeadingExponent(digits);
    // Leading zeros, or a carry into a new digit, leave fewer decimals to six digits. The value
    // is rounded afresh, as rounding the digits would round it twice.
    if (leading && *leading + 1 + written > SignificantDigits) {
        written = SignificantDigits - 1 - *leading;
        digits = WriteFixed(buffer, magnitude, written);
    }
    if (leading && value < 0)
        text.append(u'-');
    AppendDigits(text, digits, separator);
    if (written == 0 && decimals > 0)
        text.append(separator);
    text.append(Zeros.first(decimals - written));
}

// The parts of "d.ddddde+XX" as std::to_chars writes it.
struct ScientificDigits {
    std::string_view mantissa;
    char exponentSign;
    std::string_view exponentDigits;

    int exponent() const
    {
        int magnitude = 0;
        std::from_chars(exponentDigits.data(), exponentDigits.data() + exponentDigits.size(),
                        magnitude);
        return exponentSign == '-' ? -magnitude : magnitude;
    }
};

ScientificDigits SplitScientific(std::string_view digits)
{
    const auto e = digits.find('e');
    return {digits.substr(0, e), digits[e + 1], digits.substr(e + 2)};
}

// Six significant digits; an exact tie at the sixth digit rounds away from zero.
ScientificDigits WriteSignificant(DigitBuffer& buffer, double magnitude)
{
    constexpr int precision = SignificantDigits - 1;
    const ScientificDigits digits =
        SplitScientific(WriteDigits(buffer, magnitude, std::chars_format::scientific, precision));
    if (!IsExactTie(magnitude, precision - digits.exponent()))
        return digits;
    return SplitScientific(
        WriteDigits(buffer, AboveTie(magnitude), std::chars_format::scientific, precision));
}

std::string_view WithoutTrailingZeros(std::string_view mantissa)
{
    if (mantissa.find('.') == std::string_view::npos)
        return mantissa;
    mantissa = mantissa.substr(0, mantissa.find_last_not_of('0') + 1);
    return mantissa.back() == '.' ? mantissa.substr(0, mantissa.size() - 1) : mantissa;
}

std::string_view WithoutLeadingZeros(std::string_view exponentDigits)
{
    return exponentDigits.substr(
        std::min(exponentDigits.find_first_not_of('0'), exponentDigits.size() - 1));
}

void AppendScientific(QString& text, double value, int decimals, QChar separator)
{
    DigitBuffer buffer;
    const ScientificDigits digits = WriteSignificant(buffer, std::fabs(value));
    const std::string_view exponent = WithoutLeadingZeros(digits.exponentDigits);
    if (value < 0)
        text.append(u'-');
    AppendDigits(text, WithoutTrailingZeros(digits.mantissa), separator);
    text.append(u'E');
    text.append(QLatin1Char(digits.exponentSign));
    text.append(
        Zeros.first(std::max(qsizetype(decimals) - qsizetype(exponent.size()), qsizetype(0))));
    AppendAscii(text, exponent);
}

} // namespace

void AppendFixed(QString& text, double value, int decimals, QChar decimalSeparator)
{
    decimals = std::clamp(decimals, 0, MaxDecimals);
    if (!std::isfinite(value))
        text.append(QString::number(value));
    else if (std::fabs(value) < ScientificThreshold)
        AppendFixedPoint(text, value, decimals, decimalSeparator);
    else
        AppendScientific(text, value, decimals, decimalSeparator);
}

QString Fixed(double value, int decimals, QChar decimalSeparator)
{
    QString text;
    AppendFixed(text, value, decimals, decimalSeparator);
    return text;
}

} // namespace kinetra
