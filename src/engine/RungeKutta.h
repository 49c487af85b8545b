#pragma once

#include <array>
#include <cstddef>

namespace kinetra {

// One step of the classical fourth-order Runge-Kutta method over a step h. evaluate(Y, D) writes
// the rates of the trial state Y into D and may limit Y in place; D keeps its contents between
// evaluations, so an evaluation that leaves a rate alone passes the previous one on. Unrolled,
// inlined and working on local copies, a step keeps its arrays in registers.
template <std::size_t N, typename Evaluate>
[[gnu::always_inline]] inline void RungeKuttaStep(double h, std::array<double, N>& state,
                                                  std::array<double, N>& rates, Evaluate&& evaluate)
{
    using State = std::array<double, N>;
    State X = state;
    State D = rates;
    State Y = X;
    State A;
    evaluate(Y, D);
#pragma GCC unroll 8
    for (std::size_t j = 0; j < N; ++j) {
        const double k = h * D[j];
        A[j] = k;
        Y[j] = X[j] + k / 2;
    }
    evaluate(Y, D);
#pragma GCC unroll 8
    for (std::size_t j = 0; j < N; ++j) {
        const double k = h * D[j];
        A[j] = A[j] + 2 * k;
        Y[j] = X[j] + k / 2;
    }
    evaluate(Y, D);
#pragma GCC unroll 8
    for (std::size_t j = 0; j < N; ++j) {
        const double k = h * D[j];
        A[j] = A[j] + 2 * k;
        Y[j] = X[j] + k;
    }
    evaluate(Y, D);
#pragma GCC unroll 8
    for (std::size_t j = 0; j < N; ++j) {
        const double k = h * D[j];
        X[j] = (A[j] + k) / 6 + X[j];
    }
    state = X;
    rates = D;
}

} // namespace kinetra
