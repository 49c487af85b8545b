#pragma once

#include <QString>

#include "RunData.h"
#include "sim/SimOptions.h"

namespace kinetra {

class MessageSink;
class ModelSession;

// The report of the command-line simulator: the results window's charts and summary are built,
// without showing them, for the model already run, and the report is composed from them as the
// report command does, in colour or black and white as the settings file of the working
// directory asks. Needs a QApplication.
bool WriteSimReport(const SimOptions& options, ModelSession& session, const SignalSeries& signal,
                    MessageSink& messages, QString& error);

} // namespace kinetra
