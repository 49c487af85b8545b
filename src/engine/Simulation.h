#pragma once

#include <string>
#include <vector>

#include "ModelParams.h"
#include "RunData.h"

namespace kinetra {

// What one run works on: the parameter set (the engine writes its defaults back into it), the
// run record, the signal series for a variable load or reference, and the caller's error text,
// which a motor class sets to "ERR" when it cannot derive its circuit parameters.
struct SimulationRecord {
    ModelParams& params;
    RunData& run;
    const SignalSeries& signal;
    std::string& errorText;
};

// Runs one simulation. False when no model applies (no motor, the servomotor) or the run met a
// floating-point division by zero, invalid operation or overflow. True still counts as a failure
// when errorText is not empty afterwards.
bool RunSimulation(SimulationRecord& record);

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
