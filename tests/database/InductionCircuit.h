#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace kinetra::test {

// The steady state of the induction motor as the engine simulates it on a sinusoidal supply: the
// T-circuit per phase at 50 Hz with the magnetising reactance 0.5 * m1 * X12 (the engine's
// magnetising inductance), m1 = 3 phases. The engine's current is the length of the stator current
// vector, sqrt(2) times the circuit's rms current.
struct InductionCircuit {
    double U = 0;
    double R1 = 0;
    double X1 = 0;
    double R2 = 0;
    double X2 = 0;
    double X12 = 0;
    int p1 = 1;

    static constexpr double Phases = 3;

    double syncSpeed() const { return 2 * std::numbers::pi * 50 / p1; }

    struct Point {
        double torque;  // N m
        double current; // rms stator current, A
    };

    Point at(double slip) const
    {
        using namespace std::complex_literals;
        const std::complex<double> rotor(R2 / slip, X2);
        const std::complex<double> magnetising = 0.5 * Phases * X12 * 1i;
        const std::complex<double> stator =
            U / (std::complex<double>(R1, X1) + rotor * magnetising / (rotor + magnetising));
        const double rotorCurrent = std::abs(stator * magnetising / (rotor + magnetising));
        return {Phases * rotorCurrent * rotorCurrent * R2 / slip / syncSpeed(), std::abs(stator)};
    }

    // The largest torque over the slips from 0 to 1, by golden-section search on a curve with
    // one maximum.
    double maximumTorque() const
    {
        const double ratio = (std::sqrt(5.0) - 1) / 2;
        double low = 1e-4;
        double high = 1;
        for (int i = 0; i < 100; ++i) {
            const double a = high - ratio * (high - low);
            const double b = low + ratio * (high - low);
            if (at(a).torque < at(b).torque)
                low = a;
            else
                high = b;
        }
        return at((low + high) / 2).torque;
    }
};

} // namespace kinetra::test
