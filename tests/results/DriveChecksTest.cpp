#include "DriveChecks.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace kinetra {
namespace {

using test::RunWithSamples;

// A DC speed drive on a transistor converter, its samples as
// {time, torque, mechSpeed, current, motorSpeed}.
std::unique_ptr<RunData> ConverterRun()
{
    auto run = RunWithSamples(
        {{0, 0, 0, 0, 0}, {0.1, 10, 50, 10, 0}, {0.2, -20, 100, -20, 0}, {0.3, 5, 100, 10, 0}});
    run->controllerActive = true;
    run->loopW = true;
    run->loopI = true;
    run->converterGain = 1;
    run->invMachineConstant = 1;
    return run;
}

ModelParams ConverterDrive()
{
    ModelParams params;
    params.MotorKind = 1;
    params.SupplyKind = 1;
    params.U = 220;
    params.I = 10;
    params.w = 150;
    params.U0 = 230;
    params.I0 = 25;
    params.P0 = 5;
    params.ii = 2;
    params.wref = 100;
    params.Imax = 20;
    params.KI = 1;
    return params;
}

// Peak, rms and power against the ratings; an induction motor's current is an amplitude, so its
// rms is the phase current's and its peak is held against the rated amplitude.
TEST(ConverterLoad, HoldsPeakRmsAndPowerAgainstTheRatings)
{
    const auto run = ConverterRun();
    ModelParams params = ConverterDrive();
    const double meanSquare = (100 + 400 + 100) / 4.0;
    for (const auto& [motorKind, rmsScale, ratedPeak] :
         {std::tuple{1, 1.0, 25.0},
          std::tuple{0, 1 / std::numbers::sqrt2, 25 * std::numbers::sqrt2}}) {
        params.MotorKind = motorKind;
        const std::optional<ConverterLoad> load = ConverterLoadOf(*run, params);
        ASSERT_TRUE(load);
        EXPECT_EQ(load->peakCurrent, 20);
        EXPECT_NEAR(load->rmsCurrent, std::sqrt(meanSquare) * rmsScale, test::Exact);
        EXPECT_NEAR(*load->peakCurrentToRated, 20 / ratedPeak, test::Exact);
        EXPECT_NEAR(*load->rmsCurrentToRated, load->rmsCurrent / 25, test::Exact);
        // 20 Nm at 100 rad/s through the 2:1 gear: 4 kW of 5.
        EXPECT_NEAR(load->peakPower, 4, test::Exact);
        EXPECT_NEAR(*load->powerToRated, 0.8, test::Exact);
        EXPECT_FALSE(load->ratingExceeded());
    }

    params.SupplyKind = 0;
    EXPECT_FALSE(ConverterLoadOf(*run, params)) << "the mains are no converter";
    params.SupplyKind = 1;
    params.P0 = 3;
    EXPECT_TRUE(ConverterLoadOf(*run, params)->ratingExceeded());

    const QStringList lines = DriveCheckColumn(ConverterLoadOf(*run, params), std::nullopt,
                                               {DriveWarning::ConverterRatingExceeded}, u',')
                                  .aligned(FigureNameWidth);
    EXPECT_EQ(lines.first(), QStringLiteral("Преобразователь"));
    EXPECT_TRUE(lines.contains(QStringLiteral(" к номиналу P0           1,33")))
        << lines.join(u'|').toStdString();
    EXPECT_EQ(lines.last(), u' ' + DriveWarningText(DriveWarning::ConverterRatingExceeded));
}

// Each warning on a drive built to give it, and none on the sound drive.
TEST(DriveWarnings, EachHoldsOnlyWhereItsCauseDoes)
{
    using Change = std::function<void(RunData&, ModelParams&)>;
    const std::pair<Change, std::vector<DriveWarning>> cases[] = {
        {[](RunData&, ModelParams&) {}, {}},
        {[](RunData& r, ModelParams&) { r.samples[3].mechSpeed = 94; },
         {DriveWarning::ReferenceNotReached, DriveWarning::NotSettled}},
        {[](RunData&, ModelParams& p) { p.Imax = 18; }, {DriveWarning::CurrentLimitExceeded}},
        {[](RunData&, ModelParams& p) { p.P0 = 3; }, {DriveWarning::ConverterRatingExceeded}},
        {[](RunData&, ModelParams& p) { p.w = 160; }, {DriveWarning::MotorOverspeed}},
        {[](RunData& r, ModelParams&) { r.invMachineConstant = 0.8; },
         {DriveWarning::ReferenceAboveSupply}},
        {[](RunData&, ModelParams& p) { p.U0 = 700; }, {DriveWarning::ConverterVoltageMismatch}},
        {[](RunData&, ModelParams& p) { p.I = 5; }, {DriveWarning::ConverterCurrentMismatch}},
        {[](RunData&, ModelParams& p) {
             p.MotorKind = 0;
             p.SupplyKind = 2;
         },
         {DriveWarning::InductionOnRectifier}},
    };
    for (const auto& [change, expected] : cases) {
        auto run = ConverterRun();
        ModelParams params = ConverterDrive();
        params.w = 180;
        change(*run, params);
        const StepResponse response = StepResponseOf(*run, params);
        const std::vector<DriveWarning> warnings =
            DriveWarningsOf(*run, params, response, ConverterLoadOf(*run, params));
        EXPECT_EQ(warnings, expected)
            << (expected.empty() ? "none" : DriveWarningKey(expected.front()));
    }
}

// The current loop of a drive that has reached its speed swings four times beyond a fifth of its
// peak about its final value: the loop rings. Damped to two swings it does not.
TEST(DriveWarnings, ALoopThatKeepsSwingingAtItsReferenceRings)
{
    for (const auto& [swings, rings] : {std::pair{4, true}, {2, false}}) {
        auto run = ConverterRun();
        const int count = 30;
        for (int i = 3; i < count; ++i) {
            const bool swinging = i < 3 + swings + 1;
            const double current = swinging ? (i % 2 == 0 ? 30.0 : -10.0) : 10.0;
            run->samples[i] = {0.1 * i, current, 100, current, 0};
        }
        run->SampleCount = count;
        const ModelParams params = ConverterDrive();
        const std::vector<DriveWarning> warnings = DriveWarningsOf(
            *run, params, StepResponseOf(*run, params), ConverterLoadOf(*run, params));
        EXPECT_EQ(std::ranges::count(warnings, DriveWarning::Oscillation), rings ? 1 : 0) << swings;
    }
}

// A known cycle: 10 Nm for two of eight samples, -10 Nm for two, none for the rest, the current
// twice the torque; rated 10 Nm and 20 A.
TEST(MotorDuty, RmsAndPeakOfAKnownCycle)
{
    auto run = RunWithSamples({{0, 0, 0, 0, 0},
                               {0.1, 10, 5, 20, 0},
                               {0.2, 10, 5, 20, 0},
                               {0.3, 0, 5, 0, 0},
                               {0.4, -10, 5, -20, 0},
                               {0.5, -10, 5, -20, 0},
                               {0.6, 0, 5, 0, 0},
                               {0.7, 0, 0, 0, 0}});
    ModelParams params;
    params.MotorKind = 1;
    params.P = 1.5;
    params.w = 150;
    params.I = 20;
    const MotorDuty dc = MotorDutyOf(*run, params);
    EXPECT_NEAR(dc.rmsTorque, std::sqrt(50.0), test::Exact);
    EXPECT_NEAR(*dc.rmsTorqueToRated, std::sqrt(50.0) / 10, test::Exact);
    EXPECT_NEAR(*dc.rmsCurrentToRated, std::sqrt(200.0) / 20, test::Exact);
    EXPECT_NEAR(*dc.peakTorqueToShortTime, 10 / (2.5 * 10), test::Exact);

    params.MotorKind = 0; // the recorded current is an amplitude, its rms a phase current's
    const MotorDuty induction = MotorDutyOf(*run, params);
    EXPECT_NEAR(induction.rmsCurrent, std::sqrt(100.0), test::Exact);
    EXPECT_NEAR(*induction.peakTorqueToShortTime, 10 / (2.0 * 10), test::Exact);

    params.P = 0;
    EXPECT_FALSE(MotorDutyOf(*run, params).rmsTorqueToRated);
}

} // namespace
} // namespace kinetra
