#include <cmath>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace kinetra::test {
namespace {

// The smallest servomotor of the sample catalogue on its amplifier, open loop and without load:
// its rotor reaches some 7800 electrical rad/s, far beyond what one step of 1 ms integrates.
Drive SmallServomotor()
{
    Drive drive;
    ModelParams& p = drive.params;
    p.MotorKind = 2;
    p.SupplyKind = 1;
    p.R1 = 4.12;
    p.L1 = 0.0062;
    p.p1 = 4;
    p.P = 0.05;
    p.U = 115;
    p.w = 314;
    p.J = 0.0000045;
    p.I = 0.9;
    p.U0 = 115;
    p.F0 = 50;
    p.Tmax = 0.5;
    return drive;
}

// Integrated at the one step a sample the engine took before it divided samples, the servomotor
// runs away; the run ends at the first sample beyond its reach and names it. At the engine's own
// sub-steps it approaches its no-load speed from below.
TEST(PhysicalReach, ARunawayEndsAtTheSampleThatLeftTheDrivesReach)
{
    Drive runaway = SmallServomotor();
    runaway.subSteps = 1;
    EXPECT_FALSE(runaway.simulate());
    EXPECT_EQ(runaway.outcome, RunOutcome::Diverged);
    const RunDivergence& divergence = *runaway.run->divergence;
    EXPECT_LT(divergence.time, 0.1);
    EXPECT_GT(divergence.value, ReachMargin * divergence.reach);
    EXPECT_EQ(runaway.run->SampleCount, std::lround(divergence.time / 0.001) + 1);
    EXPECT_EQ(runaway.last().time, divergence.time);

    Drive sound = SmallServomotor();
    ASSERT_TRUE(sound.simulate());
    EXPECT_GT(sound.run->subSteps, 10);
    const double reached = sound.last().mechSpeed / sound.run->reach.motorSpeed;
    EXPECT_GT(reached, 0.95);
    EXPECT_LT(reached, 1);
}

// A DC motor whose rated data give a negative machine constant (I R2 above U) under a cascade
// with integral action: the loop winds the converter's command beyond its output, the current
// leaves what the converter could drive, and the run ends there.
TEST(PhysicalReach, AControllerThatRunsAwayEndsTheRun)
{
    Drive drive = DcMotorOnConverter(1);
    ModelParams& p = drive.params;
    p.R2 = 30;
    p.Kpw = 25;
    p.KpI = 1;
    p.TpIint = 0.005;
    p.Imax = 35;
    p.wref = 100;
    EXPECT_FALSE(drive.simulate());
    EXPECT_EQ(drive.outcome, RunOutcome::Diverged);
    EXPECT_EQ(drive.run->divergence->quantity, ReachQuantity::Current);
}

// Starting a DC motor without load from a fixed voltage is charging a capacitor: the supply
// delivers J w0^2, half of it stays in the rotor and half is lost in the armature.
TEST(EnergyBalance, DcStartLosesInTheArmatureWhatItStoresInTheRotor)
{
    Drive drive = DcMotor();
    ASSERT_TRUE(drive.simulate());
    const double noLoadSpeed = 220 * 0.5;
    const double stored = 0.5 * 0.05 * noLoadSpeed * noLoadSpeed;
    const EnergyAccount& energy = drive.run->energy;
    EXPECT_NEAR(energy.energyIn / (2 * stored), 1, 1e-5);
    EXPECT_NEAR(energy.copperLoss / stored, 1, 1e-5);
    EXPECT_NEAR(energy.kinetic / stored, 1, 1e-5);
    EXPECT_LT(energy.balanceError(), 1e-5);
}

} // namespace
} // namespace kinetra::test
