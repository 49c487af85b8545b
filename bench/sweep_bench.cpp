// A sweep of 1000 variants of the thyristor example, a 2 s model: the speed loop's gain from 10
// to 400, every variant with its step-response figures and summary numbers, as
// `kinetra-sim --set Kpw=10:400:1000` computes them. Run on one thread and on every core; the
// multi-threaded entry reports its speed-up over the single thread as "scaling".

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "Sweep.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"

namespace {

class IgnoredMessages final : public kinetra::MessageSink {
public:
    void showMessage(const QString&) override {}
};

constexpr int VariantCount = 1000;

// The single thread's time for one sweep, for the scaling of the entries after it.
double singleThreadSeconds = 0;

void SweepThousandVariants(benchmark::State& state)
{
    IgnoredMessages messages;
    kinetra::ModelSession session(u',', messages);
    session.NewModel();
    if (!session.LoadModelFile(QStringLiteral(KINETRA_EXAMPLE_MODEL)).ok ||
        !session.CollectModel()) {
        state.SkipWithError("the example model does not load");
        return;
    }
    const auto signal = std::make_unique<kinetra::SignalSeries>(kinetra::UnitSignal());
    const kinetra::SweepGrid grid(
        {kinetra::ParseSweepAxis(QStringLiteral("Kpw=10:400:%1").arg(VariantCount)).value});
    const auto jobs = unsigned(state.range(0));
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::vector<kinetra::SweepRow> rows;
        const kinetra::SweepOutcome outcome =
            kinetra::RunSweep(session.params(), *signal, grid, {0, grid.size()}, jobs,
                              [&rows](const kinetra::SweepRow& row) {
                                  rows.push_back(row);
                                  return true;
                              });
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (outcome.failed != 0) {
            state.SkipWithError("a variant failed");
            return;
        }
        benchmark::DoNotOptimize(rows.data());
    }
    seconds /= double(state.iterations());
    if (jobs == 1)
        singleThreadSeconds = seconds;
    else if (singleThreadSeconds > 0)
        state.counters["scaling"] = singleThreadSeconds / seconds;
    state.counters["variants"] = VariantCount;
    state.counters["per_variant"] = benchmark::Counter(
        VariantCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(SweepThousandVariants)
    ->Arg(1)
    ->Arg(std::max(2u, std::thread::hardware_concurrency()))
    ->ArgName("jobs")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
