#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace kinetra::test {
namespace {

// The DC motor on 220 V: w0 = 220 * 0.5 = 110 rad/s, short-circuit current 220 / 2 = 110 A, or
// in torque mode the torque 110 / 0.5 = 220 Nm.
TEST(StaticCharacteristic, DcMotorIsAStraightLineToTheShortCircuitPoint)
{
    for (const bool torqueMode : {false, true}) {
        Drive drive = DcMotor();
        drive.params.TorqueControl = torqueMode;
        ASSERT_TRUE(drive.simulate());
        const std::vector<StaticPoint> points = drive.characteristic();
        ASSERT_GE(points.size(), 100u);
        EXPECT_TRUE(points[0].white);
        EXPECT_EQ(points[0].x, 0);
        EXPECT_EQ(points[0].y, 0);
        EXPECT_FALSE(points[1].white);
        EXPECT_EQ(points[1].x, 0);
        EXPECT_NEAR(points[1].y, 110, 1e-12);
        const double end = torqueMode ? 220 : 110;
        for (std::size_t i = 2; i < points.size(); ++i)
            EXPECT_NEAR(points[i].y, 110 * (1 - points[i].x / end), 1e-9);
        EXPECT_NEAR(points.back().x, end, 0.011 * end);
    }
}

// The straight part starts on the zone's last point, so that point is the first one drawn twice.
// Converter gain 2 makes c = 0.5: firing at 60 degrees, beyond the half-pulse angle.
TEST(StaticCharacteristic, ThyristorAddsTheIntermittentCurrentZone)
{
    Drive drive = DcMotorOnConverter(2);
    drive.params.F0 = 0; // no controller
    drive.params.U20 = 110;
    ASSERT_TRUE(drive.simulate());
    const std::vector<StaticPoint> points = drive.characteristic();
    ASSERT_GT(points.size(), 12u);
    std::size_t zoneEnd = 2;
    while (zoneEnd + 1 < points.size() && (points[zoneEnd + 1].x != points[zoneEnd].x ||
                                           points[zoneEnd + 1].y != points[zoneEnd].y))
        ++zoneEnd;
    const std::size_t zonePoints = zoneEnd - 1;
    EXPECT_TRUE(zonePoints == 9 || zonePoints == 10) << zonePoints;
    for (std::size_t i = 2; i < zoneEnd; ++i) {
        EXPECT_GT(points[i + 1].x, points[i].x); // the current grows
        EXPECT_LT(points[i + 1].y, points[i].y); // the speed falls
    }
    EXPECT_GT(points[2].y, 55); // above the no-load speed of continuous current
    EXPECT_NEAR(points.back().y, 0, 1.5);
}

TEST(StaticCharacteristic, InductionMotorHasAHundredPointsFromStandstill)
{
    Drive drive = InductionMotor();
    ASSERT_TRUE(drive.simulate());
    const std::vector<StaticPoint> points = drive.characteristic();
    ASSERT_EQ(points.size(), 100u);
    EXPECT_TRUE(points[0].white);
    EXPECT_EQ(points[0].y, 0);
    EXPECT_FALSE(points[1].white);
    // The current falls from the starting current as the speed approaches synchronism.
    EXPECT_GT(points[0].x, points[99].x);
    EXPECT_NEAR(points[99].y, 0.99 * drive.run->syncSpeed, 0.01);
}

// A thyristor bridge feeding a lightly loaded motor conducts in gaps: at every load of the
// intermittent-current zone, the run's steady mean current and speed lie on the characteristic.
// The motor's armature resistance is small, as the zone's formula assumes.
TEST(StaticCharacteristic, ThyristorRunsOnTheIntermittentCurrentZone)
{
    for (const double load : {0.6, 1.5, 2.5}) {
        Drive drive = DcMotorOnConverter(2);
        drive.params.F0 = 0; // no controller: the bridge fires at its limit
        drive.params.R2 = 0.1;
        drive.params.Mc = load;
        drive.params.Tmax = 10;
        ASSERT_TRUE(drive.simulate());
        // The means over 30 whole periods of the network.
        const int last = drive.run->SampleCount - 1;
        const double current = drive.mean(&ResultSample::current, last - 600, last);
        const double speed = drive.mean(&ResultSample::mechSpeed, last - 600, last);
        const std::vector<StaticPoint> points = drive.characteristic();
        const auto above =
            std::find_if(points.begin() + 2, points.end(),
                         [&](const StaticPoint& point) { return point.x > current; });
        ASSERT_NE(above, points.end()) << load;
        const StaticPoint& below = *(above - 1);
        ASSERT_GT(current, below.x) << "outside the zone at " << load;
        const double onCurve =
            below.y + (current - below.x) / (above->x - below.x) * (above->y - below.y);
        EXPECT_NEAR(speed / onCurve, 1, 0.001) << load;
    }
}

TEST(StaticCharacteristic, UndefinedWhenItWouldDivideByZero)
{
    Drive noResistance = InductionMotor();
    noResistance.params.SupplyKind = 1;
    noResistance.params.U0 = 220;
    noResistance.params.F0 = 50;
    noResistance.params.wref = 100;
    noResistance.params.R2 = 0; // R2t = 0 under a controller
    ASSERT_TRUE(noResistance.simulate());
    ASSERT_TRUE(noResistance.run->controllerActive);
    EXPECT_TRUE(noResistance.characteristic().empty());

    Drive noVoltage = DcMotor();
    ASSERT_TRUE(noVoltage.simulate());
    noVoltage.run->supplyVoltage = 0; // Ish = x0 = 0
    EXPECT_TRUE(noVoltage.characteristic().empty());

    noVoltage.run->supplyVoltage = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(noVoltage.characteristic().empty());
}

// The servomotor's characteristic runs from its no-load speed to standstill and passes through
// the steady state its run reaches: loaded on the full voltage without a controller, and held at
// its rated speed under the rated load by the speed loop. In torque mode x is the torque.
TEST(StaticCharacteristic, ServomotorPassesThroughTheSteadyStateOfItsRun)
{
    for (const bool speedLoop : {false, true}) {
        Drive drive = Servomotor();
        ModelParams& p = drive.params;
        p.Mc = 3;
        p.TorqueControl = true;
        if (speedLoop) {
            p.wref = 314;
            p.Kpw = 0.5;
            p.Tpwint = 0.05;
            p.Kw = 1;
            p.KpI = 4;
            p.TpIint = 0.005;
            p.KI = 1;
        }
        ASSERT_TRUE(drive.simulate());
        const std::vector<StaticPoint> points = drive.characteristic();
        ASSERT_EQ(points.size(), 102u);
        EXPECT_TRUE(points[0].white);
        EXPECT_NEAR(points.back().y, 0, 1e-9) << speedLoop;
        const double torque = drive.last().torque;
        std::size_t i = 2;
        while (i + 1 < points.size() && points[i].x < torque)
            ++i;
        const StaticPoint& a = points[i - 1];
        const StaticPoint& b = points[i];
        const double speed = a.y + (b.y - a.y) * (torque - a.x) / (b.x - a.x);
        EXPECT_NEAR(speed / drive.last().mechSpeed, 1, 0.01) << speedLoop;
    }
}

} // namespace
} // namespace kinetra::test
