#pragma once

#include <QString>
#include <QTextStream>

#include "SimOptions.h"
#include "text/Status.h"

namespace kinetra {

class ModelSession;
class ResultsActivation;

// The report of the command-line simulator drawn, PDF or HTML: composed from the run already on
// show as the report command does, its charts in colour or black and white as the settings file
// of the working directory asks. A column cut for want of room is reported on err. Needs a
// QApplication.
Status WriteSimReport(const SimOptions& options, const ModelSession& session,
                      const ResultsActivation& results, QTextStream& err);

} // namespace kinetra
