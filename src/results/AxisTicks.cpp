#include "AxisTicks.h"

#include <algorithm>
#include <cmath>

namespace kinetra {

double RoundTickStep(double span, int mostSteps)
{
    if (!(span > 0) || !std::isfinite(span) || mostSteps < 1)
        return 1;
    const double least = span / mostSteps;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (const double mantissa : {1.0, 2.0, 5.0, 10.0})
        // A hair of tolerance, so that a span of exactly mostSteps steps takes that step.
        if (mantissa * power >= least * (1 - 1e-9))
            return mantissa * power;
    return 10 * power;
}

int TickDecimals(double step)
{
    return std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
}

std::vector<double> TicksWithEnds(double minimum, double maximum, int mostSteps)
{
    if (!(maximum > minimum))
        return {minimum};
    const double step = RoundTickStep(maximum - minimum, mostSteps);
    std::vector<double> ticks{minimum};
    for (double k = std::ceil(minimum / step); k * step < maximum; ++k) {
        const double tick = k * step;
        if (tick - minimum >= step / 2 && maximum - tick >= step / 2)
            ticks.push_back(tick);
    }
    ticks.push_back(maximum);
    return ticks;
}

} // namespace kinetra
