#pragma once

namespace kinetra {

// What the motor classes assume for a value not given (at or below zero): an inductance of 1 mH
// (or a reactance of 1 milliohm), a resistance of 1 ohm, a voltage of 100 V and a speed of
// 100 rad/s.
inline constexpr double DefaultInductance = 0.001;
inline constexpr double DefaultResistance = 1;
inline constexpr double DefaultVoltage = 100;
inline constexpr double DefaultSpeed = 100;

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
