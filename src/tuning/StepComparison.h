#pragma once

#include <vector>

#include "CascadeModel.h"
#include "ModelParams.h"
#include "TuningCodes.h"

namespace kinetra {

// The closed-loop step of one loop in the linear model, with the loops outside it open and the
// loops inside it closed, no limit and no load: the loop's reading (current or torque, mechanism
// speed, position) at each step from 0 to steps, after a unit step of its reference at step 0.
std::vector<double> LinearLoopStep(const CascadeModel& cascade, Loop loop, int steps);

// The linear model checked against the engine: the outermost loop's reference stepped to 1 % of
// the model's reference, without load and without the position limit, run by the linear model
// and by the engine. A position loop's reference is a ramp at the speed wref, so for it, as for
// the speed loop, the mechanism's speed is compared; the current loop compares its reading.
struct StepComparison {
    Loop loop = Loop::Current;  // the outermost loop
    double reference = 0;       // the reference step, in the loop's reference units
    std::vector<double> time;   // s, one point a step
    std::vector<double> linear; // the loop's reading in the linear model
    std::vector<double> engine; // the same reading in the engine's run
    double settlingTime = 0;    // s, when the linear step first stays within 2 % of its end
    // The largest difference of the two up to the settling time (at least 20 steps), relative to
    // the linear step's final value.
    double deviation = 0;
    std::vector<Caveat> caveats; // the cascade's, and LimitReached, LargeDeviation as they apply
};

// Runs the comparison. The engine runs a copy of the collected set; an engine run that fails
// leaves engine empty and deviation NaN.
StepComparison CompareStep(const ModelParams& collected, const CascadeModel& cascade);

} // namespace kinetra
