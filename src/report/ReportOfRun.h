#pragma once

#include <QString>

#include "ReportExports.h"
#include "ReportForm.h"
#include "text/Status.h"

namespace kinetra {

class ModelSession;
struct RunView;

// The report command's composition of the run on show: the parameters as collected for the run,
// the model's file in the title, and the summary with the motor's duty over the run.
void ComposeReport(ReportForm& form, const ModelSession& session, const RunView& run,
                   const ReportSwitches& switches);

// Writes a composed report as one of its text exports (plain text or CSV), dated today. They need
// no drawing, so a program without any window library writes them too.
Status SaveReportText(const ReportForm& form, ReportFormat format, const QString& path);

} // namespace kinetra
