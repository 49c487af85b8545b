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

QValueAxis* horizontalAxis(QXYSeries& series)
{
    for (QAbstractAxis* axis : series.attachedAxes())
        if (axis->orientation() == Qt::Horizontal)
            return qobject_cast<QValueAxis*>(axis);
    return nullptr;
}

} // namespace

QList<QPointF> PointsApartOnScreen(const QList<QPointF>& points, qreal xMinimum, qreal xMaximum,
                                   int columns)
{
    const auto byX = [](QPointF a, QPointF b) { return a.x() < b.x(); };
    if (columns <= 0 || !(xMaximum > xMinimum) ||
        !std::is_sorted(points.begin(), points.end(), byX))
        return points;
    auto first = std::lower_bound(points.begin(), points.end(), QPointF(xMinimum, 0), byX);
    if (first != points.begin())
        --first;
    auto end = std::upper_bound(first, points.end(), QPointF(xMaximum, 0), byX);
    if (end != points.end())
        ++end;

    const qreal columnsPerX = columns / (xMaximum - xMinimum);
    const auto columnOf = [&](QPointF point) {
        return std::floor((point.x() - xMinimum) * columnsPerX);
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
        const auto last = next - 1;
        auto previous = end;
        for (auto kept : {start, std::min(lowest, highest), std::max(lowest, highest), last}) {
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
    if (QValueAxis* axis = horizontalAxis(series))
        connect(axis, &QValueAxis::rangeChanged, this, &ThinnedCurve::thin);
    if (QChart* chart = series.chart())
        connect(chart, &QChart::plotAreaChanged, this, &ThinnedCurve::thin);
}

void ThinnedCurve::show(QXYSeries& series, const QList<QPointF>& curve)
{
    auto* thinned = series.findChild<ThinnedCurve*>(QString(), Qt::FindDirectChildrenOnly);
    if (!thinned)
        thinned = new ThinnedCurve(series);
    thinned->m_curve = curve;
    thinned->m_columns = -1;
    series.setProperty(FullCurveProperty, QVariant::fromValue(curve));
    thinned->thin();
}

void ThinnedCurve::thin()
{
    const QValueAxis* axis = horizontalAxis(m_series);
    const QChart* chart = m_series.chart();
    if (!axis || !chart)
        return;
    // Before the chart's first layout its plot area is empty; the whole chart is wider still.
    const QRectF plot = chart->plotArea();
    const qreal width = plot.isEmpty() ? chart->size().width() : plot.width();
    const int columns = static_cast<int>(std::ceil(width));
    if (columns == m_columns && axis->min() == m_xMinimum && axis->max() == m_xMaximum)
        return;
    m_columns = columns;
    m_xMinimum = axis->min();
    m_xMaximum = axis->max();
    m_series.replace(PointsApartOnScreen(m_curve, m_xMinimum, m_xMaximum, columns));
}

} // namespace kinetra
