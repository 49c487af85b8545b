#pragma once

#include "SimulationRecord.h"

namespace kinetra {

// How a run ended: with a result, or why there is none.
enum class RunOutcome {
    Completed,
    NoMotor,            // no motor selected, or a kind outside the lists
    NoServomotorModel,  // the servomotor has no model
    CircuitNotDerived,  // the motor's circuit parameters cannot be derived from the data given
    FloatingPointFault, // a division by zero, invalid operation or overflow, or a non-finite sample
};

// Runs one simulation.
RunOutcome RunSimulation(SimulationRecord& record);

} // namespace kinetra
