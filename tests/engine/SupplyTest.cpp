#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "RunPreparation.h"
#include "Supply.h"

namespace kinetra::test {
namespace {

constexpr double Pi = std::numbers::pi;

// Prepares the drive's run and initialises a supply of the given model on it.
struct PreparedSupply {
    explicit PreparedSupply(Drive& drive, SupplyModel model)
        : record(drive.record()), supply{model, 0}
    {
        PrepareRun(record);
        SupplyOutput(supply, u, 0, record);
    }

    void step(int index) { SupplyOutput(supply, u, index, record); }

    SimulationRecord record;
    Supply supply;
    SupplyVoltages u;
};

TEST(SineSupply, FeedsARotatingVectorOfTheRmsVoltageAtFiftyHertz)
{
    Drive drive = InductionMotor();
    PreparedSupply sine(drive, SupplyModel::SineMains);
    EXPECT_NEAR(sine.supply.omega, 2 * Pi * 50, 1e-12);
    sine.step(7);
    EXPECT_NEAR(std::hypot(sine.u.u1a, sine.u.u1b), 220 * std::numbers::sqrt2, 1e-9);
    EXPECT_NEAR(std::atan2(sine.u.u1b, sine.u.u1a), 2 * Pi * 50 * 0.007, 1e-12);
    EXPECT_EQ(sine.u.u2a, 0);
}

TEST(TransistorConverter, WithoutU0CapsTheArmatureVoltageAtOneMillivolt)
{
    Drive drive = DcMotor();
    drive.params.SupplyKind = 1;
    PreparedSupply transistor(drive, SupplyModel::Transistor);
    transistor.step(1);
    EXPECT_NEAR(transistor.u.u2a, 0.001, 1e-15);
    EXPECT_EQ(transistor.u.u1b, 220); // the field at U when no U10 is given
}

TEST(ThyristorConverter, WithoutControllerFiresAtTheRectifierLimit)
{
    Drive drive = DcMotorOnConverter(2);
    drive.params.F0 = 0; // no controller
    ASSERT_TRUE(drive.simulate());
    EXPECT_NEAR(drive.run->halfPulseAngle, Pi / 6, 1e-15);
    EXPECT_NEAR(drive.run->firingMargin, std::acos(0.95) - Pi / 6, 1e-12);
    // The mean armature voltage is 0.95 U0, within the error of sampling it once per step.
    EXPECT_NEAR(drive.mean(&ResultSample::mechSpeed, 1000, 1999), 0.95 * 220 * 0.5, 2);
}

// Six pulses per period of the 50 Hz network: a pulse lasts 20 ms / 6 = 3.33 steps.
TEST(ThyristorConverter, SixPulsesPerNetworkPeriod)
{
    Drive drive = DcMotorOnConverter(2);
    PreparedSupply thyristor(drive, SupplyModel::Thyristor);
    const ThyristorPhase& phase = drive.run->thyristor;
    int firings = 0;
    int lastFiring = 0;
    for (int i = 1; i <= 1000; ++i) {
        const double before = phase.phase;
        thyristor.step(i);
        if (std::abs(phase.phase - (before + phase.phaseStep)) > 1e-12) {
            if (firings > 0) {
                EXPECT_TRUE(i - lastFiring == 3 || i - lastFiring == 4) << i;
            }
            ++firings;
            lastFiring = i;
        }
    }
    EXPECT_NEAR(firings, 300, 1);
}

// A command at or below -U0 has no firing angle; the converter inverts at its limit instead.
TEST(ThyristorConverter, CommandBeyondMinusU0InvertsAtTheLimit)
{
    Drive drive = DcMotorOnConverter(2);
    drive.params.KpI = 100;
    drive.params.Iref = -50;
    ASSERT_TRUE(drive.simulate());
    EXPECT_LT(drive.run->supplyVoltage, -220);
    EXPECT_NEAR(drive.run->firingMargin, std::acos(-0.95) - Pi / 6, 1e-12);
    EXPECT_LT(drive.last().mechSpeed, -50);
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

} // namespace
} // namespace kinetra::test
