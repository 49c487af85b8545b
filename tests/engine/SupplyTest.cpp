#include <algorithm>
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "RunPreparation.h"
#include "Supply.h"

namespace kinetra::test {
namespace {

constexpr double Pi = std::numbers::pi;

// Prepares the drive's run and starts a supply of the given model on it.
struct PreparedSupply {
    explicit PreparedSupply(Drive& drive, SupplyModel model)
        : record(drive.record()), supply{model, 0}
    {
        PrepareRun(record);
        StartSupply(supply, u, record);
    }

    SimulationRecord record;
    Supply supply;
    SupplyVoltages u;
};

TEST(SineSupply, FeedsAVectorOfTheRmsVoltageTurningAtFiftyHertz)
{
    Drive drive = InductionMotor();
    PreparedSupply sine(drive, SupplyModel::SineMains);
    EXPECT_NEAR(sine.supply.omega, 2 * Pi * 50, 1e-12);
    EXPECT_NEAR(sine.u.u1a, 220 * std::numbers::sqrt2, 1e-12);
    EXPECT_EQ(sine.u.u1b, 0);
    EXPECT_EQ(sine.u.u2a, 0);
}

TEST(TransistorConverter, WithoutU0CapsTheArmatureVoltageAtOneMillivolt)
{
    Drive drive = DcMotor();
    drive.params.SupplyKind = 1;
    PreparedSupply transistor(drive, SupplyModel::Transistor);
    SupplyOutput(transistor.supply, transistor.u, transistor.record);
    EXPECT_NEAR(transistor.u.u2a, 0.001, 1e-15);
    EXPECT_EQ(transistor.u.u1b, 220); // the field at U when no U10 is given
}

// Six pulses per period of the 50 Hz network, each a segment of the sine centred on its firing
// angle: over a pulse its mean is U0 + 0.001 times the relative voltage, here the limit 0.95.
TEST(ThyristorConverter, FiresSixPulsesPerNetworkPeriodWhoseMeanIsTheCommand)
{
    Drive drive = DcMotorOnConverter(2);
    drive.params.F0 = 0; // no controller
    PreparedSupply thyristor(drive, SupplyModel::Thyristor);
    RunData& run = *drive.run;
    for (int pulse = 0; pulse < 300; ++pulse) {
        EXPECT_NEAR(NextFiring(run), pulse / 300.0, 1e-12);
        FireThyristorsUpTo(NextFiring(run), drive.params, run);
    }
    EXPECT_NEAR(run.firingMargin, std::acos(0.95) - Pi / 6, 1e-12);
    const double start = 299 / 300.0;
    constexpr int Points = 1000;
    double sum = 0;
    for (int n = 0; n < Points; ++n)
        sum += std::cos(BridgeAngle(run, start + (n + 0.5) / Points / 300));
    EXPECT_NEAR(run.peakVoltage * sum / Points, 0.95 * 220.001, 1e-3);
}

// A single bridge carries no current backwards: a command at or below -U0, which has no firing
// angle, inverts at the limit. The first pulse, fired at 90 degrees before the controller has
// spoken, pushes the drive forward a little; the inverting bridge then never turns it back.
TEST(ThyristorConverter, CommandBeyondMinusU0InvertsAtTheLimitWithoutReverseCurrent)
{
    Drive drive = DcMotorOnConverter(2);
    drive.params.KpI = 100;
    drive.params.Iref = -50;
    ASSERT_TRUE(drive.simulate());
    EXPECT_LT(drive.run->supplyVoltage, -220);
    EXPECT_NEAR(drive.run->firingMargin, std::acos(-0.95) - Pi / 6, 1e-12);
    for (int i = 0; i < drive.run->SampleCount; ++i) {
        ASSERT_GE(drive.run->samples[i].current, 0) << i;
        ASSERT_GE(drive.run->samples[i].mechSpeed, 0) << i;
    }
    EXPECT_EQ(drive.last().current, 0);
}

TEST(ThyristorConverter, MissingArmatureInductanceDefaultsInTheBaseCurrent)
{
    Drive drive = DcMotorOnConverter(2);
    drive.params.L2 = 0;
    ASSERT_TRUE(drive.simulate());
    EXPECT_NEAR(drive.run->baseCurrent, drive.run->peakVoltage / (0.001 * 2 * Pi * 50), 1e-9);

    drive.params.L2 = 0;
    drive.params.L20 = 0.004;
    ASSERT_TRUE(drive.simulate());
    EXPECT_NEAR(drive.run->baseCurrent, drive.run->peakVoltage / (0.005 * 2 * Pi * 50), 1e-9);
}

// The servo amplifier over one regulation period. Without a controller it puts the whole
// voltage on the q axis. Under one, the d axis brings its current to zero within the period,
// decoupled from the q current, and has the first claim on the voltage; the q axis takes the
// command within what is left, and a command beyond it is written back capped, whatever the
// sign of the converter's gain. The voltage vector never leaves the converter's limit.
TEST(FieldOrientedConverter, DecouplesTheDAxisAndCapsTheQCommandToTheVoltageLeft)
{
    Drive drive = Servomotor();
    drive.params.U0 = 100;
    const double limit = FieldOrientedVoltageLimit(drive.params);
    ASSERT_NEAR(limit, 100 * std::numbers::sqrt2, 1e-12);
    constexpr double Inductance = 0.01;
    constexpr double Period = 0.001;
    // id = 1 A, iq = 2 A at 100 rad/s: ud = -100 * 0.01 * 2 - 0.01 * 1 / 0.001 = -12 V.
    const StatorFeedback turning{1, 2, 100, Inductance};
    const double qLeft = std::sqrt(limit * limit - 12 * 12);
    const struct {
        const char* name;
        bool controller;
        StatorFeedback stator;
        double gain, command;
        double ud, uq, commandAfter;
    } cases[] = {
        {"open loop", false, turning, 2, 50, 0, limit, 50},
        {"command within the limit", true, turning, 2, 50, -12, 25, 50},
        {"command beyond the limit", true, turning, 2, 1000, -12, qLeft, 2 * qLeft},
        {"negative gain", true, turning, -2, -1000, -12, qLeft, -2 * qLeft},
        {"d axis takes it all", true, {100, 2, 100, Inductance}, 2, 50, -limit, 0, 0},
    };
    for (const auto& [name, controller, stator, gain, command, ud, uq, commandAfter] : cases) {
        RunData& run = *drive.run;
        run.controllerActive = controller;
        run.converterGain = gain;
        run.supplyVoltage = command;
        SupplyVoltages u{1, 1, 1, 1};
        SimulationRecord record = drive.record();
        SupplyFieldOriented(u, stator, Period, record);
        EXPECT_NEAR(u.u1a, ud, 1e-9) << name;
        EXPECT_NEAR(u.u1b, uq, 1e-9) << name;
        EXPECT_NEAR(run.supplyVoltage, commandAfter, 1e-9) << name;
        EXPECT_EQ(u.u2a, 0) << name;
        EXPECT_LE(std::hypot(u.u1a, u.u1b), limit * (1 + 1e-12)) << name;
    }
}

} // namespace
} // namespace kinetra::test
