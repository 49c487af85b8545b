#pragma once

namespace kinetra {

// A parameter left at zero was not given; the engine replaces it by a fixed default and writes
// the default back, so that the parameter set holds the values actually simulated.
inline void ReplaceZero(double& value, double replacement)
{
    if (value == 0)
        value = replacement;
}

// The motor classes also treat a value at or below zero as not given.
inline double PositiveOr(double value, double fallback)
{
    return value > 0 ? value : fallback;
}

inline void ReplaceUnlessPositive(double& value, double replacement)
{
    value = PositiveOr(value, replacement);
}

} // namespace kinetra
