#pragma once

#include "SimulationRecord.h"

namespace kinetra {

// Fills the run-wide defaults into the parameter set (U, m0, ii, ni, J) and derives the run
// quantities every model reads: supply voltage and frequency, the load, inertia, stiffness and
// damping referred to the motor shaft, the converter gain, the thyristor pulse geometry and the
// time step.
void PrepareRun(SimulationRecord& record);

} // namespace kinetra
