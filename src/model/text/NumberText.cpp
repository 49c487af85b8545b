#include "text/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

namespace kinetra {

namespace {

constexpr int SignificantDigits = 15;

// Decimal exponents (value = 0.d1d2... x 10^exponent) that are written in fixed notation.
constexpr int MinFixedExponent = -3;
constexpr int MaxFixedExponent = 15;

// A non-zero magnitude rounded to the significant digits: value = 0.d1d2... x 10^exponent,
// without trailing zeros in the digits.
struct RoundedDecimal {
    QString digits;
    int exponent = 0;
};

RoundedDecimal RoundToSignificantDigits(double magnitude)
{
    // Scientific notation with one digit before the point, such as "1.23456789012346e+17";
    // to_chars rounds exactly and never looks at the C locale.
    char buffer[32];
    const std::to_chars_result written =
        std::to_chars(std::begin(buffer), std::end(buffer), magnitude,
                      std::chars_format::scientific, SignificantDigits - 1);
    const std::string_view text(std::begin(buffer), written.ptr);
    const std::size_t exponentMark = text.find('e');

    std::string digits(text.substr(0, 1));
    digits += text.substr(2, exponentMark - 2);
    digits.erase(digits.find_last_not_of('0') + 1);

    const char* exponentStart = text.data() + exponentMark + 1;
    if (*exponentStart == '+')
        ++exponentStart;
    int scientificExponent = 0;
    std::from_chars(exponentStart, written.ptr, scientificExponent);

    return {QString::fromLatin1(digits), scientificExponent + 1};
}

QString FixedNotation(const RoundedDecimal& rounded, QChar decimalSeparator)
{
    if (rounded.exponent <= 0)
        return QStringLiteral("0") + decimalSeparator + QString(-rounded.exponent, u'0') +
               rounded.digits;
    const QString integer =
        rounded.digits.left(rounded.exponent).leftJustified(rounded.exponent, u'0');
    const QString fraction = rounded.digits.mid(rounded.exponent);
    return fraction.isEmpty() ? integer : integer + decimalSeparator + fraction;
}

QString ScientificNotation(const RoundedDecimal& rounded, QChar decimalSeparator)
{
    QString text = rounded.digits.left(1);
    if (rounded.digits.size() > 1)
        text += decimalSeparator + rounded.digits.mid(1);
    return text + u'E' + QString::number(rounded.exponent - 1);
}

bool IsDecimalDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsHexDigit(QChar c)
{
    return IsDecimalDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Consumes typed text from the front, one element of the number syntax at a time.
class TextCursor {
public:
    explicit TextCursor(QStringView text) : m_rest(text) {}

    bool atEnd() const { return m_rest.isEmpty(); }

    bool take(QStringView expected)
    {
        if (!m_rest.startsWith(expected))
            return false;
        m_rest = m_rest.sliced(expected.size());
        return true;
    }

    bool take(QChar expected) { return take(QStringView(&expected, 1)); }

    void skipSpaces()
    {
        while (take(u' ')) {
        }
    }

    // True for "-"; a "+" or no sign at all is positive.
    bool takeNegativeSign()
    {
        if (take(u'-'))
            return true;
        take(u'+');
        return false;
    }

    QStringView takeWhile(bool (*belongs)(QChar))
    {
        const auto stop = std::find_if_not(m_rest.begin(), m_rest.end(), belongs);
        const QStringView taken = m_rest.first(stop - m_rest.begin());
        m_rest = m_rest.sliced(taken.size());
        return taken;
    }

private:
    QStringView m_rest;
};

// A number as typed, split into its parts; an empty part was not typed.
struct TypedNumber {
    bool negative = false;
    QStringView integerDigits;
    QStringView fractionDigits;
    bool exponentNegative = false;
    QStringView exponentDigits;
};

std::optional<TypedNumber> SplitTypedNumber(QStringView text, QChar decimalSeparator)
{
    TextCursor cursor(text);
    TypedNumber number;
    cursor.skipSpaces();
    number.negative = cursor.takeNegativeSign();
    number.integerDigits = cursor.takeWhile(IsDecimalDigit);
    const bool hasSeparator = cursor.take(decimalSeparator);
    if (hasSeparator)
        number.fractionDigits = cursor.takeWhile(IsDecimalDigit);
    if (number.integerDigits.isEmpty() && !hasSeparator)
        return std::nullopt;
    if (cursor.take(u'E') || cursor.take(u'e')) {
        number.exponentNegative = cursor.takeNegativeSign();
        number.exponentDigits = cursor.takeWhile(IsDecimalDigit);
    }
    cursor.skipSpaces();
    if (!cursor.atEnd())
        return std::nullopt;
    return number;
}

// The number in the notation from_chars reads, such as "-0.5e-3"; a missing part reads as 0.
std::string CNotation(const TypedNumber& number)
{
    std::string text = number.negative ? "-" : "";
    text += number.integerDigits.isEmpty() ? "0" : number.integerDigits.toLatin1().toStdString();
    if (!number.fractionDigits.isEmpty())
        text += '.' + number.fractionDigits.toLatin1().toStdString();
    if (!number.exponentDigits.isEmpty()) {
        text += number.exponentNegative ? "e-" : "e";
        text += number.exponentDigits.toLatin1().toStdString();
    }
    return text;
}

QStringView WithoutLeadingZeros(QStringView digits)
{
    while (digits.startsWith(u'0'))
        digits = digits.sliced(1);
    return digits;
}

// Whether a non-zero number lies below 1, which tells an underflow from an overflow. Huge
// exponents are capped: their sign is all that counts.
bool LiesBelowOne(const TypedNumber& number)
{
    constexpr long long ExponentCap = 1'000'000'000;
    long long exponent = 0;
    for (QChar digit : number.exponentDigits)
        exponent = std::min(ExponentCap, exponent * 10 + (digit.unicode() - u'0'));
    if (number.exponentNegative)
        exponent = -exponent;

    const QStringView integer = WithoutLeadingZeros(number.integerDigits);
    if (!integer.isEmpty())
        return integer.size() + exponent <= 0;
    const qsizetype leadingZeros =
        number.fractionDigits.size() - WithoutLeadingZeros(number.fractionDigits).size();
    return exponent - leadingZeros <= 0;
}

std::optional<double> ToDouble(const TypedNumber& number)
{
    const std::string text = CNotation(number);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (!LiesBelowOne(number))
            return std::nullopt;
        return number.negative ? -0.0 : 0.0;
    }
    return value;
}

// A magnitude that fits long long's range with the sign applied.
std::optional<long long> ApplySign(unsigned long long magnitude, bool negative)
{
    constexpr auto MaxMagnitude =
        static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    if (!negative)
        return magnitude <= MaxMagnitude ? std::optional(static_cast<long long>(magnitude))
                                         : std::nullopt;
    // The unsigned negation wraps to the two's complement, which also reaches the minimum.
    return magnitude <= MaxMagnitude + 1 ? std::optional(static_cast<long long>(0 - magnitude))
                                         : std::nullopt;
}

} // namespace

QString FormatNumber(double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // The largest doubles round up to 1,79769313486232E308, beyond the range of a double, and
    // could not be read back; they are written as the largest 15-digit number that can.
    constexpr double LargestReadable = 1.79769313486231e308;
    const RoundedDecimal rounded =
        RoundToSignificantDigits(std::min(std::fabs(value), LargestReadable));
    const bool fixed = rounded.exponent >= MinFixedExponent && rounded.exponent <= MaxFixedExponent;
    const QString text = fixed ? FixedNotation(rounded, decimalSeparator)
                               : ScientificNotation(rounded, decimalSeparator);
    return value < 0 ? u'-' + text : text;
}

QString GeneralNumber(double value, int digits, QChar decimalSeparator)
{
    QString text = QString::number(value, 'g', digits);
    if (decimalSeparator != u'.')
        text.replace(u'.', decimalSeparator);
    return text;
}

std::optional<double> ReadNumber(const QString& text, QChar decimalSeparator)
{
    if (text.isEmpty())
        return 0.0;
    const std::optional<TypedNumber> number = SplitTypedNumber(text, decimalSeparator);
    if (!number)
        return std::nullopt;
    return ToDouble(*number);
}

std::optional<long long> ReadInteger(const QString& text)
{
    TextCursor cursor(text);
    cursor.skipSpaces();
    const bool negative = cursor.takeNegativeSign();
    const bool hexadecimal = cursor.take(u'$') || cursor.take(u"0x");
    const QByteArray digits =
        cursor.takeWhile(hexadecimal ? IsHexDigit : IsDecimalDigit).toLatin1();
    if (digits.isEmpty() || !cursor.atEnd())
        return std::nullopt;

    unsigned long long magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(),
                                              magnitude, hexadecimal ? 16 : 10);
    if (error != std::errc())
        return std::nullopt;
    return ApplySign(magnitude, negative);
}

} // namespace kinetra
