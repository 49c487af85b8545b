#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "Load.h"
#include "RunPreparation.h"

namespace kinetra::test {
namespace {

TEST(Load, ReactiveReversesWithTheSpeedActiveDoesNot)
{
    Drive drive = DcMotor();
    drive.params.Mc = 30;
    drive.params.ii = 2;
    drive.params.ni = 50; // 100 * 30 / (2 * 50) = 30 Nm at the motor shaft
    drive.params.gi = 2;
    (*drive.signal)[7] = 0.5;
    SimulationRecord record = drive.record();
    PrepareRun(record);
    EXPECT_EQ(LoadConstant(0, record), 0);    // inside the backlash
    EXPECT_EQ(LoadConstant(-1.9, record), 0); // inside the backlash
    EXPECT_EQ(LoadConstant(5, record), 30);
    EXPECT_EQ(LoadConstant(-5, record), -30);
    EXPECT_EQ(LoadVariable(-5, 7, record), -15);
    drive.params.ActiveLoad = true;
    EXPECT_EQ(LoadConstant(-5, record), 30);
}

TEST(Load, VariableLoadOfUnitSignalEqualsTheConstantLoad)
{
    Drive constant = DcMotor();
    constant.params.Mc = 10;
    Drive variable = DcMotor();
    variable.params = constant.params;
    variable.params.VariableLoad = true;
    ASSERT_TRUE(constant.simulate());
    ASSERT_TRUE(variable.simulate());
    for (int i = 0; i < constant.run->SampleCount; ++i)
        ASSERT_EQ(constant.run->samples[i].mechSpeed, variable.run->samples[i].mechSpeed) << i;
}

// A load heavier than the motor's stall torque of 220 Nm: an active one (a hoist's weight) drives
// the motor backwards into generating at current Mc * 0.5 and speed (220 - 2 * 220) * 0.5; a
// reactive one (friction) only holds it near standstill.
TEST(Load, OnlyAnActiveLoadDrivesTheMotorBackwards)
{
    Drive active = DcMotor();
    active.params.J = 0.5;
    active.params.Tmax = 4;
    active.params.Mc = 440;
    Drive reactive = DcMotor();
    reactive.params = active.params;
    active.params.ActiveLoad = true;
    ASSERT_TRUE(active.simulate());
    ASSERT_TRUE(reactive.simulate());
    EXPECT_NEAR(active.last().mechSpeed, -110, 1e-3);
    EXPECT_NEAR(active.last().current, 220, 1e-3);
    for (int i = 1000; i < reactive.run->SampleCount; ++i)
        ASSERT_LT(std::abs(reactive.run->samples[i].mechSpeed), 2) << i;
}

TEST(ElasticTransmission, MotorAndMechanismSpeedsAgreeInSteadyState)
{
    Drive drive = DcMotor();
    drive.params.ElasticGear = true;
    drive.params.cc = 2000;
    drive.params.bc = 5;
    drive.params.Jc = 0.2;
    drive.params.ii = 2;
    drive.params.Mc = 10;
    ASSERT_TRUE(drive.simulate());
    EXPECT_NEAR(drive.last().motorSpeed, 2 * drive.last().mechSpeed, 1e-6);
    EXPECT_NEAR(drive.last().torque, 10.0 / 2, 1e-6);
    bool lagged = false; // while the shaft winds up, the mechanism lags the motor
    for (int i = 1; i < 200; ++i)
        lagged |= drive.run->samples[i].motorSpeed > 2 * drive.run->samples[i].mechSpeed + 1;
    EXPECT_TRUE(lagged);
}

} // namespace
} // namespace kinetra::test
