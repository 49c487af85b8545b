#include <gtest/gtest.h>

#include <vector>

#include "AxisTicks.h"
#include "Readouts.h"

namespace kinetra::test {
namespace {

TEST(AxisTicks, StepsAreOneTwoOrFiveTimesAPowerOfTen)
{
    struct Case {
        double span;
        double step;
    };
    for (const Case& c : std::vector<Case>{
             {222.13, 50}, {45.38, 10}, {10, 2}, {8, 1}, {0.02661, 0.005}, {1.999, 0.5}, {0, 1}}) {
        EXPECT_DOUBLE_EQ(RoundTickStep(c.span, 8), c.step) << c.span;
    }
    EXPECT_EQ(TickDecimals(50), 0);
    EXPECT_EQ(TickDecimals(0.5), 1);
    EXPECT_EQ(TickDecimals(0.005), 3);
}

TEST(AxisTicks, TimeAxisEndsAreLabelledAndNoRoundTickCrowdsThem)
{
    const std::vector<double> ticks = TicksWithEnds(0, 9.999, 8);
    EXPECT_EQ(ticks, (std::vector<double>{0, 2, 4, 6, 8, 9.999}));
    EXPECT_EQ(TicksWithEnds(0, 10.2, 8), (std::vector<double>{0, 2, 4, 6, 8, 10.2}))
        << "10 would run into 10,2";
}

TEST(StaticReadoutPoint, FoundAlongTheLineNotOnlyOnItsPoints)
{
    const std::vector<QPointF> curve{{0, 0}, {100, 0}, {100, 100}};
    EXPECT_EQ(PointUnderCursor(curve, {30, 4}, 6), 0);
    EXPECT_EQ(PointUnderCursor(curve, {70, -4}, 6), 1);
    EXPECT_EQ(PointUnderCursor(curve, {104, 90}, 6), 2);
    EXPECT_EQ(PointUnderCursor(curve, {50, 20}, 6), -1);
}

} // namespace
} // namespace kinetra::test
