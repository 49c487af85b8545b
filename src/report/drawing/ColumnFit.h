#pragma once

#include <QFont>
#include <QSizeF>
#include <QStringList>

class QPaintDevice;

namespace kinetra {

// How a word-wrapped text column is drawn within its place: in the report's type when it fits,
// else in smaller type down to a limit, and when even that overflows, with the lines that fit and
// a last line "…" in place of the rest, so nothing is lost without a mark.
struct ColumnFit {
    QFont font;
    QStringList lines;
    int cutLines = 0; // lines of the text left out
};

inline constexpr double SmallestColumnPoints = 6;

// size is in the device's pixels.
ColumnFit FitColumn(const QStringList& lines, const QFont& font, const QSizeF& size,
                    const QPaintDevice& device);

} // namespace kinetra
