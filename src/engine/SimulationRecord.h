#pragma once

#include <string>

#include "ModelParams.h"
#include "RunData.h"

namespace kinetra {

// What one run works on: the parameter set (the engine writes its defaults back into it), the
// run record, the signal series for a variable load or reference, and the caller's error text,
// which a motor class sets to "ERR" when it cannot derive its circuit parameters. Every part of
// the engine works on it; only the driver in Simulation.h chooses the model and runs it.
struct SimulationRecord {
    ModelParams& params;
    RunData& run;
    const SignalSeries& signal;
    std::string& errorText;
};

} // namespace kinetra
