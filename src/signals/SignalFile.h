#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <vector>

#include "text/Status.h"

namespace kinetra {

// A measured signal as read from a file; error says in words a user understands why there is
// none, naming the line.
using SignalFileRead = StatusOr<std::vector<double>>;

// Reads a signal of at most 10000 numbers from text lines: one number a line (with a point or
// the given decimal separator), or a table with a header line as the chart's CSV export and the
// command line's signal output write it, columns separated by ";" (then with a decimal comma)
// or ",". A header holds at least two titles, none of them a number, or the one title "Вход" or
// "input"; any other first line is a value like the rest. Of a table the column titled "Вход"
// or "input" is read, else the second column. Every value passes the guard the workbench's
// output passes: a number of at most 1E9 in magnitude.
SignalFileRead ReadSignalLines(const QStringList& lines, QChar decimalSeparator);

// The same for a text file, in Windows-1251 or UTF-8 (as the chart's CSV export writes).
SignalFileRead ReadSignalFile(const QString& path, QChar decimalSeparator);

} // namespace kinetra
