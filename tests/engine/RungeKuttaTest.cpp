#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "RungeKutta.h"

namespace kinetra::test {
namespace {

using Pair = std::array<double, 2>;

struct Equation {
    const char* name;
    void (*rates)(Pair& y, Pair& d);
    double (*exact)(double t); // of the first component, from y(0) = (1, 0)
};

// The first component's error at t = 1 after n steps.
double ErrorAfter(const Equation& equation, int n)
{
    Pair state{1, 0};
    Pair rates{};
    for (int i = 0; i < n; ++i)
        RungeKuttaStep(1.0 / n, state, rates, equation.rates);
    return std::fabs(state[0] - equation.exact(1));
}

// Equations with a closed-form answer, the time unknown to the step as in the drive: halving the
// step must cut the error sixteenfold. A wrong stage weight still converges, but more slowly.
TEST(RungeKuttaStep, ErrorFallsWithTheFourthPowerOfTheStep)
{
    const Equation equations[] = {
        {"growth y' = y",
         [](Pair& y, Pair& d) {
             d = {y[0], 0};
         },
         [](double t) { return std::exp(t); }},
        {"oscillator y'' = -y",
         [](Pair& y, Pair& d) {
             d = {y[1], -y[0]};
         },
         [](double t) { return std::cos(t); }},
        {"damped y'' = -2y' - 2y",
         [](Pair& y, Pair& d) {
             d = {y[1], -2 * y[1] - 2 * y[0]};
         },
         [](double t) { return std::exp(-t) * (std::cos(t) + std::sin(t)); }},
    };
    for (const Equation& equation : equations) {
        for (const int n : {10, 20, 40}) {
            const double ratio = ErrorAfter(equation, n) / ErrorAfter(equation, 2 * n);
            EXPECT_NEAR(ratio, 16, 1.5) << equation.name << ", " << n << " steps";
        }
    }
}

} // namespace
} // namespace kinetra::test
