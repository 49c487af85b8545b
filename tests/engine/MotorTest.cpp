#include <algorithm>
#include <numbers>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace kinetra::test {
namespace {

TEST(DcMotor, SettlesAtNoLoadAtTheVoltageTimesTheInverseMachineConstant)
{
    Drive drive = DcMotor();
    ASSERT_TRUE(drive.simulate());
    EXPECT_EQ(drive.run->invMachineConstant, 0.5);
    EXPECT_NEAR(drive.last().mechSpeed, 220 * 0.5, 1e-6);
    EXPECT_NEAR(drive.last().current, 0, 1e-6);
}

// Torque per ampere m1 * p1 / (2 * 0.5) = 2: the rated 10 A give 20 Nm at the rated 100 rad/s.
TEST(DcMotor, ReachesItsRatedPointUnderRatedLoad)
{
    Drive drive = DcMotor();
    drive.params.Mc = 20;
    ASSERT_TRUE(drive.simulate());
    EXPECT_NEAR(drive.last().torque, 20, 1e-6);
    EXPECT_NEAR(drive.last().current, 10, 1e-6);
    EXPECT_NEAR(drive.last().mechSpeed, 100, 1e-6);
}

TEST(InductionMotor, StartedDirectOnLineSettlesJustBelowSynchronousSpeed)
{
    Drive drive = InductionMotor();
    drive.params.Mc = 10;
    ASSERT_TRUE(drive.simulate());
    const double synchronous = std::numbers::pi * 50;
    EXPECT_NEAR(drive.run->syncSpeed, synchronous, 1e-12);
    EXPECT_LT(drive.last().mechSpeed, synchronous);
    EXPECT_GT(drive.last().mechSpeed, 0.98 * synchronous);
    double peakCurrent = 0;
    for (int i = 0; i < drive.run->SampleCount; ++i)
        peakCurrent = std::max(peakCurrent, drive.run->samples[i].current);
    EXPECT_GT(peakCurrent, 3 * drive.last().current); // the starting current
}

// The inverse machine constant L2s / (Lms * p1) reveals the magnetising inductance chosen:
// 10 (L1 + L2) from inductances, 30 (Ls1 + Ls2) from reactances.
TEST(InductionMotor, MissingMagnetisingValueFollowsFromTheLeakages)
{
    Drive inductances = InductionMotor();
    Drive reactances = InductionMotor();
    reactances.params.UseInductances = false;
    reactances.params.X1 = reactances.params.X2 = 0.5;
    for (Drive* drive : {&inductances, &reactances}) {
        drive->params.m1 = 2;
        drive->params.p1 = 1;
        drive->params.L12 = 0;
        ASSERT_TRUE(drive->simulate());
    }
    EXPECT_NEAR(inductances.run->invMachineConstant, (0.002 + 0.04) / 0.04, 1e-12);
    EXPECT_NEAR(reactances.run->invMachineConstant, 61.0 / 60.0, 1e-12);
}

TEST(InductionMotor, DefaultsOnlyTheSelectedLeakagesAndPoles)
{
    Drive drive = InductionMotor();
    drive.params.L1 = drive.params.R1 = drive.params.p1 = 0;
    drive.params.P = 1.5;
    ASSERT_TRUE(drive.simulate());
    EXPECT_EQ(drive.params.L1, 0.001);
    EXPECT_EQ(drive.params.X1, 0);
    EXPECT_EQ(drive.params.R1, 0);
    EXPECT_EQ(drive.params.p1, 1);
    EXPECT_NEAR(drive.run->fieldCurrent, 500 * 1.5 / 220, 1e-12); // no I given
}

} // namespace
} // namespace kinetra::test
