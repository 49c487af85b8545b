#pragma once

#include "SimulationRecord.h"

namespace kinetra {

// The cascade controller: up to three discrete PID loops, position (f), speed (w) and current or
// torque (I or M), outermost first, each behind a first-order sensor, followed by the converter's
// first-order lag. It samples once per integration step and works in extended precision.

// Resets the controller's memory, loop flags and coefficients, then decides whether a controller
// closes the drive: it needs a converter, U0, F0 and a non-zero reference. The outermost loop is
// the outermost one with a non-zero gain; missing inner gains become 1 and sensor and converter
// time constants below one step become one step, all written back into the parameter set.
bool ControllerSetup(SimulationRecord& record);

// One controller step after sample index has been stored: reads the sample as the measured
// values and sets run.supplyVoltage, the voltage the converter applies during the next step.
void ControllerStep(SimulationRecord& record, int index);

} // namespace kinetra
