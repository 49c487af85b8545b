// Typing a coefficient into the signals workbench for N = 10000 (a 10 s run): the recomputation
// of the three stages alone, and with the real window redrawing its three curves, on the
// offscreen platform; then the spectra of the three stages and the element's response, alone
// and with the spectrum page redrawn.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChartView>
#include <QTabWidget>
#include <QTest>

#include <initializer_list>
#include <memory>

#include "SignalWorkbench.h"
#include "WorkbenchSpectra.h"
#include "shell/ActionTable.h"
#include "signals/SignalWindow.h"

namespace {

using kinetra::SignalField;
using kinetra::SignalList;

// A square wave through a friction channel into a band-stop filter, every coefficient in use.
struct BandStopBench {
    BandStopBench()
    {
        workbench.takeSampleCount(kinetra::ResultCapacity);
        workbench.chooseListItem(SignalList::SignalComboBox1, 3);
        workbench.setText(SignalField::SignalEdit1, QStringLiteral("4"));
        workbench.chooseListItem(SignalList::SignalComboBox2, 2);
        workbench.setText(SignalField::SignalEdit2, QStringLiteral("1"));
        workbench.chooseListItem(SignalList::SignalComboBox3, 4);
        for (const auto& [field, text] :
             {std::pair{SignalField::sEdit1, "0.001"}, std::pair{SignalField::sEdit2, "0.01"},
              std::pair{SignalField::sEditK1, "1"}, std::pair{SignalField::sEdit3, "0.001"},
              std::pair{SignalField::sEdit4, "0.05"}, std::pair{SignalField::sEditK2, "1"}})
            workbench.setText(field, QString::fromLatin1(text));
    }
    // A changed periodicity reruns all three stages.
    void retype(bool even)
    {
        workbench.setText(SignalField::SignalEdit1,
                          even ? QStringLiteral("4") : QStringLiteral("5"));
    }

    std::unique_ptr<kinetra::SignalBuffer> buffer = std::make_unique<kinetra::SignalBuffer>();
    kinetra::SignalWorkbench workbench{*buffer, u'.'};
};

void RecomputeAllStages(benchmark::State& state)
{
    BandStopBench bench;
    if (!bench.workbench.notice().isEmpty()) {
        state.SkipWithError("the filter does not run through every sample");
        return;
    }
    bool even = false;
    for (auto _ : state)
        bench.retype(even = !even);
    state.counters["samples"] = bench.workbench.sampleCount();
}
BENCHMARK(RecomputeAllStages)->Unit(benchmark::kMicrosecond);

// Shows the window and waits until it is on screen: a window never exposed paints nothing.
bool ShowAndExpose(QWidget& window, benchmark::State& state)
{
    window.show();
    if (QTest::qWaitForWindowExposed(&window))
        return true;
    state.SkipWithError("the window is never exposed");
    return false;
}

// Retyping, then the events it posted and the charts painted anew.
void RetypeAndPaint(BandStopBench& bench, bool even, std::initializer_list<QWidget*> charts)
{
    bench.retype(even);
    QApplication::processEvents();
    for (QWidget* chart : charts)
        chart->repaint();
}

void RecomputeAndRedraw(benchmark::State& state)
{
    BandStopBench bench;
    kinetra::ActionTable actions;
    kinetra::SignalWindow window(actions, bench.workbench);
    if (!ShowAndExpose(window, state))
        return;
    bool even = false;
    for (auto _ : state)
        RetypeAndPaint(bench, even = !even, {window.chartView()});
}
BENCHMARK(RecomputeAndRedraw)->Unit(benchmark::kMillisecond);

void Spectra(benchmark::State& state)
{
    BandStopBench bench;
    kinetra::WorkbenchSpectra spectra;
    for (auto _ : state) {
        spectra.update(bench.workbench);
        benchmark::DoNotOptimize(spectra.magnitudeDb().constLast());
    }
}
BENCHMARK(Spectra)->Unit(benchmark::kMillisecond);

// A changed periodicity with the spectrum page on show: the three stages, their spectra, the
// element's response and both spectrum charts painted.
void RecomputeAndRedrawSpectra(benchmark::State& state)
{
    BandStopBench bench;
    kinetra::ActionTable actions;
    kinetra::SignalWindow window(actions, bench.workbench);
    if (!ShowAndExpose(window, state))
        return;
    window.findChild<QTabWidget*>(QStringLiteral("SignalViews"))->setCurrentIndex(1);
    auto* amplitudes = window.findChild<QChartView*>(QStringLiteral("SpectrumChart"));
    auto* response = window.findChild<QChartView*>(QStringLiteral("ResponseChart"));
    bool even = false;
    for (auto _ : state)
        RetypeAndPaint(bench, even = !even, {amplitudes, response});
}
BENCHMARK(RecomputeAndRedrawSpectra)->Unit(benchmark::kMillisecond);

} // namespace
