#include "SignalStages.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <random>

namespace kinetra {

namespace {

// The counter-driven waveforms: runs of samples, each run lasting while a phase counter stays
// below its bound; the count that ends a run is spent, and a cycle of runs restarts the counter
// at the ending count less the cycle length.
class CounterWriter {
public:
    CounterWriter(std::span<double> samples, std::size_t firstIndex)
        : m_samples(samples), m_index(firstIndex)
    {
    }

    bool full() const { return m_index >= m_samples.size(); }
    std::size_t index() const { return m_index; }
    long long counter() const { return m_counter; }

    // One run; nullopt when the last sample was written before the run ended.
    template <typename Value> std::optional<long long> run(double bound, Value value)
    {
        for (;;) {
            const long long t = m_counter++;
            if (static_cast<double>(t) >= bound)
                return t;
            if (full())
                return std::nullopt;
            m_samples[m_index] = value(m_index);
            if (++m_index == m_samples.size())
                return std::nullopt;
        }
    }

    void restart(long long ending, double cycleLength)
    {
        m_counter = static_cast<long long>(std::trunc(static_cast<double>(ending) - cycleLength));
    }

private:
    std::span<double> m_samples;
    std::size_t m_index;
    long long m_counter = 0;
};

// Repeats the cycle until the samples are full. A cycle that writes nothing and does not bring
// the counter back below where it started would repeat for ever: the period is shorter than the
// waveform can show, and the samples left are set to 0.0.
template <typename Cycle>
GenerationOutcome RunCycles(std::span<double> samples, std::size_t firstIndex, Cycle cycle)
{
    CounterWriter writer(samples, firstIndex);
    while (!writer.full()) {
        const std::size_t startIndex = writer.index();
        const long long startCounter = writer.counter();
        if (!cycle(writer))
            break;
        if (writer.index() == startIndex && writer.counter() >= startCounter) {
            std::fill(samples.begin() + static_cast<std::ptrdiff_t>(startIndex), samples.end(),
                      0.0);
            return {static_cast<int>(startIndex)};
        }
    }
    return {};
}

GenerationOutcome Stepped(std::span<double> samples, double period)
{
    return RunCycles(samples, 0, [period](CounterWriter& writer) {
        if (!writer.run(period / 2, [](std::size_t) { return 1.0; }))
            return false;
        const auto ending = writer.run(period, [](std::size_t) { return 0.0; });
        if (!ending)
            return false;
        writer.restart(*ending, period);
        return true;
    });
}

GenerationOutcome Pulse(std::span<double> samples, double period)
{
    return RunCycles(samples, 0, [period](CounterWriter& writer) {
        if (!writer.run(2, [](std::size_t) { return 1.0; }))
            return false;
        const auto ending = writer.run(period - 2, [](std::size_t) { return 0.0; });
        if (!ending)
            return false;
        writer.restart(*ending, period);
        return true;
    });
}

GenerationOutcome Square(std::span<double> samples, double period)
{
    double level = 1.0;
    return RunCycles(samples, 0, [period, &level](CounterWriter& writer) {
        const auto ending = writer.run(period / 2, [level](std::size_t) { return level; });
        if (!ending)
            return false;
        level = -level;
        writer.restart(*ending, period / 2);
        return true;
    });
}

GenerationOutcome Triangle(std::span<double> samples, double period)
{
    // Every sample grows from the one before it; sample 0 stays as it is.
    if (samples.size() < 2)
        return {};
    double level = 1.0;
    return RunCycles(samples, 1, [period, &level, samples](CounterWriter& writer) {
        const double step = 4 * level / period;
        if (!writer.run(period / 4,
                        [samples, step](std::size_t i) { return samples[i - 1] + step; }))
            return false;
        const auto ending = writer.run(
            period / 2, [samples, step](std::size_t i) { return samples[i - 1] - step; });
        if (!ending)
            return false;
        level = -level;
        writer.restart(*ending, period / 2);
        return true;
    });
}

void Linear(std::span<double> samples, double period)
{
    const double step = 2 / period;
    double latest = 0.0;
    samples[0] = latest;
    for (std::size_t k = 1; k < samples.size(); ++k) {
        if (latest < 1.0)
            latest += step;
        samples[k] = latest;
    }
}

void Harmonic(std::span<double> samples, double period)
{
    samples[0] = 0.0;
    for (std::size_t k = 1; k < samples.size(); ++k)
        samples[k] = std::sin(2 * std::numbers::pi * static_cast<double>(k - 1) / period);
}

void Random(std::span<double> samples, std::uint32_t seed)
{
    std::minstd_rand generator(seed);
    for (double& sample : samples)
        sample = static_cast<double>(generator() % 100) * 0.01;
}

} // namespace

double PeriodInSamples(double periodicity, int sampleCount)
{
    return periodicity > 0 ? sampleCount / periodicity : sampleCount;
}

GenerationOutcome Generate(Waveform waveform, double period, std::span<double> samples,
                           std::uint32_t seed)
{
    if (samples.empty())
        return {};
    samples[0] = 0.0;
    switch (waveform) {
    case Waveform::Constant:
        std::fill(samples.begin() + 1, samples.end(), 1.0);
        return {};
    case Waveform::Stepped:
        return Stepped(samples, period);
    case Waveform::Pulse:
        return Pulse(samples, period);
    case Waveform::Square:
        return Square(samples, period);
    case Waveform::Linear:
        Linear(samples, period);
        return {};
    case Waveform::Triangle:
        return Triangle(samples, period);
    case Waveform::Harmonic:
        Harmonic(samples, period);
        return {};
    case Waveform::Random:
        Random(samples, seed);
        return {};
    }
    return {};
}

void Transmit(ChannelKind kind, int delay, std::span<const double> input, std::span<double> output)
{
    const std::size_t n = std::min(input.size(), output.size());
    std::copy_n(input.begin(), n, output.begin());
    const std::size_t d = static_cast<std::size_t>(std::max(delay, 0));
    if (kind == ChannelKind::Pass)
        return;
    if (kind == ChannelKind::Delay) {
        for (std::size_t i = 0; i < n; ++i)
            output[i] = i < d ? 0.0 : input[i - d];
        return;
    }
    // Friction and hysteresis: nothing passes near a change of sign, a growing magnitude lags
    // and a shrinking one leads by d samples; the last d samples have nothing to lead to.
    const std::size_t end = d < n ? n - d : 0;
    for (std::size_t i = 0; i < end; ++i) {
        if (i < d) {
            output[i] = 0.0;
            continue;
        }
        const double x = input[i];
        const double behind = input[i - d];
        const double ahead = input[i + d];
        if ((x > 0 && (behind <= 0 || ahead <= 0)) || (x < 0 && (behind >= 0 || ahead >= 0))) {
            output[i] = 0.0;
            continue;
        }
        // The first sample has no predecessor; with d = 0 every rule copies it anyway.
        if (i == 0)
            continue;
        const double previous = input[i - 1];
        if ((x > previous && x >= 0) || (x < previous && x <= 0))
            output[i] = behind;
        if ((x < previous && x >= 0) || (x > previous && x <= 0))
            output[i] = ahead;
    }
    std::fill(output.begin() + static_cast<std::ptrdiff_t>(end),
              output.begin() + static_cast<std::ptrdiff_t>(n), 0.0);
}

namespace {

bool Tame(double value)
{
    return std::abs(value) <= FilterOutputLimit; // false for NaN as well
}

FilterOutcome CutFrom(std::span<double> output, std::size_t from, std::size_t end,
                      FilterOutcome::Fault fault)
{
    std::fill(output.begin() + static_cast<std::ptrdiff_t>(from),
              output.begin() + static_cast<std::ptrdiff_t>(end), 0.0);
    return {fault, static_cast<int>(from)};
}

} // namespace

DifferenceEquation DifferenceEquationOf(const FilterCoefficients& c, int sampleCount)
{
    DifferenceEquation e;
    const bool dynamic = c.T3 != 0 || c.T4 != 0;
    if (!dynamic && c.K2 == 0 && c.T2 == 0)
        return e;
    const double h = 1.0 / static_cast<double>(sampleCount);
    const double d = dynamic ? c.T3 + h * c.T4 : (c.K2 != 0 ? c.K2 * h * h : h * h);
    e.form = dynamic ? DifferenceEquation::Form::Recursive : DifferenceEquation::Form::Moving;
    e.lead = dynamic ? 0 : 1;
    e.b0 = (c.T1 + h * c.T2) / d;
    e.b1 = (c.K1 * h * h - h * c.T2 - 2 * c.T1) / d;
    e.b2 = c.T1 / d;
    e.a1 = dynamic ? (c.K2 * h * h - h * c.T4 - 2 * c.T3) / d : 0.0;
    e.a2 = dynamic ? c.T3 / d : 0.0;
    if (d == 0 || !std::isfinite(e.b0) || !std::isfinite(e.b1) || !std::isfinite(e.b2) ||
        !std::isfinite(e.a1) || !std::isfinite(e.a2))
        e.form = DifferenceEquation::Form::Undefined;
    return e;
}

FilterOutcome Filter(const FilterCoefficients& c, std::span<const double> u, std::span<double> y)
{
    const std::size_t n = std::min(u.size(), y.size());
    for (std::size_t k = 0; k < std::min<std::size_t>(n, 2); ++k)
        y[k] = 0.0;
    if (n < 3)
        return {};

    const DifferenceEquation e = DifferenceEquationOf(c, static_cast<int>(n));
    if (e.form == DifferenceEquation::Form::Passing) {
        // Passed on unchanged, yet a ramp of a tiny period can reach beyond the limit as well.
        for (std::size_t k = 2; k < n; ++k) {
            if (!Tame(u[k]))
                return CutFrom(y, k, n, FilterOutcome::Fault::RunAway);
            y[k] = u[k];
        }
        return {};
    }
    const bool dynamic = e.form == DifferenceEquation::Form::Recursive ||
                         (e.form == DifferenceEquation::Form::Undefined && e.lead == 0);
    const std::size_t first = dynamic ? 2 : 1;
    if (e.form == DifferenceEquation::Form::Undefined)
        return CutFrom(y, first, n, FilterOutcome::Fault::Undefined);

    if (dynamic) {
        for (std::size_t k = 2; k < n; ++k) {
            const double value = -e.a1 * y[k - 1] - e.a2 * y[k - 2] + e.b0 * u[k] +
                                 e.b1 * u[k - 1] + e.b2 * u[k - 2];
            if (!Tame(value))
                return CutFrom(y, k, n, FilterOutcome::Fault::RunAway);
            y[k] = value;
        }
        return {};
    }
    for (std::size_t k = 2; k < n; ++k) {
        const double value = e.b0 * u[k] + e.b1 * u[k - 1] + e.b2 * u[k - 2];
        if (!Tame(value))
            return CutFrom(y, k - 1, n, FilterOutcome::Fault::RunAway);
        y[k - 1] = value;
    }
    // The last sample would need the input beyond the end: it holds, never keeps a leftover.
    y[n - 1] = y[n - 2];
    return {};
}

} // namespace kinetra
