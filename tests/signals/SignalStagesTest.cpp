#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SignalStages.h"

namespace kinetra {
namespace {

constexpr double Tolerance = 1e-12;

// A buffer of n samples inside a longer one of 1.0, to see that nothing beyond n is written.
struct Samples {
    explicit Samples(std::size_t n) : all(n + 5, 1.0), n(n) {}
    std::span<double> used() { return std::span(all).first(n); }
    double operator[](std::size_t i) const { return all[i]; }
    bool tailUntouched() const
    {
        return std::all_of(all.begin() + std::ptrdiff_t(n), all.end(),
                           [](double v) { return v == 1.0; });
    }
    std::vector<double> all;
    std::size_t n;
};

Samples Generated(Waveform waveform, double periodicity, std::size_t n = 1000)
{
    Samples samples(n);
    Generate(waveform, PeriodInSamples(periodicity, int(n)), samples.used(), 7);
    return samples;
}

// Checks value ranges [from, to] of a generated signal.
struct Stretch {
    std::size_t from, to;
    double value;
};

void ExpectStretches(const Samples& samples, std::initializer_list<Stretch> stretches)
{
    for (const Stretch& s : stretches)
        for (std::size_t i = s.from; i <= s.to; ++i)
            ASSERT_NEAR(samples[i], s.value, Tolerance) << "sample " << i;
}

TEST(Generation, CounterDrivenWaveformsFollowTheWorkedValues)
{
    ExpectStretches(Generated(Waveform::Constant, 1), {{0, 0, 0.0}, {1, 999, 1.0}});
    ExpectStretches(Generated(Waveform::Stepped, 1),
                    {{0, 499, 1.0}, {500, 998, 0.0}, {999, 999, 1.0}});
    // The first pulse is 2 samples wide; the counter then restarts at -2, so later ones are 4.
    ExpectStretches(Generated(Waveform::Pulse, 1), {{0, 1, 1.0}, {2, 996, 0.0}, {997, 999, 1.0}});
    ExpectStretches(Generated(Waveform::Pulse, 3, 3000),
                    {{997, 1000, 1.0}, {1001, 1995, 0.0}, {1996, 1999, 1.0}});
    ExpectStretches(Generated(Waveform::Square, 1), {{0, 499, 1.0}, {500, 999, -1.0}});
    // x = 2.5 gives a 400-sample period.
    ExpectStretches(Generated(Waveform::Square, 2.5),
                    {{0, 199, 1.0}, {200, 399, -1.0}, {400, 599, 1.0}});
}

TEST(Generation, TriangleRisesAndFallsByFourOverThePeriod)
{
    const Samples triangle = Generated(Waveform::Triangle, 1);
    const std::vector<std::pair<std::size_t, double>> worked{
        {0, 0.0}, {1, 0.004}, {250, 1.0}, {499, 0.004}, {500, 0.0}, {749, -0.996}, {998, 0.0}};
    for (const auto& [index, value] : worked)
        EXPECT_NEAR(triangle[index], value, 1e-9) << "sample " << index;
}

TEST(Generation, RampHarmonicAndRandom)
{
    const Samples ramp = Generated(Waveform::Linear, 1);
    EXPECT_LT(ramp[499], 1.0);
    EXPECT_NEAR(ramp[500], 1.0, 1e-9);
    EXPECT_EQ(ramp[999], ramp[500]);

    const Samples sine = Generated(Waveform::Harmonic, 1);
    EXPECT_EQ(sine[0], 0.0);
    EXPECT_EQ(sine[1], 0.0);
    EXPECT_NEAR(sine[251], 1.0, Tolerance);

    const Samples random = Generated(Waveform::Random, 1);
    for (std::size_t i = 0; i < 1000; ++i) {
        const double hundredths = random[i] * 100;
        ASSERT_TRUE(random[i] >= 0 && random[i] <= 0.99 &&
                    std::abs(hundredths - std::round(hundredths)) < 1e-9);
    }
    EXPECT_EQ(Generated(Waveform::Random, 1).all, random.all) << "one seed, one sequence";
}

TEST(Generation, NeverWritesBeyondTheSampleCount)
{
    for (int w = 0; w < WaveformCount; ++w)
        for (double periodicity : {0.0, 0.3, 1.0, 2.5, 7.0, 333.0, 1e-300}) {
            const Samples samples = Generated(Waveform(w), periodicity, 997);
            EXPECT_TRUE(samples.tailUntouched()) << "waveform " << w << " x " << periodicity;
        }
}

// A period the waveform cannot show makes the counter come back to where it was; the
// generation must end and say where it stopped.
TEST(Generation, TooShortPeriodsEndAndZeroTheRest)
{
    const struct {
        Waveform waveform;
        double periodicity;
        int stalledAt;
    } cases[]{
        {Waveform::Stepped, 1000, 1}, {Waveform::Stepped, 5000, 1}, {Waveform::Pulse, 1000, 2},
        {Waveform::Triangle, 500, 2}, {Waveform::Stepped, 999, -1}, {Waveform::Square, 1e6, -1},
    };
    for (const auto& c : cases) {
        Samples samples(1000);
        const GenerationOutcome outcome =
            Generate(c.waveform, PeriodInSamples(c.periodicity, 1000), samples.used(), 0);
        EXPECT_EQ(outcome.stalledAt, c.stalledAt) << int(c.waveform) << " x " << c.periodicity;
        if (c.stalledAt >= 0) {
            EXPECT_EQ(samples[999], 0.0);
        }
        EXPECT_TRUE(samples.tailUntouched());
    }
}

std::vector<double> SquareWave()
{
    std::vector<double> x(1000, 1.0);
    std::fill(x.begin() + 500, x.end(), -1.0);
    return x;
}

TEST(Channel, DelayShiftsAndPadsWithZeros)
{
    const std::vector<double> x = SquareWave();
    std::vector<double> y(1000);
    Transmit(ChannelKind::Delay, 25, x, y);
    EXPECT_EQ(y[24], 0.0);
    EXPECT_EQ(y[25], x[0]);
    EXPECT_EQ(y[525], -1.0);
    Transmit(ChannelKind::Delay, 1000, x, y);
    EXPECT_TRUE(std::all_of(y.begin(), y.end(), [](double v) { return v == 0.0; }));
}

TEST(Channel, FrictionZeroesAroundSignChangesAndAtBothEnds)
{
    const std::vector<double> x = SquareWave();
    std::vector<double> y(1000);
    Transmit(ChannelKind::Friction, 10, x, y);
    for (std::size_t i = 0; i < 1000; ++i) {
        const bool zero = i < 10 || (i >= 490 && i < 510) || i >= 990;
        ASSERT_EQ(y[i], zero ? 0.0 : x[i]) << "sample " << i;
    }
    // No zone: the input passes exactly, a ramp included.
    std::vector<double> ramp(50);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = 0.1 * double(i) - 2;
    std::vector<double> out(50);
    Transmit(ChannelKind::Friction, 0, ramp, out);
    EXPECT_EQ(out, ramp);
}

TEST(Channel, GrowingMagnitudeLagsAndShrinkingLeads)
{
    std::vector<double> x{0, 1, 2, 3, 4, 3, 2, 1, 1, 1};
    std::vector<double> y(x.size());
    Transmit(ChannelKind::Friction, 1, x, y);
    EXPECT_EQ(y, (std::vector<double>{0, 0, 1, 2, 3, 2, 1, 1, 1, 0}));
}

TEST(Channel, NegativeAndOversizedParametersStayInside)
{
    const std::vector<double> x = SquareWave();
    for (ChannelKind kind : {ChannelKind::Delay, ChannelKind::Friction})
        for (int delay : {-1, -5000, 999, 1000, 20000}) {
            std::vector<double> y(1005, 7.0);
            Transmit(kind, delay, x, std::span(y).first(1000));
            EXPECT_EQ(y[1000], 7.0);
            if (delay < 0) {
                EXPECT_TRUE(std::equal(x.begin(), x.end(), y.begin()));
            }
        }
}

// The input for the filter: a unit step from sample 1.
std::vector<double> Step(std::size_t n = 1000)
{
    std::vector<double> u(n, 1.0);
    u[0] = 0;
    return u;
}

TEST(Filter, AmplifierScalesAndHoldsTheLastSample)
{
    const std::vector<double> u = Step();
    std::vector<double> y(1000, 5.0);
    Filter({.K1 = 2, .K2 = 1}, u, y);
    EXPECT_EQ(y[0], 0.0);
    for (std::size_t j = 1; j <= 998; ++j)
        ASSERT_NEAR(y[j], 2 * u[j], Tolerance);
    EXPECT_EQ(y[999], y[998]) << "never a leftover";
    // K2 typed as 0: the signal passes unchanged from sample 2, K1 has no effect.
    Filter({.K1 = 2}, u, y);
    EXPECT_EQ(y[1], 0.0);
    EXPECT_EQ(y[2], 1.0);
    EXPECT_EQ(y[999], 1.0);
}

TEST(Filter, DerivativeIsAForwardDifferenceAndIntegralEuler)
{
    std::vector<double> u(1000);
    for (std::size_t i = 0; i < u.size(); ++i)
        u[i] = std::sin(0.01 * double(i));
    const double h = 1.0 / 1000;
    std::vector<double> y(1000);
    Filter({.T2 = 0.5, .K1 = 3}, u, y); // PD
    for (std::size_t j = 1; j <= 998; ++j)
        ASSERT_NEAR(y[j], 0.5 * (u[j + 1] - u[j]) / h + 3 * u[j], 1e-9);

    Filter({.K1 = 1, .T4 = 1}, u, y); // I with Tint = 1
    for (std::size_t k = 2; k < 1000; ++k)
        ASSERT_NEAR(y[k], y[k - 1] + h * u[k - 1], 1e-12);
}

TEST(Filter, LowPassLagsBySample)
{
    const std::vector<double> u = Step();
    std::vector<double> y(1000);
    const double h = 1.0 / 1000, t4 = 0.05, k1 = 2, k2 = 1;
    Filter({.K1 = k1, .T4 = t4, .K2 = k2}, u, y);
    for (std::size_t k = 2; k < 1000; ++k)
        ASSERT_NEAR(y[k], (1 - k2 * h / t4) * y[k - 1] + (k1 * h / t4) * u[k - 1], 1e-12);
    EXPECT_NEAR(y[999], 2.0, 1e-3);
}

TEST(Filter, UndefinedAndRunawayElementsHandOnlyNumbers)
{
    const std::vector<double> u = Step();
    std::vector<double> y(1000, 1.0);
    // T3 + h T4 = 0.
    FilterOutcome outcome = Filter({.K1 = 1, .T3 = 1, .T4 = -1000}, u, y);
    EXPECT_EQ(outcome.fault, FilterOutcome::Fault::Undefined);
    EXPECT_EQ(outcome.cutAt, 2);
    EXPECT_TRUE(std::all_of(y.begin(), y.end(), [](double v) { return v == 0.0; }));

    // A negative time constant makes the first-order element grow without bound.
    outcome = Filter({.K1 = 1, .T4 = -0.01, .K2 = 1}, u, y);
    EXPECT_EQ(outcome.fault, FilterOutcome::Fault::RunAway);
    EXPECT_GT(outcome.cutAt, 2);
    for (double v : y)
        ASSERT_TRUE(std::abs(v) <= FilterOutputLimit);
    EXPECT_EQ(y[999], 0.0);

    // Coefficients too small to divide by.
    outcome = Filter({.K1 = 1, .K2 = 1e-320}, u, y);
    EXPECT_EQ(outcome.fault, FilterOutcome::Fault::Undefined);
    EXPECT_EQ(Filter({.K1 = 1, .K2 = 1}, u, y).fault, FilterOutcome::Fault::None);

    // Passed through unchanged, a value beyond the limit is cut as well.
    std::vector<double> huge = u;
    huge[700] = 2e297;
    outcome = Filter({}, huge, y);
    EXPECT_EQ(outcome.fault, FilterOutcome::Fault::RunAway);
    EXPECT_EQ(outcome.cutAt, 700);
    EXPECT_EQ(y[699], 1.0);
    EXPECT_EQ(y[700], 0.0);
}

TEST(Filter, ShortBuffersStayInside)
{
    for (std::size_t n : {0u, 1u, 2u, 3u}) {
        std::vector<double> u(n, 1.0), y(n + 2, 9.0);
        Filter({.T1 = 1, .T2 = 1, .K1 = 1, .T3 = 1, .T4 = 1, .K2 = 1}, u, std::span(y).first(n));
        EXPECT_EQ(y[n], 9.0);
    }
}

} // namespace
} // namespace kinetra
