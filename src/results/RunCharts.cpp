#include "RunCharts.h"

#include <QCoreApplication>

#include "AxisTicks.h"
#include "RunSamples.h"
#include "StepResponse.h"

namespace kinetra {

namespace {

AxisData TimeAxis(const DataRange& range, QChar separator)
{
    AxisData axis{
        QCoreApplication::translate("RunCharts", "Время, с"), range.minimum(), range.maximum(), {}};
    axis.ticks = TimeTicks(axis.minimum, axis.maximum, separator);
    return axis;
}

AxisData ValueAxis(const QString& title, const AxisSpan& span, QChar separator)
{
    return {title, span.minimum, span.maximum, ValueTicks(span.minimum, span.maximum, separator)};
}

QString LoopQuantityTitle(bool torque)
{
    return torque ? QCoreApplication::translate("RunCharts", "Момент, Нм")
                  : QCoreApplication::translate("RunCharts", "Ток, А");
}

QString LoopQuantityName(bool torque)
{
    return torque ? QCoreApplication::translate("RunCharts", "Момент")
                  : QCoreApplication::translate("RunCharts", "Ток");
}

// A line across the run at a level.
QList<QPointF> LevelAcross(std::span<const ResultSample> samples, double level)
{
    const double start = samples.empty() ? 0 : samples.front().time;
    const double end = samples.empty() ? 0 : samples.back().time;
    return {QPointF(start, level), QPointF(end, level)};
}

// A positioning drive's position on an axis of its own, and the limit where its ramp stops as a
// line across the run.
void AddPosition(ChartData& dynamics, const RunData& run, const ModelParams& params)
{
    dynamics.position.title = QCoreApplication::translate("RunCharts", "Положение, рад");
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
    if (const std::optional<double> limit = PositionTarget(params))
        dynamics.curves.push_back({CurveRole::PositionLimit,
                                   QCoreApplication::translate("RunCharts", "Предел fmax"),
                                   LevelAcross(samples, *limit), true, CurveAxis::Position});
}

// The limit a speed loop puts on its current or torque, and that quantity on an axis of its own
// where the left axis shows the other one.
void AddLoopLimit(ChartData& dynamics, const RunData& run, const ModelParams& params,
                  const LoopLimitLine& limit)
{
    const std::span<const ResultSample> samples = ValidSamples(run);
    CurveAxis axis = CurveAxis::Left;
    if (limit.torque != params.TorqueControl) {
        axis = CurveAxis::Limited;
        dynamics.limited.title = LoopQuantityTitle(limit.torque);
        CurveData limited{
            CurveRole::Limited, LoopQuantityName(limit.torque), {}, true, CurveAxis::Limited};
        limited.points.reserve(qsizetype(samples.size()));
        for (const ResultSample& sample : samples)
            limited.points.append({sample.time, limit.torque ? sample.torque : sample.current});
        dynamics.curves.push_back(std::move(limited));
    }
    dynamics.curves.push_back({CurveRole::LoopLimit,
                               QCoreApplication::translate("RunCharts", "Предел Imax"),
                               LevelAcross(samples, limit.level), true, axis});
}

// The value axes of the dynamics chart: the data of each with room beyond it, the limit lines
// within, the zeros at one height.
void SetDynamicsAxes(ChartData& dynamics, const ChartRanges& ranges, QChar separator)
{
    DataRange leftData = ranges.dynamicsLeft;
    DataRange limitedData = ranges.limitedQuantity;
    (ranges.limitedShown ? limitedData : leftData).merge(ranges.loopLimit);
    AxisSpan left = WithHeadroom(leftData);
    AxisSpan right = WithHeadroom(ranges.dynamicsRight());
    AxisSpan position = WithHeadroom(ranges.position);
    AxisSpan limited = WithHeadroom(limitedData);
    std::vector<AxisSpan*> shown{&left, &right};
    if (!dynamics.position.title.isEmpty())
        shown.push_back(&position);
    if (!dynamics.limited.title.isEmpty())
        shown.push_back(&limited);
    AlignZeros(shown);
    dynamics.left = ValueAxis(dynamics.left.title, left, separator);
    dynamics.right = ValueAxis(dynamics.right.title, right, separator);
    if (!dynamics.position.title.isEmpty())
        dynamics.position = ValueAxis(dynamics.position.title, position, separator);
    if (!dynamics.limited.title.isEmpty())
        dynamics.limited = ValueAxis(dynamics.limited.title, limited, separator);
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
    case CurveAxis::Limited:
        return limited;
    }
    return left;
}

void RunCharts::clearCurves()
{
    for (ChartData* chart : {&dynamics, &statics})
        for (CurveData& curve : chart->curves)
            curve.points.clear();
}

std::vector<StaticPoint> StaticsAsDrawn(std::span<const StaticPoint> statics,
                                        const ModelParams& params, const RunData& run)
{
    const bool thyristorZone = params.SupplyKind == 2 && params.MotorKind != 2 &&
                               (params.MotorKind == 1 || run.controllerActive);
    std::vector<StaticPoint> drawn;
    drawn.reserve(statics.size());
    bool noLoadPointPassed = false;
    for (const StaticPoint& point : statics) {
        if (thyristorZone && !point.white) {
            // The first visible point is the straight part's no-load speed.
            if (!noLoadPointPassed) {
                noLoadPointPassed = true;
                continue;
            }
            if (point.x < 0)
                continue;
        }
        drawn.push_back(point);
    }
    return drawn;
}

RunCharts DescribeRunCharts(const RunData& run, const ModelParams& params,
                            std::span<const StaticPoint> statics, const ChartRanges& ranges,
                            QChar decimalSeparator)
{
    const bool torque = params.TorqueControl;
    const QString quantity = LoopQuantityTitle(torque);
    RunCharts charts;

    ChartData& dynamics = charts.dynamics;
    dynamics.horizontal = TimeAxis(ranges.dynamicsTime, decimalSeparator);
    dynamics.left.title = quantity;
    dynamics.right.title = QCoreApplication::translate("RunCharts", "Скорость, рад/с");
    CurveData loop{CurveRole::TorqueOrCurrent, LoopQuantityName(torque), {}, true, CurveAxis::Left};
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
        AddPosition(dynamics, run, params);
    if (const std::optional<LoopLimitLine> limit = LoopLimitLineOf(run, params))
        AddLoopLimit(dynamics, run, params, *limit);
    SetDynamicsAxes(dynamics, ranges, decimalSeparator);

    ChartData& staticChart = charts.statics;
    staticChart.horizontal = ValueAxis(quantity, WithHeadroom(ranges.staticsX), decimalSeparator);
    staticChart.left =
        ValueAxis(QCoreApplication::translate("RunCharts", "Скорость двигателя, рад/с"),
                  WithHeadroom(ranges.staticsY), decimalSeparator);
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
    const AxisSpan unit;
    RunCharts charts;
    ChartData& dynamics = charts.dynamics;
    dynamics.horizontal = TimeAxis(DataRange(), decimalSeparator);
    dynamics.left =
        ValueAxis(QCoreApplication::translate("RunCharts", "Момент, Нм"), unit, decimalSeparator);
    dynamics.right = ValueAxis(QCoreApplication::translate("RunCharts", "Скорость, рад/с"), unit,
                               decimalSeparator);
    dynamics.position = ValueAxis(QCoreApplication::translate("RunCharts", "Положение, рад"), unit,
                                  decimalSeparator);
    dynamics.limited =
        ValueAxis(QCoreApplication::translate("RunCharts", "Ток, А"), unit, decimalSeparator);
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
                        CurveAxis::Position},
                       {CurveRole::Limited,
                        QCoreApplication::translate("RunCharts", "Ток"),
                        {},
                        true,
                        CurveAxis::Limited},
                       {CurveRole::LoopLimit,
                        QCoreApplication::translate("RunCharts", "Предел Imax"),
                        {},
                        true,
                        CurveAxis::Left}};
    ChartData& statics = charts.statics;
    statics.horizontal =
        ValueAxis(QCoreApplication::translate("RunCharts", "Момент, Нм"), unit, decimalSeparator);
    statics.left = ValueAxis(QCoreApplication::translate("RunCharts", "Скорость двигателя, рад/с"),
                             unit, decimalSeparator);
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
