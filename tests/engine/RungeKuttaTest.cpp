#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "RungeKutta.h"

namespace kinetra::test {
namespace {

using Pair = std::array<double, 2>;

struct Equation {
    const char* name;
    void (*rates)(double t, Pair& y, Pair& d);
    double (*exact)(double t); // of the first component, from y(0) = (1, 0)
};

// The first component's error at t = 1 after n steps; each stage is told its time as the
// integrator tells it, the step's start plus the stage's fraction of the step.
double ErrorAfter(const Equation& equation, int n)
{
    Pair state{1, 0};
    Pair rates{};
    const double h = 1.0 / n;
    for (int i = 0; i < n; ++i)
        RungeKuttaStep(h, state, rates, [&](double fraction, Pair& y, Pair& d) {
            equation.rates((i + fraction) * h, y, d);
        });
    return std::fabs(state[0] - equation.exact(1));
}

// Equations with a closed-form answer: halving the step must cut the error sixteenfold. A wrong
// stage weight still converges, but more slowly, and so does a driven equation whose stages see
// the input of the wrong time.
TEST(RungeKuttaStep, ErrorFallsWithTheFourthPowerOfTheStep)
{
    const Equation equations[] = {
        {"growth y' = y",
         [](double, Pair& y, Pair& d) {
             d = {y[0], 0};
         },
         [](double t) { return std::exp(t); }},
        {"oscillator y'' = -y",
         [](double, Pair& y, Pair& d) {
             d = {y[1], -y[0]};
         },
         [](double t) { return std::cos(t); }},
        {"damped y'' = -2y' - 2y",
         [](double, Pair& y, Pair& d) {
             d = {y[1], -2 * y[1] - 2 * y[0]};
         },
         [](double t) { return std::exp(-t) * (std::cos(t) + std::sin(t)); }},
        {"driven y' = -y + cos 5t",
         [](double t, Pair& y, Pair& d) {
             d = {-y[0] + std::cos(5 * t), 0};
         },
         [](double t) { return (std::cos(5 * t) + 5 * std::sin(5 * t) + 25 * std::exp(-t)) / 26; }},
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
