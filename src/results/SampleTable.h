#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include "RunData.h"

namespace kinetra {

// The sample table's column titles; the leading line break leaves an empty line above them, which
// also parts the tables of runs drawn over each other.
inline constexpr QStringView SampleTableHeader =
    u"\nВремя,с  Момент,Нм    Ток,А     Скорость,рад/с";

// The sample table of one run: the header, then per valid sample its time, torque, current and
// mechanism speed, whatever mode the run used. Lines are separated by "\n" with no line end after
// the last, so the results window appends the whole table to its text box in one call.
QString SampleTable(const RunData& run, QChar decimalSeparator);

} // namespace kinetra
