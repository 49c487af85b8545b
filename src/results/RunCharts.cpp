#include "RunCharts.h"

#include <cmath>

#include "AxisTicks.h"
#include "FixedNumber.h"
#include "RunSamples.h"

namespace kinetra {

namespace {

// A tick label with the decimals its step needs and no trailing zeros, as "#,##0.##" reads,
// without grouping so that it matches the numbers of the texts beside the charts.
QString TickLabel(double value, int decimals, QChar separator)
{
    QString text = Fixed(value, decimals, separator);
    if (decimals > 0 && text.contains(separator) && !text.contains(u'E')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(separator))
            text.chop(1);
    }
    return text == u"-0" ? QStringLiteral("0") : text;
}

AxisView Axis(const QString& title, const DataRange& range, QChar separator, bool time = false)
{
    AxisView axis{title, range.minimum(), range.maximum(), {}};
    axis.ticks = time ? TimeTicks(axis.minimum, axis.maximum, separator)
                      : ValueTicks(axis.minimum, axis.maximum, separator);
    return axis;
}

} // namespace

const CurveView* ChartView::curve(CurveRole role) const
{
    for (const CurveView& candidate : curves)
        if (candidate.role == role)
            return &candidate;
    return nullptr;
}

std::vector<AxisTick> TimeTicks(double minimum, double maximum, QChar decimalSeparator)
{
    const double step = RoundTickStep(maximum - minimum, ChartMostSteps);
    const int decimals = std::max(2, TickDecimals(step));
    std::vector<AxisTick> ticks;
    for (const double value : TicksWithEnds(minimum, maximum, ChartMostSteps)) {
        QString label = TickLabel(value, decimals, decimalSeparator);
        // Two ticks that read alike would print one label twice; the first stays.
        if (ticks.empty() || ticks.back().label != label)
            ticks.push_back({value, std::move(label)});
    }
    return ticks;
}

std::vector<AxisTick> ValueTicks(double minimum, double maximum, QChar decimalSeparator)
{
    const double step = RoundTickStep(maximum - minimum, ChartMostSteps);
    const int decimals = TickDecimals(step);
    std::vector<AxisTick> ticks;
    for (double k = std::ceil(minimum / step - 1e-9); k * step <= maximum + step * 1e-9; ++k)
        ticks.push_back({k * step, TickLabel(k * step, decimals, decimalSeparator)});
    return ticks;
}

RunCharts DescribeRunCharts(const RunData& run, const ModelParams& params,
                            std::span<const StaticPoint> statics, const ChartRanges& ranges,
                            QChar decimalSeparator)
{
    const bool torque = params.TorqueControl;
    const QString quantity = torque ? QStringLiteral("Момент, Нм") : QStringLiteral("Ток, А");
    RunCharts charts;

    ChartView& dynamics = charts.dynamics;
    dynamics.horizontal =
        Axis(QStringLiteral("Время, с"), ranges.dynamicsTime, decimalSeparator, true);
    dynamics.left = Axis(quantity, ranges.dynamicsLeft, decimalSeparator);
    dynamics.right =
        Axis(QStringLiteral("Скорость, рад/с"), ranges.dynamicsRight(), decimalSeparator);
    CurveView loop{CurveRole::TorqueOrCurrent,
                   torque ? QStringLiteral("Момент") : QStringLiteral("Ток"),
                   {},
                   true,
                   false};
    CurveView mechanism{
        CurveRole::MechanismSpeed, QStringLiteral("Скорость механизма"), {}, true, true};
    CurveView motor{
        CurveRole::MotorSpeed, QStringLiteral("Скорость двигателя"), {}, params.ElasticGear, true};
    const std::span<const ResultSample> samples = ValidSamples(run);
    for (CurveView* curve : {&loop, &mechanism, &motor})
        curve->points.reserve(qsizetype(samples.size()));
    for (const ResultSample& sample : samples) {
        loop.points.append({sample.time, torque ? sample.torque : sample.current});
        mechanism.points.append({sample.time, sample.mechSpeed});
        motor.points.append({sample.time, sample.motorSpeed});
    }
    dynamics.curves = {std::move(loop), std::move(mechanism), std::move(motor)};

    ChartView& staticChart = charts.statics;
    staticChart.horizontal = Axis(quantity, ranges.staticsX, decimalSeparator);
    staticChart.left =
        Axis(QStringLiteral("Скорость двигателя, рад/с"), ranges.staticsY, decimalSeparator);
    CurveView characteristic{CurveRole::Statics, QStringLiteral("Статика"), {}, true, false};
    for (const StaticPoint& point : statics)
        if (!point.white)
            characteristic.points.append({point.x, point.y});
    staticChart.curves = {std::move(characteristic)};
    return charts;
}

} // namespace kinetra
