#include <cmath>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "Load.h"
#include "RunPreparation.h"

namespace kinetra::test {
namespace {

// The load at a speed state and a driving torque: the backlash is a dead band without load, a
// reactive load opposes the motion and at rest holds the shaft up to its own torque, an active
// load keeps its sign.
TEST(Load, ReactiveOpposesTheMotionAndHoldsAtRestActiveKeepsItsSign)
{
    Drive drive = DcMotor();
    drive.params.Mc = 30;
    drive.params.ii = 2;
    drive.params.ni = 50; // 100 * 30 / (2 * 50) = 30 Nm at the motor shaft
    drive.params.gi = 2;
    (*drive.signal)[7] = 0.5;
    SimulationRecord record = drive.record();
    PrepareRun(record);
    const LoadLaw backlash = LoadLawOf(LoadKind::Constant, 1, record);
    EXPECT_EQ(LoadAt(backlash, 0, 100), 0);
    EXPECT_EQ(LoadAt(backlash, -1.9, 100), 0);
    EXPECT_EQ(LoadAt(backlash, 5, 0), 30);
    EXPECT_EQ(LoadAt(backlash, -5, 0), -30);
    EXPECT_EQ(LoadAt(LoadLawOf(LoadKind::Variable, 7, record), -5, 0), -15);

    drive.params.gi = 0;
    const LoadLaw friction = LoadLawOf(LoadKind::Constant, 1, record);
    EXPECT_EQ(LoadAt(friction, 0, 12), 12);
    EXPECT_EQ(LoadAt(friction, 0, -12), -12);
    EXPECT_EQ(LoadAt(friction, 0, 45), 30);
    EXPECT_EQ(LoadAt(friction, 0, -45), -30);

    drive.params.ActiveLoad = true;
    const LoadLaw weight = LoadLawOf(LoadKind::Constant, 1, record);
    EXPECT_EQ(LoadAt(weight, -5, 0), 30);
    EXPECT_EQ(LoadAt(weight, 0, 0), 30);
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
// reactive one (friction) holds it at standstill.
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
    for (int i = 0; i < reactive.run->SampleCount; ++i)
        ASSERT_EQ(reactive.run->samples[i].mechSpeed, 0) << i;
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

// Without its damping the transmission gets 99999999999 Nms/rad, a damper that settles within far
// less than a microsecond: the shaft turns the mechanism rigidly, and the run equals the rigid
// one, with the motor's speed shown beside the mechanism's.
TEST(ElasticTransmission, WithoutDampingTurnsRigidly)
{
    Drive rigid = DcMotor();
    rigid.params.cc = 2000;
    rigid.params.Jc = 0.2;
    rigid.params.ii = 2;
    rigid.params.Mc = 10;
    Drive elastic = DcMotor();
    elastic.params = rigid.params;
    elastic.params.ElasticGear = true;
    ASSERT_TRUE(rigid.simulate());
    ASSERT_TRUE(elastic.simulate());
    for (int i = 0; i < rigid.run->SampleCount; ++i) {
        const ResultSample& a = rigid.run->samples[i];
        const ResultSample& b = elastic.run->samples[i];
        ASSERT_EQ(a.mechSpeed, b.mechSpeed) << i;
        ASSERT_EQ(a.torque, b.torque) << i;
        ASSERT_NEAR(b.motorSpeed, 2 * b.mechSpeed, 1e-12 * std::abs(b.motorSpeed)) << i;
    }
}

} // namespace
} // namespace kinetra::test
