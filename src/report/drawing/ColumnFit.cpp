#include "ColumnFit.h"

#include <QFontMetricsF>

namespace kinetra {

namespace {

constexpr double PointStep = 0.5;
const QString CutMark = QStringLiteral("…");

bool Fits(const QStringList& lines, const QFont& font, const QSizeF& size,
          const QPaintDevice& device)
{
    const QFontMetricsF metrics(font, &device);
    const QRectF room(QPointF(0, 0), QSizeF(size.width(), 1e9));
    const QRectF needed = metrics.boundingRect(
        room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines.join(u'\n'));
    return needed.height() <= size.height();
}

} // namespace

ColumnFit FitColumn(const QStringList& lines, const QFont& font, const QSizeF& size,
                    const QPaintDevice& device)
{
    ColumnFit fit{font, lines, 0};
    for (double points = font.pointSizeF(); points >= SmallestColumnPoints; points -= PointStep) {
        fit.font.setPointSizeF(points);
        if (Fits(lines, fit.font, size, device))
            return fit;
    }
    fit.font.setPointSizeF(SmallestColumnPoints);
    while (!fit.lines.isEmpty()) {
        fit.lines.removeLast();
        ++fit.cutLines;
        if (Fits(fit.lines + QStringList{CutMark}, fit.font, size, device))
            break;
    }
    fit.lines.append(CutMark);
    return fit;
}

} // namespace kinetra
