#include "RunCharts.h"

#include <QCoreApplication>

#include "AxisTicks.h"
#include "RunSamples.h"
#include "StepResponse.h"

namespace kinetra {

namespace {

AxisData Axis(const QString& title, const DataRange& range, QChar separator, bool time = false)
{
    AxisData axis{title, range.minimum(), range.maximum(), {}};
    axis.ticks = time ? TimeTicks(axis.minimum, axis.maximum, separator)
                      : ValueTicks(axis.minimum, axis.maximum, separator);
    return axis;
}

// A positioning drive's position on an axis of its own, and the limit where its ramp stops as a
// line across the run.
void AddPosition(ChartData& dynamics, const RunData& run, const ModelParams& params,
                 const ChartRanges& ranges, QChar separator)
{
    dynamics.position = Axis(QCoreApplication::translate("RunCharts", "Положение, рад"),
                             ranges.position, separator);
    CurveData position{CurveRole::Position,
                       QCoreApplication::translate("RunCharts", "Положение"),
                       {},
                       true,
                       CurveAxis::Position};
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
                                   QCoreApplication::translate("RunCharts", "Предел fmax"),
                                   {QPointF(start, *limit), QPointF(end, *limit)},
                                   true,
                                   CurveAxis::Position});
    }
}

} // namespace

const CurveData* ChartData::curve(CurveRole role) const
{
    for (const CurveData& candidate : curves)
        if (candidate.role == role)
            return &candidate;
    return nullptr;
}

const AxisData& ChartData::axis(CurveAxis axis) const
{
    switch (axis) {
    case CurveAxis::Left:
        break;
    case CurveAxis::Right:
        return right;
    case CurveAxis::Position:
        return position;
    }
    return left;
}

void RunCharts::clearCurves()
{
    for (ChartData* chart : {&dynamics, &statics})
        for (CurveData& curve : chart->curves)
            curve.points.clear();
}

RunCharts DescribeRunCharts(const RunData& run, const ModelParams& params,
                            std::span<const StaticPoint> statics, const ChartRanges& ranges,
                            QChar decimalSeparator)
{
    const bool torque = params.TorqueControl;
    const QString quantity = torque ? QCoreApplication::translate("RunCharts", "Момент, Нм")
                                    : QCoreApplication::translate("RunCharts", "Ток, А");
    RunCharts charts;

    ChartData& dynamics = charts.dynamics;
    dynamics.horizontal = Axis(QCoreApplication::translate("RunCharts", "Время, с"),
                               ranges.dynamicsTime, decimalSeparator, true);
    dynamics.left = Axis(quantity, ranges.dynamicsLeft, decimalSeparator);
    dynamics.right = Axis(QCoreApplication::translate("RunCharts", "Скорость, рад/с"),
                          ranges.dynamicsRight(), decimalSeparator);
    CurveData loop{CurveRole::TorqueOrCurrent,
                   torque ? QCoreApplication::translate("RunCharts", "Момент")
                          : QCoreApplication::translate("RunCharts", "Ток"),
                   {},
                   true,
                   CurveAxis::Left};
    CurveData mechanism{CurveRole::MechanismSpeed,
                        QCoreApplication::translate("RunCharts", "Скорость механизма"),
                        {},
                        true,
                        CurveAxis::Right};
    CurveData motor{CurveRole::MotorSpeed,
                    QCoreApplication::translate("RunCharts", "Скорость двигателя"),
                    {},
                    params.ElasticGear,
                    CurveAxis::Right};
    const std::span<const ResultSample> samples = ValidSamples(run);
    for (CurveData* curve : {&loop, &mechanism, &motor})
        curve->points.reserve(qsizetype(samples.size()));
    for (const ResultSample& sample : samples) {
        loop.points.append({sample.time, torque ? sample.torque : sample.current});
        mechanism.points.append({sample.time, sample.mechSpeed});
        motor.points.append({sample.time, sample.motorSpeed});
    }
    dynamics.curves = {std::move(loop), std::move(mechanism), std::move(motor)};
    if (run.loopF)
        AddPosition(dynamics, run, params, ranges, decimalSeparator);

    ChartData& staticChart = charts.statics;
    staticChart.horizontal = Axis(quantity, ranges.staticsX, decimalSeparator);
    staticChart.left = Axis(QCoreApplication::translate("RunCharts", "Скорость двигателя, рад/с"),
                            ranges.staticsY, decimalSeparator);
    CurveData characteristic{CurveRole::Statics,
                             QCoreApplication::translate("RunCharts", "Статика"),
                             {},
                             true,
                             CurveAxis::Left};
    for (const StaticPoint& point : statics)
        if (!point.white)
            characteristic.points.append({point.x, point.y});
    staticChart.curves = {std::move(characteristic)};
    return charts;
}

RunCharts ChartsBeforeAnyRun(QChar decimalSeparator)
{
    const DataRange unit;
    RunCharts charts;
    ChartData& dynamics = charts.dynamics;
    dynamics.horizontal =
        Axis(QCoreApplication::translate("RunCharts", "Время, с"), unit, decimalSeparator, true);
    dynamics.left =
        Axis(QCoreApplication::translate("RunCharts", "Момент, Нм"), unit, decimalSeparator);
    dynamics.right =
        Axis(QCoreApplication::translate("RunCharts", "Скорость, рад/с"), unit, decimalSeparator);
    dynamics.position =
        Axis(QCoreApplication::translate("RunCharts", "Положение, рад"), unit, decimalSeparator);
    dynamics.curves = {{CurveRole::TorqueOrCurrent,
                        QCoreApplication::translate("RunCharts", "Момент"),
                        {},
                        true,
                        CurveAxis::Left},
                       {CurveRole::MechanismSpeed,
                        QCoreApplication::translate("RunCharts", "Скорость механизма"),
                        {},
                        true,
                        CurveAxis::Right},
                       {CurveRole::MotorSpeed,
                        QCoreApplication::translate("RunCharts", "Скорость двигателя"),
                        {},
                        true,
                        CurveAxis::Right},
                       {CurveRole::Position,
                        QCoreApplication::translate("RunCharts", "Положение"),
                        {},
                        true,
                        CurveAxis::Position},
                       {CurveRole::PositionLimit,
                        QCoreApplication::translate("RunCharts", "Предел fmax"),
                        {},
                        true,
                        CurveAxis::Position}};
    ChartData& statics = charts.statics;
    statics.horizontal =
        Axis(QCoreApplication::translate("RunCharts", "Момент, Нм"), unit, decimalSeparator);
    statics.left = Axis(QCoreApplication::translate("RunCharts", "Скорость двигателя, рад/с"), unit,
                        decimalSeparator);
    statics.curves = {{CurveRole::Statics,
                       QCoreApplication::translate("RunCharts", "Статика"),
                       {},
                       true,
                       CurveAxis::Left}};
    return charts;
}

QString EarlierCurveName(const CurveData& curve, int run)
{
    return curve.name + QCoreApplication::translate("RunCharts", " (расчет %1)").arg(run);
}

} // namespace kinetra
