#pragma once

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <ostream>

#include <QString>

#include "RunData.h"

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace kinetra::test {

// Tolerance for values that pass through the analysis unchanged.
inline constexpr double Exact = 1e-12;

// A run record holding the given samples; on the heap, as its buffer is too large for a stack.
inline std::unique_ptr<RunData> RunWithSamples(std::initializer_list<ResultSample> samples)
{
    auto run = std::make_unique<RunData>();
    std::copy(samples.begin(), samples.end(), run->samples.begin());
    run->SampleCount = std::int32_t(samples.size());
    return run;
}

// A run record of count samples at the given time step, all other fields zero.
inline std::unique_ptr<RunData> RunOfLength(std::int32_t count, double timeStep)
{
    auto run = std::make_unique<RunData>();
    for (std::int32_t i = 0; i < count; ++i)
        run->samples[std::size_t(i)].time = i * timeStep;
    run->SampleCount = count;
    return run;
}

} // namespace kinetra::test
