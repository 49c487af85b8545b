#pragma once

#include <QChar>
#include <QList>
#include <QPointF>
#include <QString>

#include <span>
#include <vector>

#include "AxisTicks.h"
#include "ChartRanges.h"
#include "ModelParams.h"
#include "RunData.h"
#include "StaticCharacteristic.h"

namespace kinetra {

// The result charts of a run as plain data: each curve's points and name, each axis's title,
// range and labelled ticks. The results window and the report draw this one description, and the
// signals workbench takes its curves from it.

// What a curve shows; each drawing gives a role its colour and line.
enum class CurveRole {
    TorqueOrCurrent,
    MechanismSpeed,
    MotorSpeed,
    Statics,
    Position,      // the mechanism's position under a position loop
    PositionLimit, // the limit fmax where the position loop stops its ramp
    Limited,       // the quantity a speed loop limits, where the left axis shows the other one
    LoopLimit,     // the speed loop's limit Imax on that quantity
};

// The axis a curve is drawn against: the left one, the right one, or on the dynamics chart the
// axes outside the right one: a positioning drive's position, and the quantity a speed loop
// limits where the left axis shows the other one.
enum class CurveAxis { Left, Right, Position, Limited };

struct AxisData {
    QString title;
    double minimum = 0;
    double maximum = 1;
    std::vector<AxisTick> ticks;
};

struct CurveData {
    CurveRole role = CurveRole::TorqueOrCurrent;
    QString name;
    QList<QPointF> points;
    bool shown = true;
    CurveAxis axis = CurveAxis::Left;
};

struct ChartData {
    QString title; // empty: the chart has none
    AxisData horizontal;
    AxisData left;
    AxisData right;    // empty title: the chart has no right axis
    AxisData position; // empty title: the chart has no position axis
    AxisData limited;  // empty title: the chart has no axis for a limited quantity
    std::vector<CurveData> curves;

    const CurveData* curve(CurveRole role) const;
    // The axis a curve is drawn against.
    const AxisData& axis(CurveAxis axis) const;
};

struct RunCharts {
    ChartData dynamics;
    ChartData statics;

    // The same charts without points: what a cleared results window still shows.
    void clearCurves();
};

// The static characteristic as the statics chart draws it: the engine's points, but where a
// thyristor converter feeds a DC-like drive, the zone of intermittent current starts the
// characteristic at the no-load speed of its own. The engine gives the no-load speed of the
// straight part first, at zero current, as for any DC-like drive; that speed is never reached
// through the zone, and a stroke down from it would stand as a false vertical line at zero
// current. A zone point of negative mean current, which the converter cannot pass, goes too.
std::vector<StaticPoint> StaticsAsDrawn(std::span<const StaticPoint> statics,
                                        const ModelParams& params, const RunData& run);

// The charts of a run: its samples in the modes of params, its static characteristic without the
// invisible start point, under the axes of ranges (which may include earlier runs kept on show).
// The value axes reach a little beyond their data, and the vertical axes of the dynamics chart
// have their zeros at one height.
RunCharts DescribeRunCharts(const RunData& run, const ModelParams& params,
                            std::span<const StaticPoint> statics, const ChartRanges& ranges,
                            QChar decimalSeparator);

// The charts before any run, as designed: the titles of torque mode, every curve listed without
// points, and unit ranges.
RunCharts ChartsBeforeAnyRun(QChar decimalSeparator);

// The legend name of a curve of an earlier run kept on show to compare with; run counts the runs
// drawn since the charts were last cleared.
QString EarlierCurveName(const CurveData& curve, int run);

} // namespace kinetra
