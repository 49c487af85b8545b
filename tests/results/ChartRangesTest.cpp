#include "ChartRanges.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace kinetra {
namespace {

using test::Exact;
using test::RunWithSamples;

void ExpectBounds(const DataRange& range, double minimum, double maximum)
{
    EXPECT_NEAR(range.minimum(), minimum, Exact);
    EXPECT_NEAR(range.maximum(), maximum, Exact);
}

DataRange RangeOf(std::initializer_list<double> values)
{
    DataRange range;
    for (double value : values)
        range.include(value);
    return range;
}

TEST(DataRange, NeverCollapses)
{
    EXPECT_TRUE(DataRange().isEmpty());
    ExpectBounds(DataRange(), 0, 1);
    ExpectBounds(RangeOf({-2.5}), -2.5, -1.5);
    ExpectBounds(RangeOf({3, 3, 3}), 3, 4);
    ExpectBounds(RangeOf({4, -1, 2}), -1, 4);
}

TEST(DataRange, MergesTheValuesNotTheRaisedBounds)
{
    DataRange atRest = RangeOf({0});
    atRest.merge(RangeOf({-3, -2}));
    ExpectBounds(atRest, -3, 0);

    DataRange empty;
    empty.merge(RangeOf({5}));
    ExpectBounds(empty, 5, 6);

    DataRange spread = RangeOf({1, 2});
    spread.merge(DataRange());
    ExpectBounds(spread, 1, 2);
}

ModelParams Modes(bool torqueControl, bool elasticGear)
{
    ModelParams params;
    params.TorqueControl = torqueControl;
    params.ElasticGear = elasticGear;
    return params;
}

// Samples as {time, torque, mechSpeed, current, motorSpeed}.
std::unique_ptr<RunData> ThreeSamples()
{
    return RunWithSamples({{0, 0, 0, 0, 0}, {0.001, 40, 3, -7, 9}, {0.002, -5, 2, 12, -4}});
}

TEST(ChartRanges, LeftAxisFollowsTheControlMode)
{
    const auto run = ThreeSamples();
    ExpectBounds(ChartRangesOfRun(*run, Modes(true, false), {}).dynamicsLeft, -5, 40);
    ExpectBounds(ChartRangesOfRun(*run, Modes(false, false), {}).dynamicsLeft, -7, 12);
    ExpectBounds(ChartRangesOfRun(*run, Modes(false, false), {}).dynamicsTime, 0, 0.002);
}

TEST(ChartRanges, RightAxisHoldsTheMotorSpeedOnlyWithAnElasticGear)
{
    const auto run = ThreeSamples();
    ExpectBounds(ChartRangesOfRun(*run, Modes(false, false), {}).dynamicsRight(), 0, 3);
    ExpectBounds(ChartRangesOfRun(*run, Modes(false, true), {}).dynamicsRight(), -4, 9);
}

TEST(ChartRanges, StaticsIncludeTheInvisibleFirstPoint)
{
    const std::vector<StaticPoint> statics{{0, 0, true}, {0, 110, false}, {110, 0, false}};
    const ChartRanges ranges = ChartRangesOfRun(*ThreeSamples(), ModelParams(), statics);
    ExpectBounds(ranges.staticsX, 0, 110);
    ExpectBounds(ranges.staticsY, 0, 110);

    const std::vector<StaticPoint> start{{-2, 50, true}, {0, 50, false}};
    ExpectBounds(ChartRangesOfRun(*ThreeSamples(), ModelParams(), start).staticsX, -2, 0);
}

TEST(ChartRanges, ReadNoFurtherThanTheBufferAndShowTheUnitRangeWhenEmpty)
{
    auto run = ThreeSamples();
    run->samples.back().time = 99;
    run->SampleCount = ResultCapacity + 5;
    EXPECT_NEAR(ChartRangesOfRun(*run, ModelParams(), {}).dynamicsTime.maximum(), 99, Exact);
    run->SampleCount = -1;
    const ChartRanges none = ChartRangesOfRun(*run, ModelParams(), {});
    ExpectBounds(none.dynamicsTime, 0, 1);
    ExpectBounds(none.dynamicsRight(), 0, 1);
    ExpectBounds(none.staticsY, 0, 1);
}

TEST(ChartRanges, LaterRunsWidenTheRanges)
{
    const auto second = RunWithSamples({{0, 0, 0, 0, 0}, {0.5, 80, -6, 1, 0}});
    const std::vector<StaticPoint> secondStatics{{0, 0, true}, {7, 1, false}};
    ChartRanges ranges = ChartRangesOfRun(*ThreeSamples(), Modes(true, false), {});
    ranges.mergeLater(ChartRangesOfRun(*second, Modes(true, false), secondStatics));
    ExpectBounds(ranges.dynamicsTime, 0, 0.5);
    ExpectBounds(ranges.dynamicsLeft, -5, 80);
    ExpectBounds(ranges.dynamicsRight(), -6, 3);
    ExpectBounds(ranges.staticsX, 0, 7);
}

TEST(ChartRanges, TheLatestTransmissionDecidesWhetherMotorSpeedsCount)
{
    const auto rigid = RunWithSamples({{0, 0, 0, 0, 0}, {0.001, 1, 2, 1, 0}});
    const ChartRanges elasticRun = ChartRangesOfRun(*ThreeSamples(), Modes(false, true), {});
    const ChartRanges rigidRun = ChartRangesOfRun(*rigid, Modes(false, false), {});

    ChartRanges elasticThenRigid = elasticRun;
    elasticThenRigid.mergeLater(rigidRun);
    ExpectBounds(elasticThenRigid.dynamicsRight(), 0, 3);

    ChartRanges rigidThenElastic = rigidRun;
    rigidThenElastic.mergeLater(elasticRun);
    ExpectBounds(rigidThenElastic.dynamicsRight(), -4, 9);
}

// An axis reaches 5 % of its span beyond its data, but at a zero its data starts from; axes side
// by side share the height of their zeros, growing only.
TEST(AxisSpans, LeaveRoomBeyondTheDataAndLineUpTheirZeros)
{
    struct Headroom {
        std::initializer_list<double> data;
        double minimum, maximum;
    };
    for (const Headroom& c : {Headroom{{0, 100}, 0, 105}, Headroom{{-10, 90}, -15, 95},
                              Headroom{{-100, 0}, -105, 0}, Headroom{{20, 30}, 19.5, 30.5}}) {
        const AxisSpan span = WithHeadroom(RangeOf(c.data));
        EXPECT_NEAR(span.minimum, c.minimum, Exact) << c.minimum;
        EXPECT_NEAR(span.maximum, c.maximum, Exact) << c.maximum;
    }

    struct Aligned {
        AxisSpan left, right, leftAfter, rightAfter;
    };
    for (Aligned c : {Aligned{{-10, 90}, {0, 300}, {-10, 90}, {-100 / 3.0, 300}},
                      Aligned{{0, 40}, {-50, 150}, {-40 / 3.0, 40}, {-50, 150}},
                      Aligned{{0, 40}, {-60, 0}, {-40, 40}, {-60, 60}},
                      Aligned{{5, 40}, {-60, 60}, {5, 40}, {-60, 60}}}) {
        std::array spans{&c.left, &c.right};
        AlignZeros(spans);
        for (const auto& [span, expected] :
             {std::pair{c.left, c.leftAfter}, std::pair{c.right, c.rightAfter}}) {
            EXPECT_NEAR(span.minimum, expected.minimum, 1e-12) << expected.minimum;
            EXPECT_NEAR(span.maximum, expected.maximum, 1e-12) << expected.maximum;
        }
    }
}

} // namespace
} // namespace kinetra
