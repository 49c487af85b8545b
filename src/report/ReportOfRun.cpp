#include "ReportOfRun.h"

#include <QDate>

#include "LoopResponses.h"
#include "MotorDuty.h"
#include "RunView.h"
#include "editor/ModelSession.h"
#include "text/FileSave.h"
#include "text/TextFile.h"

namespace kinetra {

void ComposeReport(ReportForm& form, const ModelSession& session, const RunView& run,
                   const ReportSwitches& switches)
{
    // The summary's factors describe the run's end; the motor's duty over the run follows them.
    QStringList analysis = run.summary;
    if (run.motorDuty)
        analysis << QString()
                 << MotorDutyColumn(*run.motorDuty, session.reader().decimalSeparator())
                        .asWritten();
    // The loops' margins take an engine run of their own: only a report that shows them asks.
    const QStringList margins = switches.margins
                                    ? LoopMarginLines(DescribeLoopResponses(
                                          run.collected, session.reader().decimalSeparator()))
                                    : QStringList();
    form.compose(session.editor(), run.collected, session.ModelFileName(), analysis, switches,
                 margins);
}

Status SaveReportText(const ReportForm& form, ReportFormat format, const QString& path)
{
    const QString date = ReportDate(QDate::currentDate());
    return SaveFile(path,
                    EncodeTextLines(format == ReportFormat::Csv ? ReportCsv(form, date)
                                                                : ReportPlainText(form, date)));
}

} // namespace kinetra
