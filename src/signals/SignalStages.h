#pragma once

#include <cstdint>
#include <span>

namespace kinetra {

// The three stages of the signals workbench as functions on plain arrays: each works on the
// samples its spans hold (0..N-1) and never touches anything beyond them.

enum class Waveform { Constant, Stepped, Pulse, Square, Linear, Triangle, Harmonic, Random };
inline constexpr int WaveformCount = 8;

// The period in samples for a periodicity of x periods within n samples: n / x, or n when x is
// not positive. Not rounded.
double PeriodInSamples(double periodicity, int sampleCount);

struct GenerationOutcome {
    // The first sample a too short period left unwritten (set to 0.0); -1 when all are written.
    int stalledAt = -1;
};

// Stage 1: fills samples with the waveform of the given period. The random waveform draws from
// a generator seeded with seed.
GenerationOutcome Generate(Waveform waveform, double period, std::span<double> samples,
                           std::uint32_t seed);

enum class ChannelKind { Pass, Delay, Friction };
inline constexpr int ChannelKindCount = 3;

// Stage 2: output is the input passed through the channel with a delay or friction zone of
// delay samples; a negative delay counts as none. Both spans have the same length.
void Transmit(ChannelKind kind, int delay, std::span<const double> input, std::span<double> output);

// The element (T1 p² + T2 p + K1) / (T3 p² + T4 p + K2), time constants in units of the whole
// buffer.
struct FilterCoefficients {
    double T1 = 0, T2 = 0, K1 = 0, T3 = 0, T4 = 0, K2 = 0;
};

// The largest output magnitude the filter hands on; beyond it the element counts as run away.
inline constexpr double FilterOutputLimit = 1e9;

struct FilterOutcome {
    enum class Fault {
        None,
        Undefined, // the difference equation divides by zero or overflows in its coefficients
        RunAway,   // the output left the limit or stopped being a number
    };
    Fault fault = Fault::None;
    int cutAt = -1; // the first sample set to 0.0 instead of computed; -1 without a fault
};

// Stage 3: output from input through the element with the step 1/N (N the input's length).
// Samples the difference equation does not reach keep their contents. Both spans have the
// same length.
FilterOutcome Filter(const FilterCoefficients& coefficients, std::span<const double> input,
                     std::span<double> output);

} // namespace kinetra
