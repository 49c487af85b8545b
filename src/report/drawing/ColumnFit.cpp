#include "ColumnFit.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace kinetra {

namespace {

constexpr double PointStep = 0.5;
constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

bool Fits(const QStringList& lines, const QFont& font, const QSizeF& size,
          const QPaintDevice& device)
{
    const QFontMetricsF metrics(font, &device);
    const QRectF room(QPointF(0, 0), QSizeF(size.width(), 1e9));
    return metrics.boundingRect(room, TextFlags, lines.join(u'\n')).height() <= size.height();
}

} // namespace

ColumnFit FitColumn(const QStringList& lines, const QFont& font, const QSizeF& size,
                    const QPaintDevice& device)
{
    ColumnFit fit{font, false};
    for (double points = font.pointSizeF(); points >= SmallestColumnPoints; points -= PointStep) {
        fit.font.setPointSizeF(points);
        if (Fits(lines, fit.font, size, device))
            return fit;
    }
    fit.font.setPointSizeF(SmallestColumnPoints);
    fit.cut = true;
    return fit;
}

void DrawColumn(QPainter& painter, const QStringList& lines, const ColumnFit& fit,
                const QRectF& place)
{
    painter.setFont(fit.font);
    if (!fit.cut) {
        painter.drawText(place, TextFlags, lines.join(u'\n'));
        return;
    }
    // Whole lines above the mark's line, the mark below them.
    const double lineHeight = QFontMetricsF(fit.font, painter.device()).lineSpacing();
    const double shown = std::floor(place.height() / lineHeight - 1) * lineHeight;
    QRectF text = place;
    text.setHeight(shown);
    painter.save();
    painter.setClipRect(text);
    painter.drawText(place, TextFlags, lines.join(u'\n'));
    painter.restore();
    painter.drawText(QRectF(place.left(), place.top() + shown, place.width(), lineHeight),
                     TextFlags, QStringLiteral("…"));
}

} // namespace kinetra
