#pragma once

#include <span>

#include "RunData.h"

namespace kinetra {

// A run that ends without samples (a model time too short for one step) is shown as this many
// samples of the cleared buffer: the drive at rest.
inline constexpr std::int32_t EmptyRunSampleCount = 1000;

// The samples a run shows, 0 to SampleCount - 1; a run without samples shows the drive at rest,
// EmptyRunSampleCount samples of its cleared buffer. A count outside the buffer (negative, or
// more than it holds) is taken within 0..ResultCapacity, so no text ever reads beyond the buffer.
// The run record itself is left as the engine wrote it.
std::span<const ResultSample> ValidSamples(const RunData& run);

// The mechanism's position beside each valid sample (rad), as the position loop integrates it;
// zeros when no position loop ran.
std::span<const double> RecordedPositions(const RunData& run);

// The values a run ends with, those of its last valid sample. A run without samples ends at
// rest, as sample 0 of every run does.
struct FinalValues {
    double speedEnd = 0;   // rad/s, mechanism speed
    double torqueEnd = 0;  // Nm
    double currentEnd = 0; // A
    double motorSpeedEnd = 0; // rad/s
};

FinalValues FinalValuesOf(const RunData& run);

} // namespace kinetra
