#include "SimReport.h"

#include "ReportDocument.h"
#include "text/KeyValueText.h"
#include "text/TextFile.h"

namespace kinetra {

namespace {

// Charts are black and white only when the settings file says "Color=false", as the program
// reads it at start-up.
bool ColourOutputOfSettings()
{
    const TextFileRead settings = ReadTextFile(QStringLiteral("Kinetra.ini"));
    return !settings.ok || ReadKey(settings.value, QStringLiteral("Color")) != u"false";
}

} // namespace

Status WriteSimReport(const SimOptions& options, const ModelSession& session,
                      const ResultsActivation& results, QTextStream& err)
{
    ReportDocument report(session, results);
    report.setColourOutput(ColourOutputOfSettings());
    report.compose(options.reportParts);
    const Status saved = report.save(
        options.reportPath, ReportFormatOf(options.reportPath).value_or(ReportFormat::Pdf));
    for (const QString& cut : report.cutColumns())
        err << "warning: " << cut << '\n';
    return saved;
}

} // namespace kinetra
