#pragma once

#include <QChar>
#include <QString>

#include <optional>

namespace kinetra {

// A double in general format with at most 15 significant digits and the given decimal separator:
// fixed notation for decimal exponents -3 to 15, otherwise "1E-5", "1,23456789012346E17"; no
// thousands separators; a leading "-" for negative values.
QString FormatNumber(double value, QChar decimalSeparator);

// A double in the C library's general notation (printf's %g) with the given significant digits
// and decimal separator: the form of files and streams that other programs read. The digits say
// what the number is for.
QString GeneralNumber(double value, int digits, QChar decimalSeparator = u'.');
// Reads back to the very same double.
inline constexpr int ExactDigits = 17;
// Every digit a double surely holds, without the noise of the last ones.
inline constexpr int DoubleDigits = 15;
// A figure as the tables and the command line print it.
inline constexpr int FigureDigits = 10;

// Reads a number typed into a field: leading and trailing blanks, an optional sign, digits, an
// optional separator with digits, an optional exponent "E"/"e" with optional sign and digits.
// An empty text reads as 0. nullopt for any other text, and for numbers beyond a double's range.
std::optional<double> ReadNumber(const QString& text, QChar decimalSeparator);

// Reads an integer as the model loader does: leading blanks, an optional sign, then decimal
// digits, or a hexadecimal number introduced by "$" or "0x"; nothing may follow.
std::optional<long long> ReadInteger(const QString& text);

} // namespace kinetra
