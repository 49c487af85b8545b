#include "ChartZoom.h"

#include <cmath>

namespace kinetra {

namespace {

constexpr double NotchFactor = 0.8;
constexpr double EighthsPerNotch = 120;

} // namespace

AxisSpan ZoomAbout(AxisSpan span, double at, double factor)
{
    return {at - (at - span.minimum) * factor, at + (span.maximum - at) * factor};
}

double WheelZoomFactor(int angleDelta)
{
    return std::pow(NotchFactor, angleDelta / EighthsPerNotch);
}

} // namespace kinetra
