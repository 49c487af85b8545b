#pragma once

#include <optional>

#include "SimulationRecord.h"

namespace kinetra {

// How a run ended: with a result, or why there is none.
enum class RunOutcome {
    Completed,
    NoMotor,            // no motor selected, or a kind outside the lists
    SupplyRefused,      // a servomotor off the transistor converter: see SupplyRefusalOf
    DataRefused,        // data the motor's model cannot run on: see DataFaultOf
    CircuitNotDerived,  // the motor's circuit parameters cannot be derived from the data given
    FloatingPointFault, // a division by zero, invalid operation or overflow, or a non-finite sample
    // A current, speed or stored energy beyond what the drive can physically reach: the run
    // ended at the first such sample, which RunData::divergence names. The samples up to it
    // show how the run got there; they are no result.
    Diverged,
};

// What makes data unfit for a motor's model, beyond what its defaults mend.
enum class DataFault {
    FractionalPolePairs, // p1 is not a whole number
    FractionalPhases,    // m1 is not a whole number
    NoServoPolePairs,    // a servomotor without p1: its magnet flux follows from the pole pairs
    NonPositiveCircuit,  // a winding's total resistance or inductance, which the model divides
                         // by, is zero or negative
};

// Runs one simulation.
RunOutcome RunSimulation(SimulationRecord& record);

// Why the parameter set is unfit for its motor's model, if it is; read after PrepareRun.
std::optional<DataFault> DataFaultOf(const ModelParams& params);

// Why a drive cannot run on its supply: a synchronous servomotor neither starts from the mains
// nor runs on the thyristor converter; it needs the transistor converter to orient its stator
// voltage by the rotor.
enum class SupplyRefusal {
    ServoOnMains,     // the mains, or no supply chosen
    ServoOnThyristor, // the thyristor converter
};

// The refusal that applies to the drive's motor and supply, if any.
std::optional<SupplyRefusal> SupplyRefusalOf(const ModelParams& params);

} // namespace kinetra
