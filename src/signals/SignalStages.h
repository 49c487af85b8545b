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

// The element as the recursion stage 3 runs at the step h = 1/N:
// y[k - lead] = -a1 y[k-1] - a2 y[k-2] + b0 u[k] + b1 u[k-1] + b2 u[k-2]. Without a dynamic
// denominator a1 = a2 = 0 and the output is written one sample early (lead = 1), which cancels
// the lag of the constant term. A passing element copies its input.
struct DifferenceEquation {
    enum class Form { Recursive, Moving, Passing, Undefined };
    Form form = Form::Passing;
    double b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    int lead = 0;
};
DifferenceEquation DifferenceEquationOf(const FilterCoefficients& coefficients, int sampleCount);

// Stage 3: output from input through the element with the step 1/N (N the input's length).
// Without a dynamic denominator the last sample, which would need the input one sample beyond
// the end, repeats the one before it. Both spans have the same length.
FilterOutcome Filter(const FilterCoefficients& coefficients, std::span<const double> input,
                     std::span<double> output);

} // namespace kinetra
