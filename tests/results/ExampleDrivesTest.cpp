#include <gtest/gtest.h>

#include <QDir>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "../model/editor/EditorTestSupport.h"
#include "ResultsActivation.h"
#include "RunData.h"
#include "Summary.h"
#include "SynchronousCircuit.h"
#include "editor/ModelSession.h"
#include "editor/SeparatorFallback.h"

// Each example model does what the README's list of examples says, judged on the samples of its
// own run.

namespace kinetra::test {
namespace {

// Each example with the warnings its analysis page gives.
const std::pair<const char*, std::vector<DriveWarning>> Examples[] = {
    {"dc-mains-start.kmf", {}},
    {"dc-thyristor-speed-current.kmf", {}},
    {"dc-transistor-speed.kmf", {}},
    {"dc-positioning-ballscrew.kmf", {}},
    {"induction-direct-on-line.kmf", {}},
    {"induction-elastic-hoist.kmf", {}},
    {"induction-speed-control.kmf", {}},
};

QString ExamplePath(const char* example)
{
    return QDir(QStringLiteral(KINETRA_EXAMPLES_FOLDER)).filePath(QLatin1String(example));
}

class ExampleDrives : public testing::Test {
protected:
    // Simulates an example as the results window does.
    void simulate(const char* example)
    {
        ASSERT_TRUE(session.LoadModelFile(ExamplePath(example)).ok);
        rerun();
    }

    // Simulates the model as the editor now holds it.
    void rerun()
    {
        activation = std::make_unique<ResultsActivation>(session, *run, *signal, messages);
        ASSERT_EQ(activation->FormActivate(true), ResultsActivation::Outcome::Simulated);
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
    std::unique_ptr<ResultsActivation> activation;
};

// The examples are written with a comma. Under a point they open all the same, with a notice,
// and run to the very same samples; and each runs within its ratings.
TEST_F(ExampleDrives, OpenUnderEitherSeparatorAndRunWithinTheirRatings)
{
    auto pointRun = std::make_unique<RunData>();
    ModelSession pointSession{u'.', messages};
    for (const auto& [example, warnings] : Examples) {
        const ModelSession::LoadResult comma = session.LoadModelFile(ExamplePath(example));
        ASSERT_TRUE(comma.ok) << example;
        EXPECT_TRUE(comma.notice.isEmpty()) << example;
        rerun();
        EXPECT_EQ(activation->view().warnings, warnings) << example;

        const ModelSession::LoadResult point = pointSession.LoadModelFile(ExamplePath(example));
        ASSERT_TRUE(point.ok) << example;
        EXPECT_EQ(point.notice, OtherSeparatorNotice(u'.')) << example;
        ResultsActivation pointActivation(pointSession, *pointRun, *signal, messages);
        ASSERT_EQ(pointActivation.FormActivate(true), ResultsActivation::Outcome::Simulated);
        ASSERT_EQ(pointRun->SampleCount, run->SampleCount) << example;
        EXPECT_EQ(std::memcmp(pointRun->samples.data(), run->samples.data(),
                              sizeof(ResultSample) * std::size_t(run->SampleCount)),
                  0)
            << example;
    }
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join(u'\n').toStdString();
}

TEST_F(ExampleDrives, MainsStartDrawsTenfoldCurrentAndRunsUp)
{
    simulate("dc-mains-start.kmf");
    EXPECT_NEAR(largest(&ResultSample::current) / params().I, 10, 2);
    EXPECT_TRUE(settled(&ResultSample::mechSpeed, 0.001));
    EXPECT_GT(last().mechSpeed, params().w);
}

// The converter's current pulses, so its mean over the acceleration stays just below the limit,
// and its pulses rise above it by a few per cent at most; the speed loop's slow integral carries
// the load, so the drive settles at its reference.
TEST_F(ExampleDrives, ThyristorDriveAcceleratesAtItsCurrentLimitToItsReference)
{
    simulate("dc-thyristor-speed-current.kmf");
    EXPECT_NEAR(last().mechSpeed / params().wref, 1, 0.01);
    EXPECT_TRUE(settled(&ResultSample::mechSpeed, 0.001));
    EXPECT_NEAR(mean(&ResultSample::current, at(0.1), at(0.6)) / params().Imax, 0.9, 0.05);
    EXPECT_LT(largest(&ResultSample::current), 1.1 * params().Imax);
}

TEST_F(ExampleDrives, TransistorDriveAcceleratesAtItsCurrentLimitToItsReference)
{
    simulate("dc-transistor-speed.kmf");
    EXPECT_NEAR(last().mechSpeed / params().wref, 1, 0.01);
    EXPECT_GT(smallest(&ResultSample::current, at(0.05), at(0.3)), 0.9 * params().Imax);
    EXPECT_LE(largest(&ResultSample::current), 1.03 * params().Imax);
}

// The DC motor and the servomotor, each at a time of its travel: neither passes its speed nor
// reverses, and each stops within 1 % beyond the position limit, by the lag it brakes in.
TEST_F(ExampleDrives, PositioningDriveTravelsAtItsSpeedAndStopsAtThePositionLimit)
{
    const struct {
        const char* example;
        double travelling;
        double beyond;
    } drives[] = {{"dc-positioning-ballscrew.kmf", 1.0, 0.007},
                  {"servo-positioning.kmf", 0.5, 0.0053}};
    for (const auto& drive : drives) {
        simulate(drive.example);
        double position = 0;
        for (int i = 0; i < run->SampleCount; ++i)
            position += run->samples[i].mechSpeed * run->timeStep;
        EXPECT_NEAR(run->samples[at(drive.travelling)].mechSpeed / params().wref, 1, 0.01)
            << drive.example;
        EXPECT_LE(largest(&ResultSample::mechSpeed), 1.001 * params().wref) << drive.example;
        EXPECT_GE(smallest(&ResultSample::mechSpeed, 0, run->SampleCount), 0) << drive.example;
        EXPECT_NEAR(position / params().fmax, 1 + drive.beyond, 0.002) << drive.example;
        EXPECT_NEAR(last().mechSpeed, 0, 0.01 * params().wref) << drive.example;
    }

    // The position the run records is the integral of the mechanism's speed, and the step
    // figures are measured on it.
    for (const auto& drive : drives) {
        simulate(drive.example);
        double integral = 0;
        for (int i = 0; i < run->SampleCount; ++i) {
            integral += run->samples[i].mechSpeed * run->timeStep;
            ASSERT_NEAR(run->positions[i], integral, 1e-9 * params().fmax) << drive.example;
        }
        const CurveData* curve = activation->view().charts.dynamics.curve(CurveRole::Position);
        ASSERT_NE(curve, nullptr) << drive.example;
        EXPECT_EQ(curve->points.size(), run->SampleCount) << drive.example;
        EXPECT_EQ(activation->view().stepResponse.finalValue, curve->points.last().y())
            << drive.example;
    }

    simulate("dc-positioning-ballscrew.kmf");
    // Its figures are the position loop's: a ramp of 80 % of the travel at the reference speed,
    // and the stop a little beyond the limit, where it stays.
    const StepResponse& response = activation->view().stepResponse;
    EXPECT_EQ(response.quantity, ControlledQuantity::Position);
    EXPECT_NEAR(*response.figures.riseTime, 0.8 * params().fmax / params().wref, 0.05);
    EXPECT_NEAR(*response.figures.overshoot, 100 * drives[0].beyond, 0.2);
    EXPECT_NEAR(-*response.steadyStateError, drives[0].beyond * params().fmax,
                0.01 * params().fmax);
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

// At its rated load torque the catalogue motor draws about its rated current.
TEST_F(ExampleDrives, DirectOnLineStartAtRatedLoadUsesTheRatedCurrent)
{
    ASSERT_TRUE(session.LoadModelFile(ExamplePath("induction-direct-on-line.kmf")).ok);
    session.editor().setText(EditField::LoadMcEdit, QStringLiteral("71,9"));
    rerun();
    const SummaryFigures figures = SummaryFiguresOf(activation->view().ranges, FinalValuesOf(*run),
                                                    params(), run->supplyVoltage);
    EXPECT_NEAR(*figures.motorCurrent, 1, 0.1);
    EXPECT_NEAR(*figures.motorTorque, 1, 0.1);
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

// The PI current loop trails a current reference held at the limit by a few per cent while the
// back EMF rises, and its first rise overshoots the limit by a few per cent.
TEST_F(ExampleDrives, FrequencyConverterDriveAcceleratesAtItsCurrentLimitToItsReference)
{
    simulate("induction-speed-control.kmf");
    EXPECT_GT(params().wref, 0.9 * params().w);
    EXPECT_NEAR(last().mechSpeed / params().wref, 1, 0.01);
    EXPECT_TRUE(settled(&ResultSample::mechSpeed, 0.001));
    EXPECT_NEAR(smallest(&ResultSample::current, at(0.1), at(1.9)) / params().Imax, 0.94, 0.02);
    EXPECT_NEAR(largest(&ResultSample::current, at(0.1), at(1.9)) / params().Imax, 0.94, 0.02);
    EXPECT_LT(largest(&ResultSample::current) / params().Imax, 1.05);
}

// Where a speed loop limits the current, the dynamics chart draws the limit beside the current:
// on the left axis when it shows the current, otherwise beside the current on an axis of its
// own; the zeros of every value axis stand at one height. A positioning drive's chart has no
// room for it.
TEST_F(ExampleDrives, CurrentLimitShowsBesideTheCurrent)
{
    for (const auto& [example, axis] : {std::pair{"dc-transistor-speed.kmf", CurveAxis::Left},
                                        {"induction-speed-control.kmf", CurveAxis::Limited}}) {
        simulate(example);
        const ChartData& dynamics = activation->view().charts.dynamics;
        const CurveData* limit = dynamics.curve(CurveRole::LoopLimit);
        ASSERT_NE(limit, nullptr) << example;
        EXPECT_EQ(limit->axis, axis) << example;
        EXPECT_EQ(limit->points.front().y(), params().Imax) << example;
        EXPECT_EQ(dynamics.curve(CurveRole::Limited) != nullptr, axis == CurveAxis::Limited);
        const AxisData& limited = dynamics.axis(axis);
        EXPECT_EQ(limited.title, u"Ток, А") << example;
        EXPECT_LT(params().Imax, limited.maximum) << "the limit stands inside the frame";
        const auto zeroHeight = [](const AxisData& a) {
            return -a.minimum / (a.maximum - a.minimum);
        };
        EXPECT_NEAR(zeroHeight(dynamics.right), zeroHeight(dynamics.left), 1e-12) << example;
        EXPECT_NEAR(zeroHeight(limited), zeroHeight(dynamics.left), 1e-12) << example;
    }
    simulate("servo-positioning.kmf");
    EXPECT_EQ(activation->view().charts.dynamics.curve(CurveRole::LoopLimit), nullptr)
        << "a positioning drive's chart keeps its axes";
}

// A thyristor drive's characteristic starts in the zone of intermittent current, at the no-load
// speed the zone gives, and the current only grows along it: no line at zero current from the
// straight part's higher no-load speed, no point of negative current.
TEST_F(ExampleDrives, ThyristorStaticsStartInTheZoneOfIntermittentCurrent)
{
    simulate("dc-thyristor-speed-current.kmf");
    const QList<QPointF>& statics = activation->view().charts.statics.curves.front().points;
    ASSERT_GT(statics.size(), 100);
    EXPECT_GE(statics.front().x(), 0);
    for (qsizetype i = 1; i < statics.size(); ++i)
        ASSERT_GE(statics[i].x(), statics[i - 1].x()) << i;
    EXPECT_LT(activation->view().charts.statics.left.maximum, 1.1 * statics.front().y());
}

// Under a position loop the statics chart shows the speed loop beneath it: the characteristic of
// the same drive with the position loop off, and says so in its title.
TEST_F(ExampleDrives, PositionDriveShowsTheStaticsOfItsSpeedLoop)
{
    for (const char* example : {"dc-positioning-ballscrew.kmf", "servo-positioning.kmf"}) {
        simulate(example);
        const std::vector<StaticPoint> beneath = activation->view().staticPoints;
        EXPECT_TRUE(activation->view().charts.statics.title.endsWith(
            QStringLiteral("характеристика контура скорости")))
            << example;
        session.editor().setText(EditField::KpfEdit, QStringLiteral("0"));
        rerun();
        const std::vector<StaticPoint>& speedLoop = activation->view().staticPoints;
        ASSERT_EQ(beneath.size(), speedLoop.size()) << example;
        ASSERT_FALSE(beneath.empty()) << example;
        for (std::size_t i = 0; i < beneath.size(); ++i) {
            EXPECT_EQ(beneath[i].x, speedLoop[i].x) << example << " " << i;
            EXPECT_EQ(beneath[i].y, speedLoop[i].y) << example << " " << i;
        }
        EXPECT_TRUE(activation->view().charts.statics.title.isEmpty()) << example;
    }
}

// A single thyristor bridge carries no current backwards, and friction never drives a mechanism
// backwards: no example turns backwards before it first reaches its top speed (the positioning
// drives turn back later, on purpose, and the hoist's weight pulls its load down before the motor
// lifts it).
TEST_F(ExampleDrives, NeitherTheBridgeNorFrictionDrivesBackwards)
{
    for (const char* example :
         {"dc-mains-start.kmf", "dc-thyristor-speed-current.kmf", "dc-transistor-speed.kmf",
          "dc-positioning-ballscrew.kmf", "induction-direct-on-line.kmf",
          "induction-speed-control.kmf", "servo-positioning.kmf"}) {
        simulate(example);
        int top = 0;
        for (int i = 0; i < run->SampleCount; ++i)
            top = run->samples[i].mechSpeed > run->samples[top].mechSpeed ? i : top;
        EXPECT_GE(smallest(&ResultSample::mechSpeed, 0, top), 0) << example;
    }
    simulate("dc-thyristor-speed-current.kmf");
    EXPECT_GE(smallest(&ResultSample::current, 0, run->SampleCount), 0);
}

// The servo amplifier regulates the stator's d current at its own rate: it stays within 2 % of
// the rated current amplitude all through the example's moves.
TEST_F(ExampleDrives, ServoAmplifierHoldsTheDCurrentAtZero)
{
    simulate("servo-positioning.kmf");
    const double torquePerAmpere = SynchronousCircuitOf(params()).torquePerAmpere();
    double largest = 0;
    for (int i = 0; i < run->SampleCount; ++i) {
        const ResultSample& sample = run->samples[i];
        const double q = sample.torque / torquePerAmpere;
        largest =
            std::max(largest, std::sqrt(std::max(0.0, sample.current * sample.current - q * q)));
    }
    EXPECT_LT(largest, 0.02 * std::sqrt(2.0) * params().I);
}

} // namespace
} // namespace kinetra::test
