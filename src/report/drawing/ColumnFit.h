#pragma once

#include <QFont>
#include <QSizeF>
#include <QStringList>

class QPaintDevice;
class QPainter;

namespace kinetra {

// How a word-wrapped text column is drawn within its place: in the report's type when it fits,
// else in smaller type down to a limit; when even that overflows, the text is cut at the last
// line that fits and a line "…" marks the cut, so nothing is lost without a mark.
struct ColumnFit {
    QFont font;
    bool cut = false;
};

inline constexpr double SmallestColumnPoints = 6;

// size is in the device's pixels.
ColumnFit FitColumn(const QStringList& lines, const QFont& font, const QSizeF& size,
                    const QPaintDevice& device);

// Draws the lines in place as fitted.
void DrawColumn(QPainter& painter, const QStringList& lines, const ColumnFit& fit,
                const QRectF& place);

} // namespace kinetra
