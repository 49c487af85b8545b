#pragma once

#include <QTextStream>

#include "sim/SimOptions.h"

namespace kinetra {

// The exit statuses of the command-line simulator.
enum class SimStatus {
    Success = 0,
    Failed = 1,     // input errors, or the run failed
    UsageError = 2, // bad arguments, an unreadable file, a model that does not load
};

// Opens the model file as the model window's Open command does, runs it as a first activation
// of the results window would, and prints what the options ask for.
SimStatus RunSim(const SimOptions& options, QChar localeSeparator, QTextStream& out,
                 QTextStream& err);

} // namespace kinetra
