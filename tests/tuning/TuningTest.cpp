#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "CascadeTuner.h"
#include "EngineTestSupport.h"
#include "LoopResponse.h"
#include "StepComparison.h"

namespace kinetra::test {
namespace {

// A permanent-magnet DC motor with round data on a transistor converter: armature 1 ohm and
// 50 mH (Ta = 50 ms), inverse machine constant 100 / (210 - 10) = 0.5 rad/s per V, a converter
// lag of 5 ms and a current sensor of 2 ms, so that the small time constants lump to
// 4 + 1 + 0.5 = 5.5 ms; the mechanical time constant J R invK^2 = 0.5 s dwarfs them. A static
// load asks the speed loop for the symmetric optimum.

ModelParams RoundDcDrive()
{
    ModelParams p = DcMotorOnConverter(1).params;
    p.U = 210;
    p.R2 = 1;
    p.L2 = 0.05;
    p.J = 2;
    p.T0 = 0.005;
    p.TI = 0.002;
    p.Tw = 0.002;
    p.KI = 1;
    p.Kw = 1;
    p.KpI = 1;
    p.Kpw = 1;
    p.Mc = 5;
    p.wref = 50;
    return p;
}

// The same drive on the thyristor converter, with separate excitation.
ModelParams ThyristorDrive()
{
    ModelParams p = RoundDcDrive();
    p.SupplyKind = 2;
    p.U20 = 220;
    p.R1 = 100;
    p.U10 = 200;
    return p;
}

// The induction motor under the controller, its field held at the rated 10 A.
ModelParams InductionDrive()
{
    ModelParams p = InductionMotor().params;
    p.SupplyKind = 1;
    p.U0 = 540;
    p.F0 = 50;
    p.I = 10;
    p.T0 = 0.002;
    p.TI = 0.002;
    p.Tw = 0.005;
    p.KI = 1;
    p.Kw = 1;
    p.Kpw = 1;
    p.Mc = 10;
    p.wref = 100;
    return p;
}

// The servomotor positioning through a ball screw.
ModelParams ServoPositioning()
{
    ModelParams p = Servomotor().params;
    p.Jc = 0.01;
    p.ii = 8;
    p.KI = 1;
    p.Kw = 1;
    p.Kf = 1;
    p.Kk = 1;
    p.Kpf = 1;
    p.wref = 30;
    return p;
}

struct NamedDrive {
    const char* name;
    ModelParams (*params)();
};

constexpr NamedDrive TunableDrives[] = {{"DC transistor", RoundDcDrive},
                                        {"DC thyristor", ThyristorDrive},
                                        {"induction", InductionDrive},
                                        {"servo positioning", ServoPositioning}};

ModelParams Tuned(const ModelParams& params)
{
    ModelParams tuned = params;
    const CascadeTuning tuning = TuneCascade(params);
    EXPECT_TRUE(tuning.tuned());
    ApplyTuning(tuning, tuned);
    return tuned;
}

CascadeModel CascadeOf(const ModelParams& params)
{
    const CascadeModelResult result = CascadeModelOf(params);
    EXPECT_TRUE(result.model.has_value());
    return result.model.value_or(CascadeModel{});
}

LoopMargins MarginsOf(const CascadeModel& cascade, Loop loop)
{
    const CascadeResponse response = CascadeResponseOf(cascade, ResponseFrequencies(cascade, 200));
    return response.find(loop)->margins;
}

// The closed-form optima on the sampled loops. The current loop lumps the converter's and the
// sensor's lags beyond their first step and half a step for the controller's hold; what it
// cannot lump (the exact sampled phase, the back-EMF) keeps the figures within a degree or two.
TEST(CascadeTuner, MeetsTheClosedFormOptimaOnARoundDcDrive)
{
    const CascadeTuning tuning = TuneCascade(RoundDcDrive());
    ASSERT_TRUE(tuning.tuned());
    const LoopTuning& current = *tuning.find(Loop::Current);
    EXPECT_EQ(current.optimum, Optimum::Modulus);
    EXPECT_NEAR(current.model.small.sum(), 0.0055, 1e-12);
    EXPECT_NEAR(current.model.plantTime, 0.05, 1e-12);
    const LoopTuning& speed = *tuning.find(Loop::Speed);
    EXPECT_EQ(speed.optimum, Optimum::Symmetric);
    EXPECT_EQ(speed.reason, OptimumReason::LoadNeedsIntegral);

    // The back-EMF lets the current sag slowly after its peak: the overshoot is taken over the
    // reference, 1 A through the unit sensor.
    const CascadeModel cascade = CascadeOf(Tuned(RoundDcDrive()));
    const std::vector<double> step = LinearLoopStep(cascade, Loop::Current, 100);
    EXPECT_NEAR(*std::max_element(step.begin(), step.end()) - 1, 0.043, 0.01);
    EXPECT_NEAR(MarginsOf(cascade, Loop::Current).phaseMargin, 65.5, 2);
    EXPECT_NEAR(MarginsOf(cascade, Loop::Speed).phaseMargin, 36.9, 3);
}

// The linear model against the engine, a 1 % step without load and without reaching a limit.
// The thyristor bridge's pulses and its one-way conduction are outside the linear model: it is
// flagged, and its deviation only has to stay finite.
TEST(StepComparison, LinearModelFollowsTheEngineWithinAFewPercent)
{
    for (const NamedDrive& drive : TunableDrives) {
        const ModelParams params = Tuned(drive.params());
        const StepComparison comparison = CompareStep(params, CascadeOf(params));
        ASSERT_FALSE(comparison.engine.empty()) << drive.name;
        const auto& caveats = comparison.caveats;
        const bool thyristor =
            std::find(caveats.begin(), caveats.end(), Caveat::ThyristorPulses) != caveats.end();
        EXPECT_EQ(thyristor, params.SupplyKind == 2) << drive.name;
        if (thyristor)
            EXPECT_TRUE(std::isfinite(comparison.deviation)) << drive.name;
        else
            EXPECT_LT(comparison.deviation, 0.03) << drive.name;
    }
}

TEST(CascadeTuner, TuningATunedModelChangesNothing)
{
    for (const NamedDrive& drive : TunableDrives) {
        const ModelParams once = Tuned(drive.params());
        const ModelParams twice = Tuned(once);
        for (const NumericField& field : NumericFields)
            EXPECT_EQ(once.*field.member, twice.*field.member) << drive.name << " " << field.key;
    }
}

// Where the reference step holds the current at its limit, the engine's run with the tuned keys
// reaches the speed without overshoot (the integral gathers only the load), and the positioning
// drive keeps to its speed and stops without reversing (the gain leaves room to brake).
TEST(CascadeTuner, AtTheCurrentLimitSpeedArrivesAndPositionStopsWithoutOvershoot)
{
    struct Case {
        const char* name;
        ModelParams params;
    };
    ModelParams speed = RoundDcDrive();
    speed.Imax = 40;
    speed.Tmax = 4;
    ModelParams position = ServoPositioning();
    position.Imax = 10;
    position.Mc = 2;
    position.fmax = 10;
    position.Tmax = 1;
    for (const Case& c : {Case{"speed", speed}, Case{"position", position}}) {
        Drive drive;
        drive.params = Tuned(c.params);
        ASSERT_TRUE(drive.simulate()) << c.name;
        double fastest = 0;
        double slowest = 0;
        for (int k = 0; k < drive.run->SampleCount; ++k) {
            fastest = std::max(fastest, drive.run->samples[k].mechSpeed);
            slowest = std::min(slowest, drive.run->samples[k].mechSpeed);
        }
        EXPECT_LT(fastest, 1.02 * c.params.wref) << c.name;
        EXPECT_GT(slowest, -0.001 * c.params.wref) << c.name;
        EXPECT_NEAR(drive.last().mechSpeed, c.name == std::string("speed") ? c.params.wref : 0,
                    0.02 * c.params.wref)
            << c.name;
    }
}

TEST(CascadeTuner, RefusesWithItsReasonAndChangesNoKey)
{
    struct Case {
        const char* name;
        void (*change)(ModelParams&);
        Refusal refusal;
    };
    const Case cases[] = {
        {"mains", [](ModelParams& p) { p.SupplyKind = 0; }, Refusal::NoConverter},
        {"no U0", [](ModelParams& p) { p.U0 = 0; }, Refusal::NoConverterVoltage},
        {"no reference", [](ModelParams& p) { p.wref = 0; }, Refusal::NoReference},
        {"no loop", [](ModelParams& p) { p.KpI = p.Kpw = 0; }, Refusal::NoLoopSwitchedOn},
        {"open speed loop", [](ModelParams& p) { p.Kw = 0; }, Refusal::NoSensorGain},
        {"servo on thyristor",
         [](ModelParams& p) {
             p.MotorKind = 2;
             p.SupplyKind = 2;
         },
         Refusal::MotorNotRunnable},
        {"induction without field",
         [](ModelParams& p) {
             p.MotorKind = 0;
             p.I = 0;
             p.P = 0;
         },
         Refusal::PlantNotDerived},
    };
    for (const Case& c : cases) {
        ModelParams params = RoundDcDrive();
        c.change(params);
        const ModelParams before = params;
        const CascadeTuning tuning = TuneCascade(params);
        ASSERT_TRUE(tuning.refusal.has_value()) << c.name;
        EXPECT_EQ(tuning.refusal->code, c.refusal) << c.name;
        EXPECT_TRUE(TunedKeys(tuning).empty()) << c.name;
        ApplyTuning(tuning, params);
        for (const NumericField& field : NumericFields)
            EXPECT_EQ(params.*field.member, before.*field.member) << c.name << " " << field.key;
    }
}

} // namespace
} // namespace kinetra::test
