#pragma once

#include "ModelParams.h"
#include "RunData.h"

// Minimal hand-inlined loops of the engine's algorithm for the three benchmark drives: one
// function each, every switch the drive sets resolved by hand, the state in locals. Each takes
// the parameter set and run record as a run of the engine on the drive left them, reads from
// them only what the run's preparation derived (the run quantities, the controller's
// coefficients, the defaulted parameters), and writes its own samples into samples, with the
// same arithmetic in the same order and precision as the engine. Like the engine, each clears
// the whole buffer first and rejects a result that is not finite; they return the sample count,
// or 0 for such a result.
namespace hand {

int ThyristorCascade(const kinetra::ModelParams& params, const kinetra::RunData& prepared,
                     kinetra::RunData& out);
int InductionElastic(const kinetra::ModelParams& params, const kinetra::RunData& prepared,
                     kinetra::RunData& out);
int InductionControlled(const kinetra::ModelParams& params, const kinetra::RunData& prepared,
                        kinetra::RunData& out);

} // namespace hand
