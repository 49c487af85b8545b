#pragma once

#include <QList>
#include <QObject>
#include <QPointF>

class QChart;
class QValueAxis;
class QXYSeries;

namespace kinetra {

// How a curve's values fall on screen: its x range spread over pixel columns and, on a linear y
// axis, its y range over pixel rows.
struct ScreenGrid {
    qreal xMinimum = 0;
    qreal xMaximum = 0;
    int columns = 0;
    qreal yMinimum = 0;
    qreal yMaximum = 0;
    // None where the y axis is not linear.
    int rows = 0;
    bool operator==(const ScreenGrid&) const = default;
};

// How a chart spreads the ranges of these axes over its plot area now; before the chart's first
// layout, when its plot area is empty, over the whole chart, which is larger still.
ScreenGrid ScreenGridOf(const QChart& chart, const QValueAxis& xAxis, const QValueAxis* yAxis);

// How far a point may lie off the line drawn in its stead, in pixels.
inline constexpr qreal StraightnessTolerance = 0.1;

// The points of a curve that can differ on screen: in each pixel column the first, lowest,
// highest and last point, in their order, and the one point on either side of the x range, so
// the lines that leave the plot leave it as before. With rows over a y range, of the points that
// lie on one straight line on screen, to within StraightnessTolerance, only its ends stay; a
// curve with a value that is not finite keeps them all. A line through them covers the pixels
// the whole curve covers. A curve whose x ever falls back, or an empty x range, keeps every point.
QList<QPointF> PointsApartOnScreen(const QList<QPointF>& points, const ScreenGrid& grid);

// A long curve on a chart's line series, handed to the chart as only the points that can differ
// on screen: QtCharts strokes and paints every point it holds, each time an axis or the plot area
// changes, and ten thousand samples cost it far more than the few per pixel column that show.
// The points are thinned again whenever an axis's range or the plot area changes, so zooms,
// moves and resizes draw what the whole curve would. The whole curve stays on the series
// (FullCurveProperty) for everything that reads values rather than pixels.
class ThinnedCurve final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ThinnedCurve)

public:
    // Shows the curve on the series, which is on a chart with its axes attached.
    static void show(QXYSeries& series, const QList<QPointF>& curve);

private:
    explicit ThinnedCurve(QXYSeries& series);
    void thin(bool curveChanged = false);

    QXYSeries& m_series;
    ScreenGrid m_grid;
};

} // namespace kinetra
