// The signals workbench's three stages on whatever kinds, periods, delays, coefficients and
// lengths the input makes up: no stage writes outside its samples, and the filter never hands
// the engine a sample that is not a finite number within its limit.

#include <array>
#include <cmath>
#include <cstring>

#include "FuzzSupport.h"
#include "SignalStages.h"

namespace {

constexpr std::size_t Capacity = 10000;
constexpr double Guard = 12345.0;

// Reads the input front to back; past its end every value is zero.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    template <typename Value> Value next()
    {
        Value value{};
        const std::size_t count = std::min(sizeof value, m_size - m_used);
        std::memcpy(&value, m_data + m_used, count);
        m_used += count;
        return value;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_used = 0;
};

// The buffer with guard values beyond the n samples a stage may touch.
struct GuardedSeries {
    explicit GuardedSeries(std::size_t n) : n(n) { values.fill(Guard); }
    std::span<double> samples() { return {values.data(), n}; }
    bool guardsIntact() const
    {
        return std::all_of(values.begin() + n, values.end(), [](double v) { return v == Guard; });
    }

    std::size_t n;
    std::array<double, Capacity + 16> values;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kinetra;
    InputReader input(data, size);
    const auto waveform = Waveform(input.next<std::uint8_t>() % WaveformCount);
    const auto channel = ChannelKind(input.next<std::uint8_t>() % ChannelKindCount);
    const std::size_t n = 1 + input.next<std::uint16_t>() % Capacity;
    const double periodicity = input.next<double>();
    const int delay = input.next<std::int32_t>();
    const auto seed = input.next<std::uint32_t>();
    FilterCoefficients coefficients;
    for (double* coefficient : {&coefficients.T1, &coefficients.T2, &coefficients.K1,
                                &coefficients.T3, &coefficients.T4, &coefficients.K2})
        *coefficient = input.next<double>();

    GuardedSeries generated(n), transmitted(n), filtered(n);
    Generate(waveform, PeriodInSamples(periodicity, int(n)), generated.samples(), seed);
    Transmit(channel, delay, generated.samples(), transmitted.samples());
    std::fill_n(filtered.values.begin(), n, 0.0);
    Filter(coefficients, transmitted.samples(), filtered.samples());

    for (const GuardedSeries* series : {&generated, &transmitted, &filtered})
        fuzz::Check(series->guardsIntact());
    for (double sample : filtered.samples())
        fuzz::Check(std::isfinite(sample) && std::fabs(sample) <= FilterOutputLimit);
    return 0;
}
