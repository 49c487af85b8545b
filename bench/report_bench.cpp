// The report of a 10 s model (9999 samples) on the offscreen platform: (a) from the report
// command to the painted preview: composition, the preview window, the page with both charts
// drawn from the run on show; (b) the report written as a PDF file.

#include <benchmark/benchmark.h>

#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

#include <memory>

#include "ReportDocument.h"
#include "ResultsActivation.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "report/ReportPreview.h"

namespace {

class IgnoredMessages final : public kinetra::MessageSink {
public:
    void showMessage(const QString&) override {}
};

// The results after one run of the example model over 10 s.
struct TenSecondRun {
    TenSecondRun()
    {
        session.NewModel();
        loaded = session.LoadModelFile(QStringLiteral(KINETRA_EXAMPLE_MODEL)).ok;
        session.editor().setText(kinetra::EditField::TmaxEdit, QStringLiteral("10"));
        results.FormActivate(true);
    }

    IgnoredMessages messages;
    kinetra::ModelSession session{u',', messages};
    bool loaded = false;
    std::unique_ptr<kinetra::RunData> run = std::make_unique<kinetra::RunData>();
    std::unique_ptr<kinetra::SignalSeries> signal =
        std::make_unique<kinetra::SignalSeries>(kinetra::UnitSignal());
    kinetra::ResultsActivation results{session, *run, *signal, messages};
    kinetra::ReportDocument report{session, results};
};

void ReportToPaintedPreview(benchmark::State& state)
{
    TenSecondRun model;
    if (!model.loaded) {
        state.SkipWithError("the example model does not load");
        return;
    }
    for (auto _ : state) {
        model.report.compose({});
        kinetra::ReportPreview preview({[&model](QPrinter& printer) {
                                            QPainter painter(&printer);
                                            model.report.paint(painter);
                                        },
                                        [] {}, [] {}});
        preview.show();
        preview.preview()->updatePreview();
        benchmark::DoNotOptimize(preview.grab());
    }
}
BENCHMARK(ReportToPaintedPreview)->Unit(benchmark::kMillisecond);

void ReportAsPdf(benchmark::State& state)
{
    TenSecondRun model;
    QTemporaryDir folder;
    if (!model.loaded || !folder.isValid()) {
        state.SkipWithError("no model or no temporary folder");
        return;
    }
    model.report.compose({});
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        if (!model.report.save(path, kinetra::ReportFormat::Pdf).ok)
            state.SkipWithError("the PDF was not written");
    }
}
BENCHMARK(ReportAsPdf)->Unit(benchmark::kMillisecond);

} // namespace
