#include <utility>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace kinetra::test {
namespace {

// The stored step lies slightly above 1 ms, and the quotient is formed in extended precision.
TEST(RunLength, FollowsTmaxInWholeStepsUpToTheBuffer)
{
    for (const auto& [Tmax, samples] :
         {std::pair{1.0, 999}, {10.0, 9999}, {20.0, 10000}, {0.0009, 0}, {-1.0, 0}}) {
        Drive drive = DcMotor();
        drive.params.Tmax = Tmax;
        ASSERT_TRUE(drive.simulate());
        EXPECT_EQ(drive.run->SampleCount, samples) << Tmax;
        if (samples > 0) {
            EXPECT_NEAR(drive.last().time, (samples - 1) * 0.001, 1e-12) << Tmax;
        } else {
            EXPECT_EQ(drive.run->samples[1].mechSpeed, 0);
        }
    }
}

TEST(RunLength, ZeroTakesFourTimesTheTimeConstantsAndKeepsTheEditorValue)
{
    Drive drive = DcMotor();
    drive.params.Tmax = 0;
    ASSERT_TRUE(drive.simulate());
    // Tm = J * R2 * 0.5^2 = 0.025 s, Te = L2 / R2 = 0.005 s.
    EXPECT_NEAR(drive.run->SampleCount, 4 * (0.025 + 0.005) / 0.001, 1);
    EXPECT_EQ(drive.params.Tmax, 0);
}

TEST(RunSamples, StartAtRestAndLeaveTheMotorSpeedOfARigidDriveEmpty)
{
    for (Drive (*const model)() : {DcMotor, InductionMotor}) {
        Drive drive = model();
        ASSERT_TRUE(drive.simulate());
        const ResultSample& rest = drive.run->samples[0];
        EXPECT_EQ(rest.time + rest.torque + rest.mechSpeed + rest.current + rest.motorSpeed, 0);
        EXPECT_GT(drive.run->samples[1].current, 0);
        EXPECT_EQ(drive.last().motorSpeed, 0);
    }
}

// The permanent-magnet class writes L2 back, the separately excited one leaves it.
TEST(ModelChoice, DcMotorOnTheMainsAlwaysHasPermanentMagnets)
{
    for (const auto& [supplyKind, permanentMagnets] : {std::pair{0, true}, {-1, false}}) {
        Drive drive = DcMotor();
        drive.params.SupplyKind = supplyKind;
        drive.params.L2 = 0;
        drive.params.U10 = 110;
        drive.params.R1 = 50;
        ASSERT_TRUE(drive.simulate());
        EXPECT_EQ(drive.params.L2 != 0, permanentMagnets) << supplyKind;
        // Both reach U * invMachineConstant at no load.
        EXPECT_NEAR(drive.last().mechSpeed, 110, 0.5) << supplyKind;
    }
}

// A servomotor off the transistor converter fails with a reason of its own, which the program
// names.
TEST(ModelChoice, NoMotorAServomotorOffItsConverterAndUnknownKindsFailWithTheirReason)
{
    using enum RunOutcome;
    for (const auto& [motorKind, supplyKind, outcome] : {std::tuple{-1, 0, NoMotor},
                                                         {2, -1, SupplyRefused},
                                                         {2, 0, SupplyRefused},
                                                         {2, 2, SupplyRefused},
                                                         {3, 0, NoMotor},
                                                         {1, 3, NoMotor},
                                                         {0, -2, NoMotor}}) {
        Drive drive = DcMotor();
        drive.params.MotorKind = motorKind;
        drive.params.SupplyKind = supplyKind;
        drive.simulate();
        EXPECT_EQ(drive.outcome, outcome) << motorKind << " " << supplyKind;
        EXPECT_EQ(SupplyRefusalOf(drive.params).has_value(), outcome == SupplyRefused);
    }
}

TEST(RunDefaults, ZerosAreReplacedAndWrittenBack)
{
    Drive drive = DcMotor();
    ModelParams& p = drive.params;
    p.R2 = p.U = p.w = p.J = p.ii = p.ni = p.m0 = 0;
    ASSERT_TRUE(drive.simulate());
    EXPECT_EQ(p.R2, 1);
    EXPECT_EQ(p.U, 100);
    EXPECT_EQ(p.w, 100);
    EXPECT_EQ(p.J, 0.001);
    EXPECT_EQ(p.ii, 1);
    EXPECT_EQ(p.ni, 100);
    EXPECT_EQ(p.m0, 6);
}

TEST(RunFailures, NoBackEmfAtTheRatedPointIsAnInputError)
{
    Drive drive = DcMotor();
    drive.params.R2 = 22; // I * R2 = U
    EXPECT_FALSE(drive.simulate());
    EXPECT_EQ(drive.outcome, RunOutcome::CircuitNotDerived);
    EXPECT_EQ(drive.run->SampleCount, 0);
}

// Data no input path gives, but that would make a model divide by zero or build a machine of a
// fraction of a pole pair, are refused with their reason before the model is built.
TEST(RunFailures, DegenerateDataAreRefusedWithTheirReason)
{
    using enum DataFault;
    const auto induction = [](auto change) {
        Drive drive = InductionMotor();
        change(drive.params);
        return drive;
    };
    const auto servo = [](auto change) {
        Drive drive = Servomotor();
        change(drive.params);
        return drive;
    };
    std::pair<Drive, DataFault> cases[] = {
        // The circuits' leakages cancel: the determinant of the inductances is zero.
        {induction([](ModelParams& p) { p.L10 = p.L20 = -1; }), NonPositiveCircuit},
        {induction([](ModelParams& p) { p.p1 = 1.5; }), FractionalPolePairs},
        {induction([](ModelParams& p) { p.m1 = 2.5; }), FractionalPhases},
        {servo([](ModelParams& p) { p.p1 = 0; }), NoServoPolePairs},
        {servo([](ModelParams& p) { p.R10 = -5; }), NonPositiveCircuit},
    };
    for (auto& [drive, fault] : cases) {
        EXPECT_FALSE(drive.simulate());
        EXPECT_EQ(drive.outcome, RunOutcome::DataRefused);
        EXPECT_EQ(DataFaultOf(drive.params), fault);
        EXPECT_EQ(drive.run->SampleCount, 0);
    }
}

} // namespace
} // namespace kinetra::test
