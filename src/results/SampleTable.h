#pragma once

#include <QChar>
#include <QString>
#include <QtGlobal>

#include "RunData.h"

namespace kinetra {

// The sample table's column titles, translated in the context "SampleTable"; the leading line break
// leaves an empty line above them, which also parts the tables of runs drawn over each other.
inline constexpr const char* SampleTableHeader =
    QT_TRANSLATE_NOOP("SampleTable", "\nВремя,с  Момент,Нм    Ток,А     Скорость,рад/с");

// A positioning drive's table has one column more, the mechanism's position.
inline constexpr const char* PositionColumnTitle =
    QT_TRANSLATE_NOOP("SampleTable", "   Положение,рад");

// The sample table of one run: the header, then per valid sample its time, torque, current and
// mechanism speed, whatever mode the run used, and under a position loop the position. Lines are
// separated by "\n" with no line end after the last, so the results window appends the whole table
// to its text box in one call.
QString SampleTable(const RunData& run, QChar decimalSeparator);

} // namespace kinetra
