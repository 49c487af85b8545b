#include "RunSamples.h"

#include <algorithm>

namespace kinetra {

std::span<const ResultSample> ValidSamples(const RunData& run)
{
    const std::int32_t shown = run.SampleCount == 0 ? EmptyRunSampleCount : run.SampleCount;
    const auto count = std::clamp(shown, std::int32_t{0}, std::int32_t{ResultCapacity});
    return std::span(run.samples).first(std::size_t(count));
}

std::span<const double> RecordedPositions(const RunData& run)
{
    return std::span(run.positions).first(ValidSamples(run).size());
}

FinalValues FinalValuesOf(const RunData& run)
{
    const std::span<const ResultSample> samples = ValidSamples(run);
    if (samples.empty())
        return {};
    const ResultSample& last = samples.back();
    return {last.mechSpeed, last.torque, last.current, last.motorSpeed};
}

} // namespace kinetra
