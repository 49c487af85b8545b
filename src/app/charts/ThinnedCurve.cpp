#include "charts/ThinnedCurve.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include <QChart>
#include <QValueAxis>
#include <QXYSeries>

#include "charts/ChartCurves.h"

namespace kinetra {

namespace {

QValueAxis* horizontalAxisOf(QXYSeries& series)
{
    for (QAbstractAxis* axis : series.attachedAxes())
        if (axis->orientation() == Qt::Horizontal)
            return qobject_cast<QValueAxis*>(axis);
    return nullptr;
}

} // namespace

QList<QPointF> PointsApartOnScreen(const QList<QPointF>& points, const ScreenGrid& grid)
{
    const auto byX = [](QPointF a, QPointF b) { return a.x() < b.x(); };
    if (grid.columns <= 0 || !(grid.xMaximum > grid.xMinimum) || !std::is_sorted(points.begin(), points.end(), byX))
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
    return shown;
}

ThinnedCurve::ThinnedCurve(QXYSeries& series) : QObject(&series), m_series(series)
{
    if (QValueAxis* axis = horizontalAxisOf(series))
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

void ThinnedCurve::thin(bool curveChanged)
{
    const QValueAxis* xAxis = horizontalAxisOf(m_series);
    const QChart* chart = m_series.chart();
    if (!xAxis || !chart)
        return;
    // Before the chart's first layout its plot area is empty; the whole chart is larger still.
    const QSizeF plot = chart->plotArea().isEmpty() ? chart->size() : chart->plotArea().size();
    const ScreenGrid grid{xAxis->min(), xAxis->max(), static_cast<int>(std::ceil(plot.width()))};
    if (!curveChanged && grid == m_grid)
        return;
    m_grid = grid;
    m_series.replace(PointsApartOnScreen(FullCurve(m_series), grid));
}

} // namespace kinetra
