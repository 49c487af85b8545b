#pragma once

#include <string_view>

#include "SimulationRecord.h"

namespace kinetra {

// How a run ended: with a result, or why there is none.
enum class RunOutcome {
    Completed,
    NoMotor,            // no motor selected, or a kind outside the lists
    SupplyRefused,      // a servomotor off the transistor converter: see SupplyRefusal
    CircuitNotDerived,  // the motor's circuit parameters cannot be derived from the data given
    FloatingPointFault, // a division by zero, invalid operation or overflow, or a non-finite sample
};

// Runs one simulation.
RunOutcome RunSimulation(SimulationRecord& record);

// Why the drive cannot run on its supply, in the words the program shows (UTF-8); empty when it
// can. A synchronous servomotor neither starts from the mains nor runs on the thyristor
// converter: it needs the transistor converter to orient its stator voltage by the rotor.
std::string_view SupplyRefusal(const ModelParams& params);

} // namespace kinetra
