#pragma once

#include <cstdint>

#include "SimulationRecord.h"

namespace kinetra {

// How the mechanism's torque evolves over a run.
enum class LoadKind : std::int32_t {
    Constant = 0, // the mechanism's torque as given
    Variable = 1, // the mechanism's torque shaped by the signal series, element i at step i
};

// The load block of a motor: its kind and the load torque referred to the motor shaft at the
// current step, Nm.
struct Load {
    LoadKind kind = LoadKind::Constant;
    double actual = 0;
};

// Sets load.actual for step index from the speed state (electrical rad/s) of the previous step.
// index lies within the signal series.
void LoadTorque(Load& load, double speed, int index, const SimulationRecord& record);

// The load torque at a speed state. The gear's backlash gi is a dead band on the speed without
// torque; outside it a reactive load opposes the motion, an active load (ActiveLoad) keeps
// pulling the same way when the drive turns backwards.
double LoadConstant(double speed, const SimulationRecord& record);

// The load torque of LoadConstant scaled by element index of the signal series.
double LoadVariable(double speed, int index, const SimulationRecord& record);

} // namespace kinetra
