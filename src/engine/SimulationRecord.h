#pragma once

#include "ModelParams.h"
#include "RunData.h"

namespace kinetra {

// What one run works on: the parameter set (the engine writes its defaults back into it), the
// run record and the signal series for a variable load or reference. A motor class clears
// circuitDerived when it cannot derive its circuit parameters; the run then counts as failed.
// subSteps fixes the sub-steps each sample is integrated in; at 0 the engine chooses them from
// the drive, as every run outside the tests of its accuracy does.
// Every part of the engine works on it; only the driver in Simulation.h chooses the model and
// runs it.
struct SimulationRecord {
    ModelParams& params;
    RunData& run;
    const SignalSeries& signal;
    bool circuitDerived = true;
    int subSteps = 0;
};

} // namespace kinetra
