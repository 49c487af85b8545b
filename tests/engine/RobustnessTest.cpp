#include <array>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace kinetra::test {
namespace {

// Parameter sets no editor would produce: zeros, extremes, negatives, NaN and infinities mixed
// with ordinary magnitudes. Only the raw engine output is used, so the sets are the same with
// every standard library.
class ParameterSource {
public:
    double value()
    {
        static constexpr double Inf = std::numeric_limits<double>::infinity();
        static constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
        static constexpr std::array Special{0.0,    -0.0, 1e-300,       -1e-300, 1e300,
                                            -1e300, Inf,  -Inf,         NaN,     DBL_MAX,
                                            1.0,    -1.0, DBL_TRUE_MIN, 0.001,   99999999999.0};
        if (m_engine() % 8 == 0)
            return Special[m_engine() % Special.size()];
        const double magnitude = static_cast<double>(m_engine() >> 11) * 0x1p-53 * 500;
        return m_engine() % 16 == 0 ? -magnitude : magnitude;
    }

    std::int32_t kind() { return static_cast<std::int32_t>(m_engine() % 6) - 2; }
    bool flag() { return m_engine() % 2 == 0; }

    ModelParams params()
    {
        ModelParams p;
        for (const NumericField& field : NumericFields)
            p.*field.member = value();
        // Pole pairs and phases are counts, as every input path keeps them; a fraction is refused
        // before the motor is built, so fractions would only exercise that refusal.
        for (double* count : {&p.p1, &p.m1})
            *count = std::round(*count);
        // A tenth of a second at most: the sets probe the run's arithmetic, not its length, and
        // the stiffest of them take a thousand sub-steps a sample.
        if (!(p.Tmax > 0 && p.Tmax < 0.1))
            p.Tmax = 0.1;
        p.MotorKind = flag() ? static_cast<std::int32_t>(m_engine() % 2) : kind();
        p.SupplyKind = kind();
        p.GearKind = kind();
        for (bool* sw : {&p.UseInductances, &p.ElasticGear, &p.ActiveLoad, &p.VariableLoad,
                         &p.VariableReference, &p.TorqueControl})
            *sw = flag();
        return p;
    }

private:
    std::mt19937_64 m_engine{20240607};
};

bool Finite(const ResultSample& s)
{
    return std::isfinite(s.time) && std::isfinite(s.torque) && std::isfinite(s.mechSpeed) &&
           std::isfinite(s.current) && std::isfinite(s.motorSpeed);
}

TEST(Robustness, AnyParameterSetEndsInAFailureOrAFiniteResult)
{
    ParameterSource source;
    Drive drive;
    (*drive.signal)[3] = std::numeric_limits<double>::quiet_NaN();
    int successes = 0;
    for (int n = 0; n < 4000; ++n) {
        drive.params = source.params();
        const bool ok = drive.simulate();
        const RunData& run = *drive.run;
        ASSERT_GE(run.SampleCount, 0) << n;
        ASSERT_LE(run.SampleCount, ResultCapacity) << n;
        if (ok) {
            ++successes;
            for (int i = 0; i < run.SampleCount; ++i)
                ASSERT_TRUE(Finite(run.samples[i])) << n << " sample " << i;
            EXPECT_EQ(run.samples[0].mechSpeed, 0);
        }
        for (const StaticPoint& point : drive.characteristic())
            ASSERT_TRUE(std::isfinite(point.x) && std::isfinite(point.y)) << n;
    }
    EXPECT_GT(successes, 300); // the set exercises successful runs, not only failures
}

struct Outcome {
    bool ok = false;
    Drive drive;
    std::vector<StaticPoint> characteristic;
};

Outcome Simulate(const ModelParams& params, std::unique_ptr<RunData> run)
{
    Outcome outcome;
    outcome.drive.params = params;
    outcome.drive.run = std::move(run);
    outcome.ok = outcome.drive.simulate();
    outcome.characteristic = outcome.drive.characteristic();
    return outcome;
}

// Bit for bit: the buffer, the sample count, the characteristic and the written-back parameters.
void ExpectSameOutcome(const Outcome& a, const Outcome& b)
{
    EXPECT_EQ(a.ok, b.ok);
    EXPECT_EQ(a.drive.outcome, b.drive.outcome);
    const RunData& runA = *a.drive.run;
    const RunData& runB = *b.drive.run;
    EXPECT_EQ(runA.SampleCount, runB.SampleCount);
    EXPECT_EQ(std::memcmp(runA.samples.data(), runB.samples.data(), sizeof(runA.samples)), 0);
    ASSERT_EQ(a.characteristic.size(), b.characteristic.size());
    for (std::size_t i = 0; i < a.characteristic.size(); ++i) {
        EXPECT_EQ(a.characteristic[i].x, b.characteristic[i].x) << i;
        EXPECT_EQ(a.characteristic[i].y, b.characteristic[i].y) << i;
    }
    for (const NumericField& field : NumericFields)
        EXPECT_EQ(a.drive.params.*field.member, b.drive.params.*field.member) << field.key;
}

// Models chosen to leave behind what another one would read: loop flags and a last firing of
// the thyristor converter, a converter without controller, a run too short to fire.
std::vector<ModelParams> DifferentModels()
{
    ModelParams cascade = DcMotorOnConverter(2).params;
    cascade.Kpf = 5;
    cascade.Kf = 1;
    cascade.Kpw = 2;
    cascade.Kw = 1;
    cascade.wref = -20;
    ModelParams uncontrolled = DcMotorOnConverter(2).params;
    uncontrolled.F0 = 0;
    uncontrolled.U20 = 110;
    ModelParams tooShort = DcMotorOnConverter(2).params;
    tooShort.Tmax = 0.0005;
    ModelParams induction = InductionMotor().params;
    induction.ElasticGear = true;
    induction.cc = 5000;
    induction.bc = 10;
    induction.Jc = 0.1;
    return {cascade, uncontrolled, tooShort, induction};
}

// F0 = 1E-300 overflows the reactances before the motor's own guarded part: the run must end
// there, without the controller's defaults written back.
TEST(Robustness, ErrorOutsideTheGuardedPartEndsTheRunAtOnce)
{
    Drive drive = InductionMotor();
    ModelParams& p = drive.params;
    p.UseInductances = false;
    p.X1 = 0.6;
    p.X2 = 0.6;
    p.SupplyKind = 2;
    p.U0 = 220;
    p.F0 = 1e-300;
    p.wref = 50;
    p.KpI = 1;
    EXPECT_FALSE(drive.simulate());
    EXPECT_EQ(p.T0, 0);
    EXPECT_EQ(p.TI, 0);
}

TEST(Robustness, RunDependsOnItsModelAloneNeverOnTheRunBefore)
{
    const std::vector<ModelParams> models = DifferentModels();
    for (std::size_t first = 0; first < models.size(); ++first) {
        for (std::size_t second = 0; second < models.size(); ++second) {
            if (first == second)
                continue;
            SCOPED_TRACE(testing::Message() << first << " then " << second);
            Outcome before = Simulate(models[first], std::make_unique<RunData>());
            const Outcome after = Simulate(models[second], std::move(before.drive.run));
            const Outcome alone = Simulate(models[second], std::make_unique<RunData>());
            ASSERT_TRUE(alone.ok);
            ExpectSameOutcome(after, alone);
        }
    }
}

} // namespace
} // namespace kinetra::test
