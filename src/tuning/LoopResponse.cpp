#include "LoopResponse.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

#include "SampledLoops.h"

namespace kinetra {

namespace {

constexpr double NotShown = std::numeric_limits<double>::quiet_NaN();
constexpr double Degrees = 180 / std::numbers::pi;

// The frequency between two grid points where a figure passes a level, interpolated on the
// logarithmic frequency axis.
double Crossing(const std::vector<double>& frequencies, const std::vector<double>& values,
                std::size_t i, double level)
{
    const double share = (level - values[i - 1]) / (values[i] - values[i - 1]);
    return std::exp(std::log(frequencies[i - 1]) +
                    share * (std::log(frequencies[i]) - std::log(frequencies[i - 1])));
}

double Interpolated(const std::vector<double>& frequencies, const std::vector<double>& values,
                    std::size_t i, double frequency)
{
    const double share = (std::log(frequency) - std::log(frequencies[i - 1])) /
                         (std::log(frequencies[i]) - std::log(frequencies[i - 1]));
    return values[i - 1] + share * (values[i] - values[i - 1]);
}

// The nearest odd multiple of -180 degrees at or below a phase.
double OddMultipleBelow(double phase)
{
    return -180 - 360 * std::floor((-180 - phase) / 360 + 1);
}

LoopMargins MarginsOf(const std::vector<double>& frequencies, const std::vector<double>& magnitude,
                      const std::vector<double>& phase, const std::vector<double>& closedDb)
{
    LoopMargins margins{NotShown, NotShown, NotShown, std::numeric_limits<double>::infinity(),
                        NotShown};
    std::size_t crossed = 0;
    for (std::size_t i = 1; i < frequencies.size(); ++i) {
        if (magnitude[i - 1] >= 0 && magnitude[i] < 0) {
            margins.crossover = Crossing(frequencies, magnitude, i, 0);
            margins.phaseMargin = 180 + Interpolated(frequencies, phase, i, margins.crossover);
            crossed = i;
            break;
        }
    }
    // The gain margin where the phase falls through an odd multiple of -180 degrees past the
    // crossover, or anywhere when the loop never crosses 0 dB.
    for (std::size_t i = std::max<std::size_t>(crossed, 1); i < frequencies.size(); ++i) {
        const double level = OddMultipleBelow(phase[i - 1]);
        if (phase[i] < level) {
            margins.phaseCrossover = Crossing(frequencies, phase, i, level);
            margins.gainMargin = -Interpolated(frequencies, magnitude, i, margins.phaseCrossover);
            break;
        }
    }
    const double threshold = closedDb.front() - 10 * std::log10(2.0);
    for (std::size_t i = 1; i < frequencies.size(); ++i) {
        if (closedDb[i] < threshold) {
            margins.bandwidth = Crossing(frequencies, closedDb, i, threshold);
            break;
        }
    }
    return margins;
}

} // namespace

const LoopResponse* CascadeResponse::find(Loop loop) const
{
    for (const LoopResponse& response : loops) {
        if (response.loop == loop)
            return &response;
    }
    return nullptr;
}

std::vector<double> ResponseFrequencies(const CascadeModel& cascade, int pointsPerDecade)
{
    const DrivePlant& plant = cascade.plant;
    double slowest = std::max(plant.armatureTime(), plant.mechanicalTime());
    for (const LoopSettings& loop : cascade.loops)
        slowest = std::max({slowest, loop.integralTime, loop.sensorTime});
    const double lowest = 0.01 / slowest;
    const double nyquist = std::numbers::pi / plant.timeStep;
    const int count =
        std::max(2, static_cast<int>(std::ceil(std::log10(nyquist / lowest) * pointsPerDecade)));
    std::vector<double> frequencies(count + 1);
    for (int i = 0; i <= count; ++i)
        frequencies[i] = lowest * std::pow(nyquist / lowest, static_cast<double>(i) / count);
    // The last point stays a hair below Nyquist, where the sampled phase is still defined.
    frequencies.back() = nyquist * (1 - 1e-6);
    return frequencies;
}

CascadeResponse CascadeResponseOf(const CascadeModel& cascade,
                                  const std::vector<double>& frequencies)
{
    CascadeResponse response;
    response.frequencies = frequencies;
    const SampledPlant sampled = SamplePlant(cascade.plant);
    std::vector<LoopTransfers> transfers;
    transfers.reserve(frequencies.size());
    for (const double omega : frequencies)
        transfers.push_back(OpenLoops(cascade, sampled, omega));

    for (const LoopSettings& settings : cascade.loops) {
        LoopResponse loop;
        loop.loop = settings.loop;
        std::vector<double> closedDb;
        double previous = 0;
        for (std::size_t i = 0; i < frequencies.size(); ++i) {
            const std::complex<double> open = transfers[i].of(settings.loop);
            loop.magnitudeDb.push_back(20 * std::log10(std::abs(open)));
            closedDb.push_back(20 * std::log10(std::abs(open / (1.0 + open))));
            double phase = std::arg(open) * Degrees;
            if (i == 0) {
                phase -= 360 * std::ceil((phase - 90) / 360);
            } else {
                phase += 360 * std::round((previous - phase) / 360);
            }
            loop.phaseDeg.push_back(phase);
            previous = phase;
        }
        loop.margins = MarginsOf(frequencies, loop.magnitudeDb, loop.phaseDeg, closedDb);
        response.loops.push_back(std::move(loop));
    }
    return response;
}

} // namespace kinetra
