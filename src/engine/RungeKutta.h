#pragma once

#include <array>
#include <cstddef>

namespace kinetra {

// One step of the classical fourth-order Runge-Kutta method over a step h. evaluate(fraction, Y,
// D) writes the rates of the trial state Y into D, where fraction (0, 1/2 or 1) says how far
// into the step the stage lies, so that a system driven by inputs that change with time sees
// them at the stage's own time; it may limit Y in place. D keeps its contents between
// evaluations, so an evaluation that leaves a rate alone passes the previous one on. Unrolled,
// inlined and working on local copies, a step keeps its arrays in registers.
template <std::size_t N, typename Evaluate>
[[gnu::always_inline]] inline void RungeKuttaStep(double h, std::array<double, N>& state,
                                                  std::array<double, N>& rates, Evaluate&& evaluate)
{
    using State = std::array<double, N>;
    const State X = state;
    State D = rates;
    State Y = X;
    // The weighted sum of the stages' increments. Minus zero plus any number is that number bit
    // for bit, so the first stage's sum is its increment exactly.
    State A;
    A.fill(-0.0);
    // A trial stage: the rates at Y, their increment weighed into the sum, and the next trial
    // state a fraction of the increment ahead of the step's start.
    const auto stage = [&](double time, double weight, double fraction)
        __attribute__((always_inline))
    {
        evaluate(time, Y, D);
#pragma GCC unroll 12
        for (std::size_t j = 0; j < N; ++j) {
            const double k = h * D[j];
            A[j] = A[j] + weight * k;
            Y[j] = X[j] + fraction * k;
        }
    };
    stage(0, 1, 0.5);
    stage(0.5, 2, 0.5);
    stage(0.5, 2, 1);
    evaluate(1.0, Y, D);
#pragma GCC unroll 12
    for (std::size_t j = 0; j < N; ++j)
        state[j] = (A[j] + h * D[j]) / 6 + X[j];
    rates = D;
}

} // namespace kinetra
