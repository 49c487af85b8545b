#pragma once

#include <optional>
#include <span>

#include "DataRange.h"
#include "ModelParams.h"
#include "RunData.h"
#include "StaticCharacteristic.h"

namespace kinetra {

// The limit a speed loop with a current loop beneath it puts on its loop quantity (Imax), as a
// line the dynamics chart draws: on the side where the quantity peaks, in the unit of the
// quantity, which is the torque under a torque reference and the current otherwise. None under a
// position loop: its chart gives the axis beside the speed to the position, and the report's
// half page has no room to name more curves.
struct LoopLimitLine {
    bool torque = false;
    double level = 0;
};
std::optional<LoopLimitLine> LoopLimitLineOf(const RunData& run, const ModelParams& params);

// The data ranges of the results window's chart axes, over every point its series hold.
// The motor speed series receives its points in every run but is shown only after a run with an
// elastic transmission, and only a shown series counts for the right axis; so its range is kept
// apart and joined in when the axis is read.
struct ChartRanges {
    DataRange dynamicsTime;       // bottom axis: the sample times
    DataRange dynamicsLeft;       // left axis: torque in torque mode, current in current mode
    DataRange mechanismSpeed;     // right axis
    DataRange motorSpeed;         // right axis while motorSpeedShown
    bool motorSpeedShown = false; // set by the latest run's transmission
    DataRange position;           // position axis: the mechanism's position and its limit
    bool positionShown = false;   // set by the latest run's position loop
    // The loop limit's line, on the left axis when that shows the limited quantity, otherwise on
    // an axis of its own beside the limited quantity's curve. Neither counts for the summary's
    // extremes.
    DataRange loopLimit;
    DataRange limitedQuantity;
    bool limitedShown = false;    // set by the latest run: the limited quantity has its own axis
    DataRange staticsX;           // the static characteristic's current or torque
    DataRange staticsY;           // the static characteristic's motor speed

    // The right axis: the mechanism speed, and the motor speed when its series is shown.
    [[nodiscard]] DataRange dynamicsRight() const;

    // These ranges once a later run has been drawn over the same charts without clearing them.
    void mergeLater(const ChartRanges& later);
};

// The ranges of one run drawn on cleared charts: the valid samples of the run with the modes of
// params, and the static characteristic's points, its invisible first point included.
ChartRanges ChartRangesOfRun(const RunData& run, const ModelParams& params,
                             std::span<const StaticPoint> statics);

// What a value axis shows of its data: the data with room beyond each end, so no curve runs
// along the chart's frame where it could not be told from it; an end at zero with all the data
// on one side stays at zero, where a quantity that starts from rest begins.
struct AxisSpan {
    double minimum = 0;
    double maximum = 1;
};
AxisSpan WithHeadroom(const DataRange& data);

// Lines up the zeros of the axes drawn beside each other on one chart, among those whose span
// holds zero, so a curve crossing zero on one axis crosses the other's zero at the same height.
// The spans only grow: the zero goes as high as the highest of them stands, lowering the others'
// bottoms.
void AlignZeros(std::span<AxisSpan* const> spans);

} // namespace kinetra
