#include "charts/ThinnedCurve.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

#include <QChart>
#include <QValueAxis>
#include <QXYSeries>

#include "charts/ChartCurves.h"

namespace kinetra {

namespace {

QValueAxis* axisOf(QXYSeries& series, Qt::Orientation orientation)
{
    for (QAbstractAxis* axis : series.attachedAxes())
        if (axis->orientation() == orientation)
            return qobject_cast<QValueAxis*>(axis);
    return nullptr;
}

// A run of points on one straight line from its first point, within StraightnessTolerance: the
// directions from that point in which a line passes close enough to every point of the run narrow
// down as points join it.
class StraightRun {
public:
    explicit StraightRun(QPointF start) : m_start(start) {}

    // Takes the point into the run if a line in one of the directions left passes close enough to
    // it too and it does not turn back towards the start.
    bool takes(QPointF point)
    {
        const QPointF offset = point - m_start;
        const qreal distance = std::hypot(offset.x(), offset.y());
        const qreal direction = std::atan2(offset.y(), offset.x());
        if (direction < m_lowest || direction > m_highest ||
            distance < m_farthest - StraightnessTolerance)
            return false;
        m_farthest = std::max(m_farthest, distance);
        if (distance > StraightnessTolerance) {
            const qreal spread = std::asin(StraightnessTolerance / distance);
            m_lowest = std::max(m_lowest, direction - spread);
            m_highest = std::min(m_highest, direction + spread);
        }
        return true;
    }

private:
    QPointF m_start;
    qreal m_lowest = -std::numbers::pi;
    qreal m_highest = std::numbers::pi;
    qreal m_farthest = 0;
};

// The indexes of the points, in pixels, that end one straight run and start the next.
QList<qsizetype> StraightRunEnds(const QList<QPointF>& points)
{
    QList<qsizetype> ends{0};
    StraightRun run(points[0]);
    for (qsizetype i = 1; i < points.size(); ++i) {
        if (run.takes(points[i]))
            continue;
        ends.append(i - 1);
        run = StraightRun(points[i - 1]);
        run.takes(points[i]);
    }
    ends.append(points.size() - 1);
    return ends;
}

QList<QPointF> StraightRunsJoined(const QList<QPointF>& points, const ScreenGrid& grid)
{
    if (points.size() < 3)
        return points;
    const bool finite = std::all_of(points.begin(), points.end(), [](QPointF point) {
        return std::isfinite(point.x()) && std::isfinite(point.y());
    });
    if (!finite)
        return points;
    const qreal columnsPerX = grid.columns / (grid.xMaximum - grid.xMinimum);
    const qreal rowsPerY = grid.rows / (grid.yMaximum - grid.yMinimum);
    QList<QPointF> inPixels;
    inPixels.reserve(points.size());
    for (const QPointF& point : points)
        inPixels.append(
            {(point.x() - grid.xMinimum) * columnsPerX, (point.y() - grid.yMinimum) * rowsPerY});
    QList<QPointF> joined;
    for (const qsizetype end : StraightRunEnds(inPixels))
        joined.append(points[end]);
    return joined;
}

} // namespace

QList<QPointF> PointsApartOnScreen(const QList<QPointF>& points, const ScreenGrid& grid)
{
    const auto byX = [](QPointF a, QPointF b) { return a.x() < b.x(); };
    if (grid.columns <= 0 || !(grid.xMaximum > grid.xMinimum) ||
        !std::is_sorted(points.begin(), points.end(), byX))
        return points;
    auto first = std::lower_bound(points.begin(), points.end(), QPointF(grid.xMinimum, 0), byX);
    if (first != points.begin())
        --first;
    auto end = std::upper_bound(first, points.end(), QPointF(grid.xMaximum, 0), byX);
    if (end != points.end())
        ++end;

    const qreal columnsPerX = grid.columns / (grid.xMaximum - grid.xMinimum);
    const auto columnOf = [&](QPointF point) {
        return std::floor((point.x() - grid.xMinimum) * columnsPerX);
    };
    QList<QPointF> shown;
    for (auto start = first; start != end;) {
        const qreal column = columnOf(*start);
        auto lowest = start;
        auto highest = start;
        auto next = start + 1;
        for (; next != end && columnOf(*next) == column; ++next) {
            if (next->y() < lowest->y())
                lowest = next;
            if (next->y() > highest->y())
                highest = next;
        }
        auto previous = end;
        for (auto kept : {start, std::min(lowest, highest), std::max(lowest, highest), next - 1}) {
            if (kept != previous)
                shown.append(*kept);
            previous = kept;
        }
        start = next;
    }
    const bool rowsOverARange = grid.rows > 0 && grid.yMaximum > grid.yMinimum;
    return rowsOverARange ? StraightRunsJoined(shown, grid) : shown;
}

ThinnedCurve::ThinnedCurve(QXYSeries& series) : QObject(&series), m_series(series)
{
    for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical})
        if (QValueAxis* axis = axisOf(series, orientation))
            connect(axis, &QValueAxis::rangeChanged, this, [this] { thin(); });
    if (QChart* chart = series.chart())
        connect(chart, &QChart::plotAreaChanged, this, [this] { thin(); });
}

void ThinnedCurve::show(QXYSeries& series, const QList<QPointF>& curve)
{
    auto* thinned = series.findChild<ThinnedCurve*>(QString(), Qt::FindDirectChildrenOnly);
    if (!thinned)
        thinned = new ThinnedCurve(series);
    series.setProperty(FullCurveProperty, QVariant::fromValue(curve));
    thinned->thin(true);
}

ScreenGrid ScreenGridOf(const QChart& chart, const QValueAxis& xAxis, const QValueAxis* yAxis)
{
    const QSizeF plot = chart.plotArea().isEmpty() ? chart.size() : chart.plotArea().size();
    ScreenGrid grid{xAxis.min(), xAxis.max(), static_cast<int>(std::ceil(plot.width()))};
    if (yAxis) {
        grid.yMinimum = yAxis->min();
        grid.yMaximum = yAxis->max();
        grid.rows = static_cast<int>(std::ceil(plot.height()));
    }
    return grid;
}

void ThinnedCurve::thin(bool curveChanged)
{
    const QValueAxis* xAxis = axisOf(m_series, Qt::Horizontal);
    const QChart* chart = m_series.chart();
    if (!xAxis || !chart)
        return;
    const ScreenGrid grid = ScreenGridOf(*chart, *xAxis, axisOf(m_series, Qt::Vertical));
    if (!curveChanged && grid == m_grid)
        return;
    m_grid = grid;
    m_series.replace(PointsApartOnScreen(FullCurve(m_series), grid));
}

} // namespace kinetra
