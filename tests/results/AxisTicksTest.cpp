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

// Four significant figures of the span on show, never fewer than the axis labels' two decimals;
// the sample read is the first at or after the time so read, none at time 0.
TEST(DynamicReadoutTime, FollowsTheSpanOnShow)
{
    for (const auto& [span, decimals] :
         {std::pair{10.0, 2}, {2.0, 3}, {0.999, 4}, {0.05, 5}, {100.0, 2}, {0.0, 2}})
        EXPECT_EQ(ReadoutTimeDecimals(span), decimals) << span;
    const std::vector<QPointF> current{{0, 0}, {0.0001, 1}, {0.0002, 2}, {0.0003, 3}};
    const std::vector<QPointF> speed{{0, 0}, {0.0001, 5}, {0.0002, 6}, {0.0003, 7}};
    const int decimals = ReadoutTimeDecimals(0.0003);
    EXPECT_EQ(
        DynamicReadout(current, speed, 4, TimeAsRead(0.000151, decimals), decimals, false, u','),
        u"Время: 0,0002000, ток: 2,00, скорость: 6,00");
    EXPECT_EQ(
        DynamicReadout(current, speed, 4, TimeAsRead(0.00000004, decimals), decimals, false, u','),
        u"Нет данных");
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
