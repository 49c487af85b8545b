#pragma once

#include <QTextStream>

#include <functional>

#include "RunData.h"

#include "SimOptions.h"
#include "SimOutput.h"
#include "text/Status.h"

namespace kinetra {

class ModelSession;
class ResultsActivation;

// Writes a report that draws its charts (PDF, HTML) for the run on show, from the results
// already computed. Warnings about the page (text that did not fit) go to err.
using SimReportWriter = std::function<Status(const SimOptions& options, const ModelSession& session,
                                             const ResultsActivation& results, QTextStream& err)>;

// Opens the model file as the model window's Open command does, runs it as a first activation
// of the results window would, and prints what the options ask for.
// A report's text exports are written here; a report that draws is written only when a drawing
// writer is given. Output that does not all reach standard output or standard error is an error
// of its own (SimStatus).
SimStatus RunSim(const SimOptions& options, QChar localeSeparator, QTextStream& out,
                 QTextStream& err, const SimReportWriter& drawReport = {});

} // namespace kinetra
