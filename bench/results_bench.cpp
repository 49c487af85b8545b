// One activation of the real results window for a 10 s model (9999 samples): collection, run,
// both charts, the sample table and the summary, on the offscreen platform.

#include <benchmark/benchmark.h>


#include <memory>

#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "results/ResultWindow.h"
#include "shell/ActionTable.h"

namespace {

class IgnoredMessages final : public kinetra::MessageSink {
public:
    void showMessage(const QString&) override {}
};

void ActivateForTenSeconds(benchmark::State& state)
{
    IgnoredMessages messages;
    kinetra::ModelSession session(u',', messages);
    session.NewModel();
    if (!session.LoadModelFile(QStringLiteral(KINETRA_EXAMPLE_MODEL)).ok) {
        state.SkipWithError("the example model does not load");
        return;
    }
    session.editor().setText(kinetra::EditField::TmaxEdit, QStringLiteral("10"));
    auto run = std::make_unique<kinetra::RunData>();
    auto signal = std::make_unique<kinetra::SignalSeries>(kinetra::UnitSignal());
    kinetra::ActionTable actions;
    kinetra::ResultWindow window(actions, session, *run, *signal, messages);
    for (auto _ : state) {
        session.ForceRerun = true;
        window.FormActivate();
    }
    state.counters["samples"] = run->SampleCount;
}
BENCHMARK(ActivateForTenSeconds)->Unit(benchmark::kMillisecond);

} // namespace
