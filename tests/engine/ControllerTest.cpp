#include <gtest/gtest.h>

#include "Controller.h"
#include "EngineTestSupport.h"
#include "RunPreparation.h"

namespace kinetra::test {
namespace {

bool SetsUpController(Drive& drive)
{
    SimulationRecord record = drive.record();
    PrepareRun(record);
    return ControllerSetup(record);
}

TEST(ControllerSetup, NeedsAConverterU0F0AndAReference)
{
    Drive drive = DcMotorOnConverter(1);
    drive.params.wref = 50;
    EXPECT_TRUE(SetsUpController(drive));
    for (const auto& [supplyKind, U0, F0, wref] : {std::tuple{0, 220.0, 50.0, 50.0},
                                                   {-1, 220.0, 50.0, 50.0},
                                                   {1, 0.0, 50.0, 50.0},
                                                   {1, 220.0, 0.0, 50.0},
                                                   {1, 220.0, 50.0, 0.0}}) {
        drive.params.SupplyKind = supplyKind;
        drive.params.U0 = U0;
        drive.params.F0 = F0;
        drive.params.wref = wref;
        EXPECT_FALSE(SetsUpController(drive)) << supplyKind << " " << U0 << " " << F0;
        EXPECT_FALSE(drive.run->loopI || drive.run->loopW || drive.run->loopF);
    }
}

TEST(ControllerSetup, RaisesTimeConstantsBelowOneStepAndGivesInnerLoopsUnitGain)
{
    Drive drive = DcMotorOnConverter(1);
    drive.params.Kpf = 3;
    drive.params.wref = 10;
    ASSERT_TRUE(SetsUpController(drive));
    const ModelParams& p = drive.params;
    EXPECT_EQ(p.Tf, 0.001);
    EXPECT_EQ(p.Tw, 0.001);
    EXPECT_EQ(p.TI, 0.001);
    EXPECT_EQ(p.T0, 0.001);
    EXPECT_EQ(p.Kpw, 1);
    EXPECT_EQ(p.KpI, 1);
    EXPECT_TRUE(drive.run->loopF && drive.run->loopW && drive.run->loopI);
    const ControllerCoefficients& c = drive.run->coefficients;
    EXPECT_EQ(c.sensFPole, 0);
    EXPECT_EQ(c.convPole, 0);
    EXPECT_EQ(c.intW, 0); // Tpwint below one step: no integral action
}

// Pairs whose product rounds differently in double: the derivative coefficients must come from
// the extended-precision product, as every other controller coefficient does.
TEST(ControllerSetup, DerivativeCoefficientsAreFormedInExtendedPrecision)
{
    const auto extended = [](double gain, double time) {
        return static_cast<double>(static_cast<long double>(gain) * time /
                                   static_cast<long double>(0.001));
    };
    for (const auto& [gain, time] : {std::pair{0.7, 0.013}, {2.9, 0.29}, {7.1, 0.003}}) {
        Drive drive = DcMotorOnConverter(1);
        drive.params.wref = 10;
        drive.params.Kpf = gain;
        drive.params.Tpfdif = time;
        drive.params.Kpw = gain;
        drive.params.Tpwdif = time;
        drive.params.KpI = gain;
        drive.params.TpIdif = time;
        ASSERT_TRUE(SetsUpController(drive));
        const ControllerCoefficients& c = drive.run->coefficients;
        for (const double coefficient : {c.difF, c.difW, c.difI})
            EXPECT_EQ(coefficient, extended(gain, time)) << gain << " " << time;
    }
}

// KI = 2 scales the reference to 10 and the filtered current by 2; TI = 0 makes the sensor follow
// within one step.
TEST(ControllerStep, CurrentLoopComparesTheScaledReferenceWithTheScaledCurrent)
{
    Drive drive = DcMotorOnConverter(1);
    drive.params.KpI = 4;
    drive.params.Iref = 5;
    drive.params.KI = 2;
    ASSERT_TRUE(SetsUpController(drive));
    EXPECT_EQ(drive.run->memory.torqueRef, 10);
    drive.run->samples[1].current = 3;
    SimulationRecord record = drive.record();
    ControllerStep(record, 1);
    EXPECT_EQ(drive.run->memory.torqueErr, 10 - 2 * 3);
    // Output (10 - 6) * 4 through the unit converter gain, as a voltage: times ii / 0.5.
    drive.run->invMachineConstant = 0.5;
    ControllerStep(record, 2);
    EXPECT_NEAR(static_cast<double>(drive.run->memory.ctrlOut), 10 * 4, 1e-12);
    EXPECT_NEAR(drive.run->supplyVoltage, 10 * 4 / 0.5, 1e-9);
}

// With no gains the controller drives the converter open-loop with wref; the converter gain
// cancels between the lag and the converter.
TEST(Controller, OpenLoopDriveSettlesAtTheReferenceSpeed)
{
    Drive drive = DcMotorOnConverter(1);
    drive.params.U20 = 440; // converter gain 0.5
    drive.params.wref = 50;
    ASSERT_TRUE(drive.simulate());
    EXPECT_TRUE(drive.run->controllerActive);
    EXPECT_NEAR(drive.last().mechSpeed, 50, 1e-6);
}

TEST(Controller, SpeedLoopHoldsTheReferenceUnderLoad)
{
    Drive drive = DcMotorOnConverter(1);
    drive.params.Kpw = 2;
    drive.params.Tpwint = 0.05;
    drive.params.Kw = 1;
    drive.params.Tw = 0.002;
    drive.params.KpI = 1;
    drive.params.wref = 60;
    drive.params.Mc = 15;
    ASSERT_TRUE(drive.simulate());
    EXPECT_NEAR(drive.last().mechSpeed, 60, 0.05);
    EXPECT_NEAR(drive.last().torque, 15, 0.05);
}

// The ramp stops once the measured position reaches fmax; the compensator's feed-forward keeps
// the position close behind the ramp, so the drive comes to rest just beyond the limit.
TEST(Controller, PositionRampStopsAtTheLimit)
{
    Drive drive = DcMotorOnConverter(1);
    drive.params.Kpf = 5;
    drive.params.Kk = 1;
    drive.params.Kf = 1;
    drive.params.wref = 10;
    drive.params.Kpw = 2;
    drive.params.Kw = 1;
    drive.params.fmax = 3;
    ASSERT_TRUE(drive.simulate());
    const double stop = static_cast<double>(drive.run->memory.posRef);
    EXPECT_GT(stop, 3);
    EXPECT_LT(stop, 4);
    double position = 0;
    for (int i = 1; i < drive.run->SampleCount; ++i)
        position += drive.run->samples[i].mechSpeed * drive.run->timeStep;
    EXPECT_NEAR(position, stop, 0.05);

    Drive unlimited = DcMotorOnConverter(1);
    unlimited.params = drive.params;
    unlimited.params.fmax = 0;
    ASSERT_TRUE(unlimited.simulate());
    EXPECT_NEAR(static_cast<double>(unlimited.run->memory.posRef), 10 * 1.998, 0.01);
}

} // namespace
} // namespace kinetra::test
