// F6 in the real results window as the user meets it, on the offscreen platform: every case
// times collection, run, charts, sample table and summary up to the repainted window, and the
// first F6 on each example also the window's first showing. Wall time and the CPU time of the
// whole process per case.
//
// Cases: every example in examples/, the 10 s model, F6 on the window on show with another
// model, F6 after a zoom and a pan, F6 with "Обновлять экран" off and five runs on the charts,
// F6 with the statics or the analysis page on show, and the switch through the three pages.
// Besides F6, the repaint of the dynamics chart as the mouse moves over it, with one run and
// with five runs on show.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QTabWidget>
#include <QTest>

#include <memory>
#include <optional>

#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "results/ResultWindow.h"
#include "shell/ActionTable.h"

namespace {

const QString Examples = QStringLiteral(KINETRA_EXAMPLES_FOLDER);
const QString ThyristorModel = Examples + QStringLiteral("/dc-thyristor-speed-current.kmf");

class IgnoredMessages final : public kinetra::MessageSink {
public:
    void showMessage(const QString&) override {}
};

// The results window with a model loaded into the session; shown by show(), as F6 shows it.
class ShownResults {
public:
    explicit ShownResults(const QString& model, const QString& duration = {})
    {
        session.NewModel();
        loaded = session.LoadModelFile(model).ok;
        if (!duration.isEmpty())
            session.editor().setText(kinetra::EditField::TmaxEdit, duration);
    }
    // F6 on a hidden window: shown, activated, simulated and painted.
    void show()
    {
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
        window.FormActivate();
        paint();
    }
    bool ready(benchmark::State& state) const
    {
        if (!loaded)
            state.SkipWithError("the model does not load");
        else if (!exposed)
            state.SkipWithError("the window is never exposed");
        return loaded && exposed;
    }
    // One F6 up to the painted window.
    void simulate()
    {
        session.setForceRerun(true);
        window.FormActivate();
        paint();
    }
    void paint()
    {
        QApplication::processEvents();
        window.repaint();
    }
    QChartView& view(const char* name) { return *window.findChild<QChartView*>(name); }
    QTabWidget& pages() { return *window.findChild<QTabWidget*>("ResultPages"); }

    IgnoredMessages messages;
    kinetra::ModelSession session{u',', messages};
    std::unique_ptr<kinetra::RunData> run = std::make_unique<kinetra::RunData>();
    std::unique_ptr<kinetra::SignalSeries> signal =
        std::make_unique<kinetra::SignalSeries>(kinetra::UnitSignal());
    kinetra::ActionTable actions;
    kinetra::ResultWindow window{actions, session, *run, *signal, messages};

private:
    bool loaded = false;
    bool exposed = false;
};

// A window made afresh before each timed F6, untimed: the first F6 after start-up shows the
// window, and its axes grow from their empty ranges, as the user's do.
template <typename Prepare>
void FirstSimulation(benchmark::State& state, const QString& model, const QString& duration,
                     Prepare prepare)
{
    std::optional<ShownResults> shown;
    for (auto _ : state) {
        state.PauseTiming();
        shown.reset();
        shown.emplace(model, duration);
        prepare(*shown);
        state.ResumeTiming();
        shown->show();
        if (!shown->ready(state))
            return;
    }
    state.counters["samples"] = shown->run->SampleCount;
}

void SimulateAndPaint(benchmark::State& state, const QString& model, const QString& duration)
{
    FirstSimulation(state, model, duration, [](ShownResults&) {});
}

void SimulateOnPage(benchmark::State& state, int page)
{
    FirstSimulation(state, ThyristorModel, {},
                    [page](ShownResults& shown) { shown.pages().setCurrentIndex(page); });
}

// F6 on the window already on show, each time with the other of two models whose ranges differ
// by far: the axes grow and shrink as they do when the user edits and runs again.
void SimulateOtherModel(benchmark::State& state)
{
    ShownResults shown(ThyristorModel);
    shown.show();
    if (!shown.ready(state))
        return;
    const QString models[] = {Examples + QStringLiteral("/induction-direct-on-line.kmf"),
                              ThyristorModel};
    bool other = false;
    for (auto _ : state) {
        state.PauseTiming();
        const bool loaded = shown.session.LoadModelFile(models[other = !other]).ok;
        state.ResumeTiming();
        if (!loaded) {
            state.SkipWithError("the model does not load");
            return;
        }
        shown.simulate();
    }
}

// Zoomed into a tenth of each chart and moved, then F6 again: the charts go back to the whole run.
void SimulateAfterZoomAndPan(benchmark::State& state)
{
    ShownResults shown(ThyristorModel);
    shown.show();
    if (!shown.ready(state))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* name : {"DynamicChart", "StaticChart"}) {
            QChart* chart = shown.view(name).chart();
            const QRectF plot = chart->plotArea();
            chart->zoomIn(QRectF(plot.center(), plot.size() / 10));
            chart->scroll(plot.width() / 7, -plot.height() / 9);
        }
        shown.paint();
        state.ResumeTiming();
        shown.simulate();
    }
}

void SimulateOverFiveRuns(benchmark::State& state)
{
    ShownResults shown(ThyristorModel);
    shown.show();
    if (!shown.ready(state))
        return;
    shown.window.findChild<QCheckBox*>("ResultCheckBox")->click();
    for (auto _ : state) {
        state.PauseTiming();
        shown.window.ClearResults();
        for (int run = 1; run < 5; ++run)
            shown.simulate();
        state.ResumeTiming();
        shown.simulate();
    }
}

// The mouse moves over the dynamics chart with runs on show: each move redraws the measurement
// cursor, and the chart's view is repainted at once, as the user's screen shows it.
void RepaintUnderTheCursor(benchmark::State& state, int runs)
{
    ShownResults shown(ThyristorModel);
    shown.show();
    if (!shown.ready(state))
        return;
    shown.window.findChild<QCheckBox*>("ResultCheckBox")->click();
    for (int run = 1; run < runs; ++run)
        shown.simulate();
    QChartView& view = shown.view("DynamicChart");
    const QRectF plot = view.chart()->plotArea();
    int step = 0;
    for (auto _ : state) {
        const QPointF at(plot.left() + plot.width() * (0.2 + 0.05 * (step++ % 10)),
                         plot.center().y());
        QTest::mouseMove(view.viewport(), view.mapFromScene(view.chart()->mapToScene(at)));
        view.viewport()->repaint();
    }
}

void SwitchThroughThePages(benchmark::State& state)
{
    ShownResults shown(ThyristorModel);
    shown.show();
    if (!shown.ready(state))
        return;
    for (auto _ : state)
        for (const int page : {1, 2, 0}) {
            shown.pages().setCurrentIndex(page);
            shown.paint();
        }
}

template <typename Function, typename... Arguments>
void add(const std::string& name, Function function, Arguments... arguments)
{
    benchmark::RegisterBenchmark(name.c_str(), function, arguments...)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MeasureProcessCPUTime();
}

const bool Registered = [] {
    const QStringList models = QDir(Examples).entryList({QStringLiteral("*.kmf")}, QDir::Files);
    for (const QString& model : models)
        add("F6/" + model.toStdString(), SimulateAndPaint, Examples + u'/' + model, QString());
    add("F6/10 s model", SimulateAndPaint, ThyristorModel, QStringLiteral("10"));
    add("F6/the other model, window on show", SimulateOtherModel);
    add("F6/after zoom and pan", SimulateAfterZoomAndPan);
    add("F6/fifth unrefreshed run", SimulateOverFiveRuns);
    add("F6/statics page on show", SimulateOnPage, 1);
    add("F6/analysis page on show", SimulateOnPage, 2);
    add("Switch through the three pages", SwitchThroughThePages);
    add("Repaint under the cursor/one run", RepaintUnderTheCursor, 1);
    add("Repaint under the cursor/five runs", RepaintUnderTheCursor, 5);
    return true;
}();

} // namespace
