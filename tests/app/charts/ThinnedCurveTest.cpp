#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <cmath>
#include <functional>
#include <map>

#include "charts/ChartCurves.h"
#include "charts/ThinnedCurve.h"

namespace kinetra::test {
namespace {

QList<QPointF> Sampled(int count, const std::function<qreal(qreal)>& y)
{
    QList<QPointF> points;
    for (int i = 0; i < count; ++i)
        points.append({i * 0.001, y(i * 0.001)});
    return points;
}

// Whether shown is the curve with points left out, never reordered or moved.
bool IsPartOf(const QList<QPointF>& shown, const QList<QPointF>& curve)
{
    qsizetype at = 0;
    for (const QPointF& point : shown) {
        while (at < curve.size() && curve[at] != point)
            ++at;
        if (at++ == curve.size())
            return false;
    }
    return true;
}

struct Extremes {
    qreal lowest = INFINITY;
    qreal highest = -INFINITY;
    bool operator==(const Extremes&) const = default;
};

// The lowest and highest value in every pixel column of the range.
std::map<qint64, Extremes> ColumnExtremes(const QList<QPointF>& points, const ScreenGrid& grid)
{
    std::map<qint64, Extremes> extremes;
    const qreal columnsPerX = grid.columns / (grid.xMaximum - grid.xMinimum);
    for (const QPointF& point : points) {
        Extremes& in =
            extremes[static_cast<qint64>(std::floor((point.x() - grid.xMinimum) * columnsPerX))];
        in.lowest = std::min(in.lowest, point.y());
        in.highest = std::max(in.highest, point.y());
    }
    return extremes;
}

QList<QPointF> InRange(const QList<QPointF>& points, const ScreenGrid& grid)
{
    QList<QPointF> in;
    for (const QPointF& point : points)
        if (point.x() >= grid.xMinimum && point.x() <= grid.xMaximum)
            in.append(point);
    return in;
}

struct Case {
    const char* name;
    QList<QPointF> curve;
    ScreenGrid grid;
    qsizetype mostShown;
};

const QList<QPointF> Ripple = Sampled(10000, [](qreal t) { return std::sin(t * 2000); });
const QList<QPointF> Ramp = Sampled(10000, [](qreal t) { return t < 5 ? t : 5 - t; });

TEST(ThinnedCurveTest, EveryPixelColumnKeepsItsExtremesAndTheLinesOutOfTheRange)
{
    const Case cases[] = {
        {"ripple, whole", Ripple, {0, 10, 775}, 4 * 775},
        {"ripple, zoomed", Ripple, {2.5, 3.1, 200}, 4 * 200 + 2},
        {"ramp, whole", Ramp, {0, 10, 775}, 2 * 775 + 2},
        {"ramp, moved past its end", Ramp, {8, 12, 300}, 4 * 300},
        {"fewer samples than columns",
         Sampled(50, [](qreal t) { return t * t; }),
         {0, 0.05, 775},
         50},
    };
    for (const Case& c : cases) {
        const QList<QPointF> shown = PointsApartOnScreen(c.curve, c.grid);
        EXPECT_LE(shown.size(), c.mostShown) << c.name;
        EXPECT_TRUE(IsPartOf(shown, c.curve)) << c.name;
        // Both ends of what shows, and the points just outside the range, stay.
        const auto after = std::upper_bound(c.curve.begin(), c.curve.end(), c.grid.xMaximum,
                                            [](qreal x, QPointF p) { return x < p.x(); });
        const auto before = std::lower_bound(c.curve.begin(), c.curve.end(), c.grid.xMinimum,
                                             [](QPointF p, qreal x) { return p.x() < x; });
        EXPECT_EQ(shown.constFirst(), before == c.curve.begin() ? *before : *(before - 1))
            << c.name;
        EXPECT_EQ(shown.constLast(), after == c.curve.end() ? c.curve.constLast() : *after)
            << c.name;
        EXPECT_TRUE(ColumnExtremes(InRange(shown, c.grid), c.grid) ==
                    ColumnExtremes(InRange(c.curve, c.grid), c.grid))
            << c.name;
    }
}

QPointF InPixels(QPointF point, const ScreenGrid& grid)
{
    return {point.x() * grid.columns / (grid.xMaximum - grid.xMinimum),
            point.y() * grid.rows / (grid.yMaximum - grid.yMinimum)};
}

qreal DistanceToSegment(QPointF point, QPointF from, QPointF to)
{
    const QPointF along = to - from;
    const qreal length = QPointF::dotProduct(along, along);
    const qreal at =
        length > 0 ? std::clamp(QPointF::dotProduct(point - from, along) / length, 0.0, 1.0) : 0;
    const QPointF off = point - (from + at * along);
    return std::hypot(off.x(), off.y());
}

// How far, in pixels, the point of the curve that lies farthest off the line through the shown
// points lies from it.
qreal FarthestOff(const QList<QPointF>& curve, const QList<QPointF>& shown, const ScreenGrid& grid)
{
    qreal farthest = 0;
    qsizetype segment = 0;
    for (const QPointF& value : InRange(curve, grid)) {
        const QPointF point = InPixels(value, grid);
        while (segment + 2 < shown.size() && InPixels(shown[segment + 1], grid).x() < point.x() - 2)
            ++segment;
        qreal nearest = INFINITY;
        for (qsizetype k = segment;
             k + 1 < shown.size() && InPixels(shown[k], grid).x() <= point.x() + 2; ++k)
            nearest = std::min(nearest, DistanceToSegment(point, InPixels(shown[k], grid),
                                                          InPixels(shown[k + 1], grid)));
        farthest = std::max(farthest, nearest);
    }
    return farthest;
}

// On a linear y axis the points along one straight line on screen give way to its ends. No point
// of the curve lies more than a pixel off the line drawn, the most a pixel column's first, lowest,
// highest and last point leave the others off; a smooth curve stays within the tolerance.
TEST(ThinnedCurveTest, StraightRunsKeepTheirEndsAndTheCurveStaysOnTheLine)
{
    QList<QPointF> spiked = Sampled(10000, [](qreal t) { return t; });
    spiked[5000].ry() += 3;
    const struct {
        Case thinning;
        qreal mostOff;
    } cases[] = {
        {{"ramp", Ramp, {0, 10, 775, -5, 5, 400}, 6}, 1},
        {{"ripple, zoomed", Ripple, {2.5, 3.1, 200, -1, 1, 300}, 4 * 200 + 2}, 1},
        {{"slow sine",
          Sampled(10000, [](qreal t) { return std::sin(t); }),
          {0, 10, 775, -1, 1, 400},
          400},
         1.1 * StraightnessTolerance},
        {{"line with a spike", spiked, {0, 10, 775, 0, 15, 400}, 8}, 1},
        {{"up and back down at one time",
          {{0, 0}, {0, 0}, {0, 5}, {0, 2}, {1, 2}, {2, 2}, {3, 2}},
          {0, 3, 300, 0, 5, 500},
          6},
         StraightnessTolerance},
    };
    for (const auto& [c, mostOff] : cases) {
        const QList<QPointF> shown = PointsApartOnScreen(c.curve, c.grid);
        EXPECT_LE(shown.size(), c.mostShown) << c.name;
        EXPECT_TRUE(IsPartOf(shown, c.curve)) << c.name;
        EXPECT_LE(FarthestOff(c.curve, shown, c.grid), mostOff) << c.name;
    }
}

TEST(ThinnedCurveTest, CurveThatTurnsBackOrAnEmptyRangeKeepsEveryPoint)
{
    const QList<QPointF> loop{{0, 0}, {1, 1}, {0.5, 2}, {2, 3}};
    EXPECT_EQ(PointsApartOnScreen(loop, {0, 2, 1}), loop);
    const QList<QPointF> line = Sampled(100, [](qreal t) { return t; });
    EXPECT_EQ(PointsApartOnScreen(line, {1, 1, 10}), line);
    EXPECT_EQ(PointsApartOnScreen(line, {0, 0.1, 0}), line);
    // Without a y range, or with a value that is not finite, no straight run is joined.
    const ScreenGrid columns{0, 0.1, 10};
    EXPECT_EQ(PointsApartOnScreen(line, {0, 0.1, 10, 1, 1, 10}),
              PointsApartOnScreen(line, columns));
    QList<QPointF> broken = line;
    broken[50].ry() = qQNaN();
    EXPECT_EQ(PointsApartOnScreen(broken, {0, 0.1, 10, 0, 0.1, 10}).size(),
              PointsApartOnScreen(broken, columns).size());
}

// On a chart on show the series holds the thinned points, follows zooms, and keeps the whole
// curve for what reads values: the CSV export among them.
TEST(ThinnedCurveTest, SeriesFollowsTheAxisAndKeepsTheWholeCurveForTheExport)
{
    auto* chart = new QChart;
    QChartView view(chart);
    auto* time = new QValueAxis;
    auto* value = new QValueAxis;
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(value, Qt::AlignLeft);
    auto* series = new QLineSeries;
    series->setName(QStringLiteral("Ток"));
    chart->addSeries(series);
    series->attachAxis(time);
    series->attachAxis(value);
    time->setRange(0, 10);
    value->setRange(-1, 1);
    view.resize(640, 480);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QList<QPointF>& curve = Ripple;

    ThinnedCurve::show(*series, curve);
    const int columns = static_cast<int>(std::ceil(chart->plotArea().width()));
    const int rows = static_cast<int>(std::ceil(chart->plotArea().height()));
    EXPECT_EQ(series->points(), PointsApartOnScreen(curve, {0, 10, columns, -1, 1, rows}));
    EXPECT_LT(series->count(), 4 * 640);
    time->setRange(4, 4.2);
    EXPECT_EQ(series->points(), PointsApartOnScreen(curve, {4, 4.2, columns, -1, 1, rows}));
    value->setRange(-2, 2);
    EXPECT_EQ(series->points(), PointsApartOnScreen(curve, {4, 4.2, columns, -2, 2, rows}));

    EXPECT_EQ(FullCurve(*series), curve);
    const std::vector<Curve> exported = CurvesOnShow(*chart).curves;
    ASSERT_EQ(exported.size(), 1u);
    EXPECT_EQ(exported[0].points, curve);

    ThinnedCurve::show(*series, {});
    time->setRange(0, 10);
    EXPECT_EQ(series->count(), 0) << "a cleared curve stays cleared";
}

} // namespace
} // namespace kinetra::test
