#include <gtest/gtest.h>

#include <QDir>

#include <algorithm>
#include <functional>
#include <memory>

#include "../model/editor/EditorTestSupport.h"
#include "ResultsActivation.h"
#include "RunData.h"
#include "editor/ModelSession.h"

// Each example model does what the README's list of examples says, judged on the samples of its
// own run.

namespace kinetra::test {
namespace {

class ExampleDrives : public testing::Test {
protected:
    // Simulates an example as the results window does.
    void simulate(const char* example)
    {
        const QDir folder(QStringLiteral(KINETRA_EXAMPLES_FOLDER));
        ASSERT_TRUE(session.LoadModelFile(folder.filePath(QLatin1String(example))).ok);
        ResultsActivation activation(session, *run, *signal, messages);
        ASSERT_EQ(activation.FormActivate(true), ResultsActivation::Outcome::Simulated);
        ASSERT_GT(run->SampleCount, 100);
    }

    const ModelParams& params() { return session.params(); }
    const ResultSample& last() const { return run->samples[run->SampleCount - 1]; }
    int at(double time) const { return static_cast<int>(time / run->timeStep); }

    double largest(double ResultSample::*field, int from = 0, int to = -1) const
    {
        double value = run->samples[from].*field;
        for (int i = from; i < (to < 0 ? run->SampleCount : to); ++i)
            value = std::max(value, run->samples[i].*field);
        return value;
    }

    double mean(double ResultSample::*field, int from, int to) const
    {
        double sum = 0;
        for (int i = from; i < to; ++i)
            sum += run->samples[i].*field;
        return sum / (to - from);
    }

    double smallest(double ResultSample::*field, int from, int to) const
    {
        double value = run->samples[from].*field;
        for (int i = from; i < to; ++i)
            value = std::min(value, run->samples[i].*field);
        return value;
    }

    // The last tenth of the run varies by less than the given share of the final value.
    bool settled(double ResultSample::*field, double share) const
    {
        const int from = run->SampleCount * 9 / 10;
        const double spread = largest(field, from) - smallest(field, from, run->SampleCount);
        return spread <= share * std::abs(last().*field);
    }

    RecordedMessages messages;
    ModelSession session{u',', messages};
    std::unique_ptr<RunData> run = std::make_unique<RunData>();
    std::unique_ptr<SignalSeries> signal = std::make_unique<SignalSeries>(UnitSignal());
};

TEST_F(ExampleDrives, MainsStartDrawsTenfoldCurrentAndRunsUp)
{
    simulate("dc-mains-start.kmf");
    EXPECT_NEAR(largest(&ResultSample::current) / params().I, 10, 2);
    EXPECT_TRUE(settled(&ResultSample::mechSpeed, 0.001));
    EXPECT_GT(last().mechSpeed, params().w);
}

// The speed loop is proportional: its droop is the load current over Kpw. The converter's
// current pulses, so its mean over the acceleration is held at the limit; only the first pulses
// overshoot it.
TEST_F(ExampleDrives, ThyristorDriveAcceleratesAtItsCurrentLimitToItsReference)
{
    simulate("dc-thyristor-speed-current.kmf");
    EXPECT_NEAR(last().mechSpeed / params().wref, 1, 0.03);
    EXPECT_TRUE(settled(&ResultSample::mechSpeed, 0.001));
    EXPECT_NEAR(mean(&ResultSample::current, at(0.1), at(0.6)) / params().Imax, 0.95, 0.05);
    EXPECT_LT(largest(&ResultSample::current), 1.4 * params().Imax);
}

TEST_F(ExampleDrives, TransistorDriveAcceleratesAtItsCurrentLimitToItsReference)
{
    simulate("dc-transistor-speed.kmf");
    EXPECT_NEAR(last().mechSpeed / params().wref, 1, 0.01);
    EXPECT_GT(smallest(&ResultSample::current, at(0.05), at(0.3)), 0.9 * params().Imax);
    EXPECT_LE(largest(&ResultSample::current), 1.03 * params().Imax);
}

// The DC motor and the servomotor, each at a time of its travel.
TEST_F(ExampleDrives, PositioningDriveTravelsAtItsSpeedAndStopsAtThePositionLimit)
{
    const struct {
        const char* example;
        double travelling;
    } drives[] = {{"dc-positioning-ballscrew.kmf", 1.0}, {"servo-positioning.kmf", 0.5}};
    for (const auto& drive : drives) {
        simulate(drive.example);
        double position = 0;
        for (int i = 0; i < run->SampleCount; ++i)
            position += run->samples[i].mechSpeed * run->timeStep;
        EXPECT_NEAR(run->samples[at(drive.travelling)].mechSpeed / params().wref, 1, 0.01)
            << drive.example;
        EXPECT_NEAR(position / params().fmax, 1, 0.01) << drive.example;
        EXPECT_NEAR(last().mechSpeed, 0, 0.01 * params().wref) << drive.example;
    }
}

// A catalogue motor starts with about twice its rated torque and settles between its rated and
// its synchronous speed at half load.
TEST_F(ExampleDrives, DirectOnLineStartIsACatalogueStart)
{
    simulate("induction-direct-on-line.kmf");
    const double ratedTorque = 1000 * params().P / params().w;
    const double syncSpeed = 2 * 3.141592653589793 * 50 / params().p1;
    double runUpTorque = 0;
    int runUp = 0;
    while (run->samples[runUp + 1].mechSpeed < 0.9 * params().w)
        runUpTorque += run->samples[++runUp].torque;
    EXPECT_LT(runUp, at(0.3));
    EXPECT_NEAR(runUpTorque / runUp / ratedTorque, 2.6, 0.5);
    EXPECT_TRUE(settled(&ResultSample::mechSpeed, 0.0001));
    EXPECT_GT(last().mechSpeed, params().w);
    EXPECT_LT(last().mechSpeed, syncSpeed);
    EXPECT_NEAR(last().torque / ratedTorque, 0.5, 0.05);
}

TEST_F(ExampleDrives, HoistLiftsItsLoadAtASteadySpeed)
{
    simulate("induction-elastic-hoist.kmf");
    const double motorSpeed = last().mechSpeed * params().ii;
    EXPECT_GT(motorSpeed, params().w);
    EXPECT_LT(motorSpeed, 2 * 3.141592653589793 * 50 / params().p1);
    EXPECT_TRUE(settled(&ResultSample::mechSpeed, 0.001));
    EXPECT_NEAR(last().motorSpeed, motorSpeed, 0.001 * motorSpeed);
}

TEST_F(ExampleDrives, FrequencyConverterDriveAcceleratesAtItsCurrentLimitToItsReference)
{
    simulate("induction-speed-control.kmf");
    EXPECT_GT(params().wref, 0.9 * params().w);
    EXPECT_NEAR(last().mechSpeed / params().wref, 1, 0.01);
    EXPECT_TRUE(settled(&ResultSample::mechSpeed, 0.001));
    EXPECT_NEAR(smallest(&ResultSample::current, at(0.1), at(1.9)) / params().Imax, 1, 0.03);
    EXPECT_NEAR(largest(&ResultSample::current, at(0.1), at(1.9)) / params().Imax, 1, 0.03);
}

} // namespace
} // namespace kinetra::test
