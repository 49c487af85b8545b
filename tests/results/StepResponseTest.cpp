#include "StepResponse.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace kinetra {
namespace {

constexpr double Step = 0.001;  // s, the engine's sampling
constexpr double Duration = 10; // s

struct Response {
    std::vector<double> time;
    std::vector<double> value;
};

Response Sampled(const std::function<double(double)>& shape, double target)
{
    Response response;
    for (int i = 0; i * Step <= Duration; ++i) {
        response.time.push_back(i * Step);
        response.value.push_back(target * shape(i * Step));
    }
    return response;
}

// A first-order lag of time constant tau: 10 % to 90 % in tau ln 9, into ±2 % at tau ln 50 and
// into ±5 % at tau ln 20, no overshoot.
TEST(MeasureStep, FirstOrderLagHasItsTextbookFigures)
{
    constexpr double tau = 0.2;
    for (const double target : {100.0, -40.0}) {
        const Response r = Sampled([](double t) { return 1 - std::exp(-t / tau); }, target);
        const StepFigures figures = MeasureStep(r.time, r.value, target);
        ASSERT_TRUE(figures.riseTime && figures.settling2 && figures.settling5);
        EXPECT_NEAR(*figures.riseTime, tau * std::log(9.0), 2 * Step);
        EXPECT_NEAR(*figures.settling2, tau * std::log(50.0), Step);
        EXPECT_NEAR(*figures.settling5, tau * std::log(20.0), Step);
        EXPECT_EQ(figures.overshoot, 0.0);
    }
}

// An underdamped second-order step (damping 0.5) overshoots by exp(-pi zeta / sqrt(1 - zeta^2))
// and settles no later than its envelope enters the band.
TEST(MeasureStep, UnderdampedSecondOrderOvershootsAndSettlesWithinItsEnvelope)
{
    constexpr double zeta = 0.5;
    constexpr double wn = 10;
    const double wd = wn * std::sqrt(1 - zeta * zeta);
    const double phase = std::acos(zeta);
    const Response r = Sampled(
        [&](double t) {
            return 1 -
                   std::exp(-zeta * wn * t) * std::sin(wd * t + phase) / std::sqrt(1 - zeta * zeta);
        },
        50);
    const StepFigures figures = MeasureStep(r.time, r.value, 50);
    const double expectedOvershoot =
        100 * std::exp(-std::numbers::pi * zeta / std::sqrt(1 - zeta * zeta));
    ASSERT_TRUE(figures.overshoot && figures.settling2 && figures.settling5 && figures.riseTime);
    EXPECT_NEAR(*figures.overshoot, expectedOvershoot, 0.01);
    const double peakTime = std::numbers::pi / wd;
    for (const auto& [settling, band] :
         {std::pair{*figures.settling2, 0.02}, std::pair{*figures.settling5, 0.05}}) {
        const double envelopeInBand = -std::log(band * std::sqrt(1 - zeta * zeta)) / (zeta * wn);
        EXPECT_GT(settling, peakTime);
        EXPECT_LE(settling, envelopeInBand);
    }
    EXPECT_LT(*figures.settling5, *figures.settling2);
    EXPECT_LT(*figures.riseTime, peakTime);
}

TEST(MeasureStep, SaysWhatTheResponseNeverReaches)
{
    // An undamped oscillation about the target never settles; a response stuck at half the
    // target never rises to 90 %; a target of 0 is no step at all.
    const Response oscillating = Sampled([](double t) { return 1 - std::cos(5 * t); }, 10);
    const StepFigures undamped = MeasureStep(oscillating.time, oscillating.value, 10);
    EXPECT_TRUE(undamped.riseTime);
    EXPECT_NEAR(*undamped.overshoot, 100, 0.01);
    EXPECT_FALSE(undamped.settling2);
    EXPECT_FALSE(undamped.settling5);

    const Response half = Sampled([](double t) { return 0.5 * (1 - std::exp(-t)); }, 10);
    const StepFigures stuck = MeasureStep(half.time, half.value, 10);
    EXPECT_TRUE(stuck.step);
    EXPECT_FALSE(stuck.riseTime);
    EXPECT_FALSE(stuck.settling5);

    EXPECT_FALSE(MeasureStep(half.time, half.value, 0).step);
}

// A speed loop measured against its reference, with peaks against the ratings and the current
// limit that the current loop's setup scaled by KI.
TEST(StepResponseOf, MeasuresTheOutermostLoopAndThePeaks)
{
    auto run = test::RunWithSamples({{0, 0, 0, 0, 0},
                                     {0.001, 60, 5, -30, 0},
                                     {0.002, 20, 10.5, 10, 0},
                                     {0.003, 10, 9.9, 5, 0}});
    run->controllerActive = true;
    run->loopW = true;
    run->loopI = true;
    ModelParams params;
    params.wref = 10;
    params.I = 15;
    params.P = 3;
    params.w = 100;
    params.KI = 0.5;
    params.Imax = 10; // 20 A as entered
    const StepResponse response = StepResponseOf(*run, params);
    EXPECT_EQ(response.quantity, ControlledQuantity::MechanismSpeed);
    EXPECT_TRUE(response.closedLoop);
    EXPECT_EQ(response.target, 10);
    EXPECT_NEAR(*response.figures.overshoot, 5, test::Exact);
    EXPECT_NEAR(*response.steadyStateError, 0.1, test::Exact);
    EXPECT_EQ(response.peakCurrent, 30);
    EXPECT_EQ(response.peakTorque, 60);
    EXPECT_NEAR(*response.peakCurrentToRated, 2, test::Exact);
    EXPECT_NEAR(*response.peakTorqueToRated, 2, test::Exact);
    EXPECT_NEAR(*response.peakToLimit, 1.5, test::Exact);
    // An induction motor's current is an amplitude, held against the rated amplitude.
    params.MotorKind = 0;
    EXPECT_NEAR(*StepResponseOf(*run, params).peakCurrentToRated, std::numbers::sqrt2, 1e-12);
    params.MotorKind = 1;

    // Open loop: against the final value, without a steady-state error or a limit.
    run->controllerActive = false;
    const StepResponse open = StepResponseOf(*run, params);
    EXPECT_FALSE(open.closedLoop);
    EXPECT_EQ(open.target, 9.9);
    EXPECT_FALSE(open.steadyStateError);
    EXPECT_FALSE(open.peakToLimit);
}

// The position loop is measured on the recorded position against the limit where its ramp
// stops; the loop's setup has scaled fmax by the sensor gain. Without a limit there is no target.
TEST(StepResponseOf, MeasuresThePositionLoopOnThePosition)
{
    auto run = test::RunOfLength(1001, Step);
    run->controllerActive = true;
    run->loopF = true;
    run->loopW = true;
    for (int i = 0; i < run->SampleCount; ++i) {
        run->samples[i].mechSpeed = i < 500 ? 200 : 0;
        run->positions[i] = std::min(i * Step * 200, 100.0) * (i > 800 ? 1 : 1.03);
    }
    ModelParams params;
    params.Kf = 2;
    params.fmax = 200; // 100 rad as entered
    const StepResponse response = StepResponseOf(*run, params);
    EXPECT_EQ(response.quantity, ControlledQuantity::Position);
    EXPECT_EQ(response.target, 100);
    EXPECT_NEAR(*response.figures.riseTime, 80 / 206.0, 2 * Step);
    EXPECT_NEAR(*response.figures.overshoot, 3, 1e-9);
    EXPECT_NEAR(*response.figures.settling2, 0.801, Step / 2);
    EXPECT_NEAR(*response.steadyStateError, 0, 1e-9);

    params.fmax = 0;
    const StepResponse unbounded = StepResponseOf(*run, params);
    EXPECT_TRUE(unbounded.unbounded);
    EXPECT_FALSE(unbounded.figures.step || unbounded.figures.overshoot);
    const QStringList lines = StepResponseColumn(unbounded, u',').aligned(FigureNameWidth);
    EXPECT_EQ(lines[0], QStringLiteral("Переходный процесс: положение, рад"));
    EXPECT_EQ(lines[2], QStringLiteral(" предел fmax не задан: положению нечего достигать"));
}

TEST(StepResponseLines, SayWhereAFigureDoesNotExistAndTheErrorsUnit)
{
    auto run = test::RunWithSamples({{0, 0, 0, 0, 0}, {1, 2, 3, 4, 0}, {2, 2, 3, 4, 0}});
    run->controllerActive = true;
    run->loopI = true;
    ModelParams params;
    params.Iref = 10;
    const StepResponse response = StepResponseOf(*run, params);
    const QStringList lines = StepResponseColumn(response, u',').aligned(FigureNameWidth);
    EXPECT_EQ(lines.first(), QStringLiteral("Переходный процесс: ток I, А"));
    EXPECT_TRUE(lines.contains(QStringLiteral(" время нарастания, с    не достигает 90 %")))
        << lines.join(u'|').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral(" статическая ошибка, А   6,00")));
    const QList<StepResponseField> fields = StepResponseFields(response);
    EXPECT_EQ(fields[4].value, QStringLiteral("never"));
    EXPECT_EQ(fields[8].value, QStringLiteral("6"));
}

// A figure beyond 1E30 comes only from data far outside any drive; it reads as such instead of as
// a measurement.
TEST(StepResponseFigures, BeyondAnyDriveReadOutOfRange)
{
    EXPECT_EQ(FigureText(2.5), u"2.5");
    EXPECT_EQ(FigureText(-1e30), u"-1e+30");
    EXPECT_EQ(FigureText(3.6e300), u"outOfRange");
    EXPECT_EQ(FigureText(-std::numeric_limits<double>::infinity()), u"outOfRange");
}

} // namespace
} // namespace kinetra
