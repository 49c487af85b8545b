#pragma once

#include <vector>

#include "CascadeModel.h"
#include "TuningCodes.h"

namespace kinetra {

// A loop's stability figures from its open-loop response, with the loops outside it open and the
// loops inside it closed. Frequencies are angular, rad/s. A figure the response does not show
// (no crossover, a phase that never reaches -180 degrees below the sampling's Nyquist frequency)
// is NaN for frequencies and margins in degrees, +infinity for the gain margin.
struct LoopMargins {
    double crossover = 0;      // rad/s, where the open loop's magnitude falls through 0 dB
    double phaseMargin = 0;    // degrees, 180 plus the phase there
    double phaseCrossover = 0; // rad/s, where the phase falls through -180 degrees
    double gainMargin = 0;     // dB, minus the magnitude there
    double bandwidth = 0; // rad/s, where the closed loop falls 3 dB below its low-frequency gain
};

// One loop's open-loop response over the frequencies of its cascade response.
struct LoopResponse {
    Loop loop = Loop::Current;
    std::vector<double> magnitudeDb;
    std::vector<double> phaseDeg; // unwrapped, starting within (-270, 90]
    LoopMargins margins;
};

// Every running loop's response over one frequency grid, innermost loop first. The responses
// are those of the discrete loops as the engine samples them: controller, sensor and converter
// lag in the sampled domain, the plant held over each step.
struct CascadeResponse {
    std::vector<double> frequencies; // rad/s, rising
    std::vector<LoopResponse> loops;

    const LoopResponse* find(Loop loop) const;
};

// A logarithmic grid of pointsPerDecade points a decade from two decades below the slowest
// plant or loop figure of the cascade up to the sampling's Nyquist frequency pi / step.
std::vector<double> ResponseFrequencies(const CascadeModel& cascade, int pointsPerDecade = 50);

// The responses and margins of the cascade's loops as its settings stand.
CascadeResponse CascadeResponseOf(const CascadeModel& cascade,
                                  const std::vector<double>& frequencies);

} // namespace kinetra
