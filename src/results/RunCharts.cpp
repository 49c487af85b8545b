#include "RunCharts.h"

#include <cmath>

#include "AxisTicks.h"
#include "FixedNumber.h"
#include "RunSamples.h"
#include "StepResponse.h"

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

// A positioning drive's position on an axis of its own, and the limit where its ramp stops as a
// line across the run.
void AddPosition(ChartView& dynamics, const RunData& run, const ModelParams& params,
                 const ChartRanges& ranges, QChar separator)
{
    dynamics.position = Axis(QStringLiteral("Положение, рад"), ranges.position, separator);
    CurveView position{
        CurveRole::Position, QStringLiteral("Положение"), {}, true, CurveAxis::Position};
    const std::span<const ResultSample> samples = ValidSamples(run);
    const std::span<const double> positions = RecordedPositions(run);
    position.points.reserve(qsizetype(samples.size()));
    for (std::size_t i = 0; i < samples.size(); ++i)
        position.points.append({samples[i].time, positions[i]});
    dynamics.curves.push_back(std::move(position));
    if (const std::optional<double> limit = PositionTarget(params)) {
        const double start = samples.empty() ? 0 : samples.front().time;
        const double end = samples.empty() ? 0 : samples.back().time;
        dynamics.curves.push_back({CurveRole::PositionLimit,
                                   QStringLiteral("Предел fmax"),
                                   {QPointF(start, *limit), QPointF(end, *limit)},
                                   true,
                                   CurveAxis::Position});
    }
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
                   CurveAxis::Left};
    CurveView mechanism{CurveRole::MechanismSpeed,
                        QStringLiteral("Скорость механизма"),
                        {},
                        true,
                        CurveAxis::Right};
    CurveView motor{CurveRole::MotorSpeed,
                    QStringLiteral("Скорость двигателя"),
                    {},
                    params.ElasticGear,
                    CurveAxis::Right};
    const std::span<const ResultSample> samples = ValidSamples(run);
    for (CurveView* curve : {&loop, &mechanism, &motor})
        curve->points.reserve(qsizetype(samples.size()));
    for (const ResultSample& sample : samples) {
        loop.points.append({sample.time, torque ? sample.torque : sample.current});
        mechanism.points.append({sample.time, sample.mechSpeed});
        motor.points.append({sample.time, sample.motorSpeed});
    }
    dynamics.curves = {std::move(loop), std::move(mechanism), std::move(motor)};
    if (run.loopF)
        AddPosition(dynamics, run, params, ranges, decimalSeparator);

    ChartView& staticChart = charts.statics;
    staticChart.horizontal = Axis(quantity, ranges.staticsX, decimalSeparator);
    staticChart.left =
        Axis(QStringLiteral("Скорость двигателя, рад/с"), ranges.staticsY, decimalSeparator);
    CurveView characteristic{
        CurveRole::Statics, QStringLiteral("Статика"), {}, true, CurveAxis::Left};
    for (const StaticPoint& point : statics)
        if (!point.white)
            characteristic.points.append({point.x, point.y});
    staticChart.curves = {std::move(characteristic)};
    return charts;
}

} // namespace kinetra
