// Time of one 10 s simulation run (9999 samples) for three drives that exercise the engine's
// heaviest paths: the thyristor converter under the full cascade, the induction motor's four
// current equations on an elastic transmission, and the induction motor under a controller.
// Each drive is also run by a minimal hand-inlined loop of the same algorithm (hand_loops.h),
// the yardstick of the engine's own overhead; before it is timed, the hand loop's samples are
// checked against the engine's, sample for sample and bit for bit. Two stiff drives, whose
// electrical time constants or rotor frequencies ask for many sub-steps a sample, show what the
// engine's accuracy costs where it is needed.

#include <ctime>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "Simulation.h"
#include "hand_loops.h"

namespace {

using kinetra::ModelParams;

// A 2.2 kW, 220 V DC motor driving a mechanism through a 5:1 gear.
ModelParams DcMotorWithGear()
{
    ModelParams p;
    p.MotorKind = 1;
    p.U = 220;
    p.I = 12;
    p.R2 = 1.5;
    p.L2 = 0.02;
    p.w = 150;
    p.J = 0.05;
    p.P = 2.2;
    p.Jc = 0.5;
    p.Mc = 20;
    p.ii = 5;
    p.ni = 95;
    p.Tmax = 10;
    return p;
}

// The DC motor on a six-pulse thyristor converter, positioned by the full cascade: position,
// speed and current loops with their sensors and the compensator.
ModelParams ThyristorCascade()
{
    ModelParams p = DcMotorWithGear();
    p.SupplyKind = 2;
    p.U0 = 230;
    p.U20 = 230;
    p.F0 = 50;
    p.m0 = 6;
    p.T0 = 0.002;
    p.R20 = 0.2;
    p.L20 = 0.01;
    p.Kk = 1;
    p.fmax = 20;
    p.Kpf = 4;
    p.Kf = 1;
    p.Tf = 0.002;
    p.wmax = 10;
    p.Kpw = 3;
    p.Tpwint = 0.2;
    p.Kw = 1;
    p.Tw = 0.002;
    p.Imax = 40;
    p.KpI = 1;
    p.TpIint = 0.05;
    p.KI = 0.05;
    p.TI = 0.001;
    p.wref = 5;
    return p;
}

// A 4 kW, 220 V four-pole induction motor.
ModelParams InductionMotor()
{
    ModelParams p;
    p.MotorKind = 0;
    p.SupplyKind = 0;
    p.U = 220;
    p.I = 9;
    p.P = 4;
    p.R1 = 0.5;
    p.R2 = 0.4;
    p.L1 = 0.002;
    p.L2 = 0.002;
    p.L12 = 0.05;
    p.p1 = 2;
    p.m1 = 3;
    p.J = 0.05;
    p.Tmax = 10;
    return p;
}

// Started direct on line, driving a mechanism through an elastic shaft and a 2:1 gear.
ModelParams InductionElastic()
{
    ModelParams p = InductionMotor();
    p.ElasticGear = true;
    p.cc = 5000;
    p.bc = 10;
    p.Jc = 0.2;
    p.Mc = 30;
    p.ii = 2;
    return p;
}

// On a transistor converter under a speed loop with its current loop.
ModelParams InductionControlled()
{
    ModelParams p = InductionMotor();
    p.SupplyKind = 1;
    p.U0 = 380;
    p.F0 = 50;
    p.T0 = 0.002;
    p.Mc = 10;
    p.Jc = 0.1;
    p.Kpw = 2;
    p.Tpwint = 0.1;
    p.Kw = 1;
    p.Tw = 0.002;
    p.Imax = 50;
    p.KpI = 1;
    p.TpIint = 0.02;
    p.KI = 0.1;
    p.wref = 100;
    return p;
}

// The smallest servomotor of the sample catalogue (HG-KR053, 50 W) started open loop on its
// amplifier without load: its rotor reaches some 7800 electrical rad/s.
ModelParams SmallServomotor()
{
    ModelParams p;
    p.MotorKind = 2;
    p.SupplyKind = 1;
    p.R1 = 4.12;
    p.L1 = 0.0062;
    p.p1 = 4;
    p.P = 0.05;
    p.U = 115;
    p.w = 314;
    p.J = 0.0000045;
    p.I = 0.9;
    p.U0 = 115;
    p.F0 = 50;
    p.Tmax = 10;
    return p;
}

// The DC motor of the transistor example with an armature of 20 ohm and 3 mH, on the mains:
// an electrical time constant of 0.15 ms.
ModelParams ResistiveDcMotor()
{
    ModelParams p;
    p.MotorKind = 1;
    p.SupplyKind = 0;
    p.R2 = 20;
    p.L2 = 0.003;
    p.P = 1.5;
    p.U = 110;
    p.w = 314;
    p.J = 0.005;
    p.I = 1.7;
    p.Tmax = 10;
    return p;
}

void RunDrive(benchmark::State& state, ModelParams (*drive)())
{
    const ModelParams model = drive();
    const auto run = std::make_unique<kinetra::RunData>();
    const auto signal = std::make_unique<kinetra::SignalSeries>(kinetra::UnitSignal());
    for (auto _ : state) {
        // Every run writes defaults and scaled limits back, so each starts from the model.
        ModelParams params = model;
        kinetra::SimulationRecord record{params, *run, *signal};
        if (kinetra::RunSimulation(record) != kinetra::RunOutcome::Completed) {
            state.SkipWithError("the run failed");
            return;
        }
        benchmark::DoNotOptimize(run->samples.data());
        benchmark::ClobberMemory();
    }
    // A run of SampleCount samples integrates SampleCount - 1 steps; sample 0 is the drive at rest.
    const double steps = run->SampleCount - 1;
    state.counters["steps"] = steps;
    state.counters["sub_steps"] = run->subSteps;
    state.counters["time_per_step"] = benchmark::Counter(
        steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The processor time the calling thread spends in work, in seconds.
template <typename Work> double ThreadSeconds(Work work)
{
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) + 1e-9 * double(end.tv_nsec - start.tv_nsec);
}

using HandLoop = int (*)(const ModelParams&, const kinetra::RunData&, kinetra::RunData&);

// The first sample where the hand loop differs from the engine, or -1 when none does.
int FirstDifference(const kinetra::RunData& engine, const kinetra::RunData& hand, int count)
{
    for (int i = 0; i < kinetra::ResultCapacity; ++i) {
        const kinetra::ResultSample& a = engine.samples[std::size_t(i)];
        const kinetra::ResultSample& b = hand.samples[std::size_t(i)];
        if (a.time != b.time || a.torque != b.torque || a.mechSpeed != b.mechSpeed ||
            a.current != b.current || a.motorSpeed != b.motorSpeed)
            return i;
    }
    return engine.SampleCount == count ? -1 : count;
}

void RunHandLoop(benchmark::State& state, ModelParams (*drive)(), HandLoop loop)
{
    ModelParams params = drive();
    const auto engine = std::make_unique<kinetra::RunData>();
    const auto signal = std::make_unique<kinetra::SignalSeries>(kinetra::UnitSignal());
    kinetra::SimulationRecord record{params, *engine, *signal};
    if (kinetra::RunSimulation(record) != kinetra::RunOutcome::Completed) {
        state.SkipWithError("the engine's run failed");
        return;
    }
    const auto hand = std::make_unique<kinetra::RunData>();
    const int count = loop(params, *engine, *hand);
    if (const int difference = FirstDifference(*engine, *hand, count); difference >= 0) {
        state.SkipWithError(
            ("the hand loop differs from the engine at sample " + std::to_string(difference))
                .c_str());
        return;
    }
    // The engine's time over the hand loop's, both taken as the thread's processor time one
    // after the other, so that a busy machine weighs on both alike.
    double engineSeconds = 0;
    double handSeconds = 0;
    const ModelParams model = drive();
    const auto timedRun = std::make_unique<kinetra::RunData>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(loop(params, *engine, *hand));
        benchmark::ClobberMemory();
        state.PauseTiming();
        ModelParams fresh = model;
        kinetra::SimulationRecord timed{fresh, *timedRun, *signal};
        engineSeconds += ThreadSeconds([&] { kinetra::RunSimulation(timed); });
        handSeconds += ThreadSeconds([&] { loop(params, *engine, *hand); });
        state.ResumeTiming();
    }
    state.counters["steps"] = count - 1;
    state.counters["engine_over_hand"] = engineSeconds / handSeconds;
}

} // namespace

BENCHMARK_CAPTURE(RunHandLoop, ThyristorCascade, ThyristorCascade, hand::ThyristorCascade)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunHandLoop, InductionElastic, InductionElastic, hand::InductionElastic)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunHandLoop, InductionControlled, InductionControlled, hand::InductionControlled)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunDrive, ThyristorCascade, ThyristorCascade)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunDrive, InductionElastic, InductionElastic)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunDrive, InductionControlled, InductionControlled)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunDrive, SmallServomotor, SmallServomotor)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunDrive, ResistiveDcMotor, ResistiveDcMotor)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
