#pragma once

#include <QString>
#include <QTextStream>

#include "text/IoResult.h"

namespace kinetra {

// Pushes what the stream holds out to its device and says whether every byte written to it so
// far went out. A script that sends the simulator's output onto a full disk or /dev/full must
// not get a cut table with success; every printing path of the simulator ends here.
IoResult FlushOutput(QTextStream& out);

// Flushes the output; on a failure writes "Не записать стандартный вывод" and the reason to the
// error stream. Gives whether all went out.
bool FinishOutput(QTextStream& out, QTextStream& err);

} // namespace kinetra
