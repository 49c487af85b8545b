#include "ReportOfRun.h"

#include <QDate>

#include "MotorDuty.h"
#include "RunView.h"
#include "StepResponse.h"
#include "Summary.h"
#include "editor/ModelSession.h"
#include "text/FileSave.h"
#include "text/TextFile.h"

namespace kinetra {

void ComposeReport(ReportForm& form, const ModelSession& session, const RunView& run,
                   const ReportSwitches& switches)
{
    // The summary's factors describe the run's end; the step figures with the error left at the
    // end, and the motor's duty over the run, follow them, all values in one column.
    const QChar separator = session.reader().decimalSeparator();
    FigureColumn analysis =
        SummaryColumn(run.summaryFigures, run.simulated.TorqueControl, separator);
    analysis.appendBlock(StepTransientColumn(run.stepResponse, separator));
    if (run.motorDuty)
        analysis.appendBlock(MotorDutyColumn(*run.motorDuty, separator));
    form.compose(session.editor(), run.collected, session.ModelFileName(),
                 analysis.aligned(FigureNameWidth), switches);
}

Status SaveReportText(const ReportForm& form, ReportFormat format, const QString& path)
{
    const QString date = ReportDate(QDate::currentDate());
    return SaveFile(path,
                    EncodeTextLines(format == ReportFormat::Csv ? ReportCsv(form, date)
                                                                : ReportPlainText(form, date)));
}

} // namespace kinetra
