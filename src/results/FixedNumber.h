#pragma once

#include <QChar>
#include <QString>

namespace kinetra {

// The number text of the result and report texts: the value rounded to at most six significant
// digits and at most `decimals` decimals, printed with exactly `decimals` decimals and the given
// separator. A negative value has a leading "-" unless it rounds to zero. When the rounded value
// has more than six integer digits it is printed as a mantissa of at most six significant digits
// without trailing zeros, "E", the exponent's sign and at least `decimals` exponent digits:
// Fixed(12345678, 2, '.') is "1.23457E+07". Exact ties round away from zero (0.125 gives "0.13").
// `decimals` is taken within 0..18; infinities and NaN print as "inf", "-inf" and "nan".
QString Fixed(double value, int decimals, QChar decimalSeparator);

// Fixed appended to text in place, for texts built from many numbers.
void AppendFixed(QString& text, double value, int decimals, QChar decimalSeparator);

} // namespace kinetra
