#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace kinetra::test {
namespace {

constexpr double Sqrt2 = std::numbers::sqrt2;

// A servomotor whose cascade is tuned for its rated point: a PI current loop about as fast as
// the stator (L / R = 5 ms) and a PI speed loop about ten times slower.
Drive TunedServo()
{
    Drive drive = Servomotor();
    ModelParams& p = drive.params;
    p.KpI = 4;
    p.TpIint = 0.005;
    p.KI = 1;
    p.Kpw = 0.5;
    p.Tpwint = 0.05;
    p.Kw = 1;
    return drive;
}

// Simpson's rule over samples 0 .. count - 1 of a quantity f(sample), with an even number of
// intervals (the last odd sample is dropped).
template <typename F> double Integral(const Drive& drive, F f)
{
    const int intervals = (drive.run->SampleCount - 1) / 2 * 2;
    double sum = f(drive.run->samples[0]) + f(drive.run->samples[intervals]);
    for (int i = 1; i < intervals; ++i)
        sum += (i % 2 == 1 ? 4 : 2) * f(drive.run->samples[i]);
    return sum * drive.run->timeStep / 3;
}

TEST(Servomotor, LockedRotorAtConstantQCurrentGivesTorqueOfFluxAndCurrent)
{
    Drive drive = TunedServo();
    drive.params.Kpw = 0;
    drive.params.Iref = 5;
    drive.params.J = 1e6;
    ASSERT_TRUE(drive.simulate());
    const ResultSample& last = drive.last();
    EXPECT_NEAR(last.current, 5, 0.05);
    EXPECT_LT(std::abs(last.mechSpeed), 1e-4);
    const double torque = 1.5 * 4 * ServoFluxLinkage() * last.current;
    EXPECT_NEAR(last.torque / torque, 1, 1e-9);
}

TEST(Servomotor, AtNoLoadTopsOutWhereBackEmfMeetsTheConverterVoltage)
{
    Drive drive = TunedServo();
    drive.params.wref = 1000;
    ASSERT_TRUE(drive.simulate());
    const double topSpeed = Sqrt2 * 230 / (4 * ServoFluxLinkage());
    EXPECT_NEAR(drive.last().mechSpeed / topSpeed, 1, 0.001);
}

TEST(Servomotor, RatedCurrentGivesRatedTorqueAtRatedSpeed)
{
    Drive drive = TunedServo();
    drive.params.wref = 314;
    drive.params.Mc = 1000 * 1.5 / 314;
    ASSERT_TRUE(drive.simulate());
    EXPECT_NEAR(drive.last().mechSpeed / 314, 1, 0.001);
    EXPECT_NEAR(drive.last().torque / drive.params.Mc, 1, 0.01);
    EXPECT_NEAR(drive.last().current / (Sqrt2 * 3), 1, 0.01);
}

// Without a reference the converter applies its full voltage on the q axis and none on the d
// axis, so the electrical power is 1.5 uq iq with iq = torque / (1.5 p1 psi).
TEST(Servomotor, EnergyInEqualsWorkOutLossesAndStoredEnergy)
{
    Drive drive = Servomotor();
    ModelParams& p = drive.params;
    p.Mc = 2;
    p.ActiveLoad = true;
    p.Jc = 0.002;
    ASSERT_TRUE(drive.simulate());
    const double psi = ServoFluxLinkage();
    const double uq = Sqrt2 * 230;
    const double in =
        Integral(drive, [&](const ResultSample& s) { return uq * s.torque / (4 * psi); });
    const double work = Integral(drive, [](const ResultSample& s) { return 2 * s.mechSpeed; });
    const double copper =
        Integral(drive, [](const ResultSample& s) { return 1.5 * 1.2 * s.current * s.current; });
    const ResultSample& last = drive.last();
    const double magnetic = 0.75 * 0.006 * last.current * last.current;
    const double kinetic = 0.5 * 0.003 * last.mechSpeed * last.mechSpeed;
    EXPECT_NEAR((work + copper + magnetic + kinetic) / in, 1, 0.005);
}

// The open-loop start integrated in 1, 2, 4 and 8 sub-steps of the 1 ms sample against 64: each
// halving of the sub-step divides the largest error of the speed over the first 20 ms by about
// 2^4.
TEST(Servomotor, SubStepsConvergeAtFourthOrder)
{
    const auto start = [](int subSteps) {
        auto drive = std::make_unique<Drive>(Servomotor());
        drive->params.Tmax = 0.021;
        drive->subSteps = subSteps;
        EXPECT_TRUE(drive->simulate());
        return drive;
    };
    const std::unique_ptr<Drive> reference = start(64);
    const auto largestError = [&](const Drive& run) {
        double largest = 0;
        for (int ms = 1; ms <= 20; ++ms)
            largest = std::max(largest, std::abs(run.run->samples[ms].mechSpeed -
                                                 reference->run->samples[ms].mechSpeed));
        return largest;
    };
    double previousError = largestError(*start(1));
    for (const int subSteps : {2, 4, 8}) {
        const double error = largestError(*start(subSteps));
        const double order = std::log2(previousError / error);
        EXPECT_GT(order, 3.8) << subSteps;
        EXPECT_LT(order, 4.3) << subSteps;
        previousError = error;
    }
}

} // namespace
} // namespace kinetra::test
