#pragma once

#include <complex>

#include "CascadeModel.h"

namespace kinetra {

// The plant held over each step, as the engine's controller sees it between two samples:
// state x = (current, motor speed), x[k+1] = A x[k] + B c[k] for a command c held over the step.
struct SampledPlant {
    double A[2][2];
    double B[2];
};

SampledPlant SamplePlant(const DrivePlant& plant);

// The open loops of the cascade at one frequency, in the sampled domain z = exp(j w step): each
// from its loop's error to its sensor's reading, with the loops outside it open and the loops
// inside it closed. A loop that does not run reads 0.
struct LoopTransfers {
    std::complex<double> current;
    std::complex<double> speed;
    std::complex<double> position;

    std::complex<double> of(Loop loop) const;
};

LoopTransfers OpenLoops(const CascadeModel& cascade, const SampledPlant& sampled, double omega);

} // namespace kinetra
