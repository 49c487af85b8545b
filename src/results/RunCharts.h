#pragma once

#include <QChar>
#include <QList>
#include <QPointF>
#include <QString>

#include <span>
#include <vector>

#include "ChartRanges.h"
#include "ModelParams.h"
#include "RunData.h"
#include "StaticCharacteristic.h"

namespace kinetra {

// The result charts of a run as plain data: each curve's points and title, each axis's title,
// range and labelled ticks. The results window, the report and the signals workbench draw or read
// this one description, so they never read a chart widget back.

// What a curve shows; each drawing gives a role its colour and line.
enum class CurveRole {
    TorqueOrCurrent,
    MechanismSpeed,
    MotorSpeed,
    Statics,
    Position,      // the mechanism's position under a position loop
    PositionLimit, // the limit fmax where the position loop stops its ramp
};

// The axis a curve is drawn against: the left one, the right one, or on the dynamics chart of a
// positioning drive the position axis, outside the right one.
enum class CurveAxis { Left, Right, Position };

struct AxisTick {
    double value = 0;
    QString label;
};

struct AxisView {
    QString title;
    double minimum = 0;
    double maximum = 1;
    std::vector<AxisTick> ticks;
};

struct CurveView {
    CurveRole role = CurveRole::TorqueOrCurrent;
    QString name;
    QList<QPointF> points;
    bool shown = true;
    CurveAxis axis = CurveAxis::Left;
};

struct ChartView {
    QString title; // empty: the chart has none
    AxisView horizontal;
    AxisView left;
    AxisView right;    // empty title: the chart has no right axis
    AxisView position; // empty title: the chart has no position axis
    std::vector<CurveView> curves;

    const CurveView* curve(CurveRole role) const;
};

struct RunCharts {
    ChartView dynamics;
    ChartView statics;
};

// Enough ticks to read a value off a chart, few enough that the labels never touch.
inline constexpr int ChartMostSteps = 8;

// The ticks of a horizontal time axis: round steps and both ends labelled, so a run's last time
// always reads on the axis.
std::vector<AxisTick> TimeTicks(double minimum, double maximum, QChar decimalSeparator);
// The ticks of a value axis: the multiples of a round step within the range.
std::vector<AxisTick> ValueTicks(double minimum, double maximum, QChar decimalSeparator);

// The charts of a run: its samples in the modes of params, its static characteristic without the
// invisible start point, under the axes of ranges (which may include earlier runs kept on show).
RunCharts DescribeRunCharts(const RunData& run, const ModelParams& params,
                            std::span<const StaticPoint> statics, const ChartRanges& ranges,
                            QChar decimalSeparator);

} // namespace kinetra
