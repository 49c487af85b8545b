#include "sim/SimReport.h"

#include <memory>

#include "editor/ModelSession.h"
#include "report/PagePrinting.h"
#include "report/ReportDocument.h"
#include "results/ResultWindow.h"
#include "shell/ActionTable.h"
#include "text/KeyValueText.h"
#include "text/TextFile.h"

namespace kinetra {

namespace {

// Charts are black and white only when the settings file says "Color=false", as the program
// reads it at start-up.
bool ColourOutputOfSettings()
{
    const TextFileRead settings = ReadTextFile(QStringLiteral("Kinetra.ini"));
    return !settings.ok || ReadKey(settings.lines, QStringLiteral("Color")) != u"false";
}

} // namespace

bool WriteSimReport(const SimOptions& options, ModelSession& session, const SignalSeries& signal,
                    MessageSink& messages, QString& error)
{
    const ActionTable actions;
    auto run = std::make_unique<RunData>();
    ResultWindow results(actions, session, *run, signal, messages);
    results.setColourOutput(ColourOutputOfSettings());
    results.FormActivate();
    ReportDocument report(session, results);
    report.compose(options.reportParts);
    const FileSaveResult saved = report.save(
        options.reportPath, ReportFormatOf(options.reportPath).value_or(ReportFormat::Pdf));
    if (!saved.ok)
        error = SaveFailureText(options.reportPath, saved.error);
    return saved.ok;
}

} // namespace kinetra
