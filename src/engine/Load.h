#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "SimulationRecord.h"

namespace kinetra {

// How the mechanism's torque evolves over a run.
enum class LoadKind : std::int32_t {
    Constant = 0, // the mechanism's torque as given
    Variable = 1, // the mechanism's torque shaped by the signal series, element i at sample i
};

// The load block of a motor: its kind and the load torque referred to the motor shaft at the
// latest evaluation of the drive's rates, Nm.
struct Load {
    LoadKind kind = LoadKind::Constant;
    double actual = 0;
};

// The load torque at the motor shaft during one sample: its magnitude (shaped by the signal for a
// variable load), the gear's backlash as a dead band on the speed state, and whether it is
// reactive (friction, which opposes the motion) or active (a weight, which keeps its sign).
struct LoadLaw {
    double torque = 0;
    double deadBand = 0;
    bool reactive = true;
};

// The load law of sample index: the mechanism's torque referred to the motor shaft, for a
// variable load scaled by element index of the signal series. index lies within the series.
LoadLaw LoadLawOf(LoadKind kind, int index, const SimulationRecord& record);

// The load torque at a speed state (electrical rad/s). Within the backlash there is none. An
// active load keeps pulling the same way at any speed. A reactive load opposes the motion; at rest
// it holds the shaft against the driving torque up to its own magnitude and gives way beyond it,
// so that friction never drives a mechanism backwards.
[[gnu::always_inline]] inline double LoadAt(const LoadLaw& law, double speed, double drivingTorque)
{
    if (std::abs(speed) < law.deadBand)
        return 0;
    if (!law.reactive)
        return law.torque;
    if (speed < -law.deadBand)
        return -law.torque;
    if (speed != 0)
        return law.torque;
    const double holding = std::abs(law.torque);
    return std::clamp(drivingTorque, -holding, holding);
}

// True when the load can hold the drive at rest: friction without backlash.
inline bool HoldsAtRest(const LoadLaw& law)
{
    return law.reactive && !(law.deadBand > 0) && law.torque != 0;
}

} // namespace kinetra
