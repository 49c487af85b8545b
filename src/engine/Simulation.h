#pragma once

#include "SimulationRecord.h"
#include "StaticCharacteristic.h"

namespace kinetra {

// Runs one simulation. False when no model applies (no motor, the servomotor) or the run met a
// floating-point division by zero, invalid operation or overflow. True still counts as a failure
// when errorText is not empty afterwards.
bool RunSimulation(SimulationRecord& record);

} // namespace kinetra
