#pragma once

#include <QString>
#include <QTextStream>

#include "text/Status.h"

namespace kinetra {

// The exit statuses of the command-line simulator.
enum class SimStatus {
    Success = 0,
    Failed = 1,           // input errors, the run failed, or a variant of a sweep failed
    UsageError = 2,       // bad arguments, a file that cannot be read or written, a model that does
                          // not load
    SignalRefused = 3,    // a workbench stage cannot compute the signal as typed
    OutputIncomplete = 4, // standard output did not take every byte: what it holds is cut short
    ErrorsIncomplete = 5, // standard error did not take every byte: messages or a study's
                          // closing summary are lost
};

// Pushes what the stream holds out to its device and says whether every byte written to it so
// far went out. A script that sends the simulator's output onto a full disk or /dev/full must
// not get a cut table with success; every printing path of the simulator ends here.
Status FlushOutput(QTextStream& out);

// Flushes the output; on a failure writes "Не записать стандартный вывод" and the reason to the
// error stream. Gives whether all went out.
bool FinishOutput(QTextStream& out, QTextStream& err);

// The status a process ends with once both streams are flushed: status itself when every byte
// went out, OutputIncomplete when standard output lost some (a script must not take a cut table
// for a whole one, whatever else happened), else ErrorsIncomplete when standard error did.
SimStatus FinishStreams(SimStatus status, QTextStream& out, QTextStream& err);

// Why the closing summary of a sweep cannot go to path, asked before the first variant runs;
// empty when it can. A summary is refused where it would replace the table, that is the regular
// file the output stream writes (a pipe or a terminal is never that), and where a save would
// fail: a folder that is missing or cannot be written, or a name that is no regular writable
// file.
QString SummaryTargetProblem(const QString& path, const QTextStream& out);

} // namespace kinetra
