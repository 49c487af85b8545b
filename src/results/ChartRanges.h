#pragma once

#include <span>

#include "DataRange.h"
#include "ModelParams.h"
#include "RunData.h"
#include "StaticCharacteristic.h"

namespace kinetra {

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

} // namespace kinetra
