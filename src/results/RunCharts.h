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
};

// The axis a curve is drawn against: the left one, the right one, or on the dynamics chart of a
// positioning drive the position axis, outside the right one.
enum class CurveAxis { Left, Right, Position };

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

// The charts of a run: its samples in the modes of params, its static characteristic without the
// invisible start point, under the axes of ranges (which may include earlier runs kept on show).
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
