#include <gtest/gtest.h>

#include "../engine/EngineTestSupport.h"
#include "RunView.h"
#include "TestSupport.h"

namespace kinetra::test {
namespace {

// The permanent-magnet DC motor on the mains with no converter: m0 is left at 0 and the engine
// writes its default back.
ModelParams DcMotorFor(double Tmax)
{
    ModelParams params = DcMotor().params;
    params.Tmax = Tmax;
    return params;
}

struct RunFixture : ::testing::Test {
    std::unique_ptr<RunData> run = std::make_unique<RunData>();
    std::unique_ptr<SignalSeries> signal = std::make_unique<SignalSeries>(UnitSignal());
};

using RunViewTest = RunFixture;

// Every run length labels the end of its time axis, in the texts' own number format.
TEST(RunChartTicks, TimeAxisEndIsAlwaysLabelledWithTheTextsSeparator)
{
    for (const auto& [maximum, last, before] : {std::tuple{0.499, "0,5", "0,4"},
                                                {1.499, "1,5", "1,2"},
                                                {9.999, "10", "8"},
                                                {1.998, "2", "1,5"}}) {
        const std::vector<AxisTick> ticks = TimeTicks(0, maximum, u',');
        ASSERT_GE(ticks.size(), 2u) << maximum;
        EXPECT_EQ(ticks.back().label, QLatin1String(last)) << maximum;
        EXPECT_DOUBLE_EQ(ticks.back().value, maximum);
        EXPECT_EQ(ticks[ticks.size() - 2].label, QLatin1String(before)) << maximum;
        EXPECT_EQ(ticks.front().label, u"0");
    }
    const std::vector<AxisTick> values = ValueTicks(-13.5, 158.3, u',');
    EXPECT_EQ(values.front().label, u"0");
    EXPECT_EQ(values.back().label, u"150");
    EXPECT_EQ(ValueTicks(0, 0.5, u',')[1].label, u"0,1");
}

TEST_F(RunViewTest, KeepsTheCollectedParametersBesideTheSimulatedOnes)
{
    const RunView view = SimulateAndView(DcMotorFor(1), *run, *signal, u',');
    ASSERT_TRUE(view.completed());
    EXPECT_EQ(view.collected.m0, 0);
    EXPECT_EQ(view.simulated.m0, 6);
    EXPECT_EQ(view.charts.dynamics.horizontal.ticks.back().label, u"1");
    EXPECT_FALSE(view.summary.isEmpty());
    const CurveData* loop = view.charts.dynamics.curve(CurveRole::TorqueOrCurrent);
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->points.size(), run->SampleCount);
    EXPECT_EQ(loop->name, u"Ток");
    EXPECT_FALSE(view.charts.dynamics.curve(CurveRole::MotorSpeed)->shown);
}

// The static characteristic's invisible start point widens the axis but draws no line.
TEST_F(RunViewTest, StaticCurveLeavesOutTheInvisibleStartPoint)
{
    ModelParams induction = InductionMotor().params;
    induction.Tmax = 1;
    const RunView view = SimulateAndView(induction, *run, *signal, u',');
    ASSERT_TRUE(view.completed());
    ASSERT_TRUE(view.staticPoints.front().white);
    const CurveData& statics = view.charts.statics.curves.front();
    EXPECT_EQ(statics.points.size(), qsizetype(view.staticPoints.size()) - 1);
    EXPECT_EQ(statics.points.front().x(), view.staticPoints[1].x);
}

// Every failure names its reason, as a sweep's row does: "Ошибки ввода " alone tells nothing.
TEST_F(RunViewTest, FailedRunSaysWhyAndShowsNothing)
{
    ModelParams noMotor = DcMotorFor(1);
    noMotor.MotorKind = -1;
    ModelParams synchronousOnMains = DcMotorFor(1);
    synchronousOnMains.MotorKind = 2;
    ModelParams noBackEmf = DcMotorFor(1);
    noBackEmf.R2 = 22;
    for (const auto& [params, outcome] : {std::pair{noMotor, RunOutcome::NoMotor},
                                          {synchronousOnMains, RunOutcome::SupplyRefused},
                                          {noBackEmf, RunOutcome::CircuitNotDerived}}) {
        const RunView view = SimulateAndView(params, *run, *signal, u',');
        EXPECT_EQ(view.outcome, outcome);
        EXPECT_FALSE(RunFailureReason(view, *run, u',').isEmpty()) << int(outcome);
        EXPECT_TRUE(view.summary.isEmpty());
        EXPECT_TRUE(view.charts.dynamics.curves.empty());
    }
}

// A run that leaves the drive's reach shows its samples up to there, and says where and why.
TEST_F(RunViewTest, DivergedRunShowsItsSamplesUpToWhereItLeftTheReach)
{
    ModelParams reversed = DcMotorOnConverter(1).params;
    reversed.R2 = 30; // I R2 above U: a machine constant the cascade winds away on
    reversed.Kpw = 25;
    reversed.KpI = 1;
    reversed.TpIint = 0.005;
    reversed.Imax = 35;
    reversed.wref = 100;
    const RunView view = SimulateAndView(reversed, *run, *signal, u',');
    ASSERT_EQ(view.outcome, RunOutcome::Diverged);
    ASSERT_TRUE(view.hasSamples());
    const CurveData* loop = view.charts.dynamics.curve(CurveRole::TorqueOrCurrent);
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->points.size(), run->SampleCount);
    EXPECT_TRUE(view.runNotice.startsWith(QStringLiteral("Расчёт прерван при t = ")))
        << view.runNotice.toStdString();
    EXPECT_TRUE(view.runNotice.contains(QStringLiteral(": ток ")));
    EXPECT_EQ(RunFailureReason(view, *run, u','), view.runNotice);
}

// Runs kept on show widen the ranges the summary and the axes read.
TEST_F(RunViewTest, EarlierRangesWidenTheAxes)
{
    const RunView longer = SimulateAndView(DcMotorFor(2), *run, *signal, u',');
    const RunView shorter = SimulateAndView(DcMotorFor(1), *run, *signal, u',', &longer.ranges);
    EXPECT_DOUBLE_EQ(shorter.charts.dynamics.horizontal.maximum,
                     longer.charts.dynamics.horizontal.maximum);
    EXPECT_EQ(shorter.summaryFigures.timeMaximum, longer.summaryFigures.timeMaximum);
}

} // namespace
} // namespace kinetra::test
