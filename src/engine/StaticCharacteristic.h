#pragma once

#include <vector>

#include "ModelParams.h"
#include "RunData.h"

namespace kinetra {

// One point of the static mechanical characteristic: x is the motor current (A) or, under torque
// control, the torque (Nm); y is the motor speed (rad/s). A white point is drawn invisibly.
struct StaticPoint {
    double x = 0;
    double y = 0;
    bool white = false;
};

// The static characteristic of the drive as the last successful run left it; empty when it is
// undefined (no armature resistance, or no current range to draw).
std::vector<StaticPoint> StaticCharacteristic(const ModelParams& params, const RunData& run);

} // namespace kinetra
