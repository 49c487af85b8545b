#include "sim/SimOutput.h"

#include <QFileDevice>

#include <cerrno>

#include "text/SystemReason.h"

namespace kinetra {

IoResult FlushOutput(QTextStream& out)
{
    errno = 0;
    out.flush();
    const int flushError = errno;
    if (out.status() != QTextStream::WriteFailed)
        return {true, {}};
    // The stream keeps its failure from an earlier flush, when errno may be gone; the device
    // still knows a full disk apart from other errors.
    const auto* file = qobject_cast<const QFileDevice*>(out.device());
    if (flushError == 0 && file && file->error() == QFileDevice::ResourceError)
        return {false, SystemReason(ENOSPC)};
    return {false, SystemReason(flushError, file ? file->errorString() : QString())};
}

bool FinishOutput(QTextStream& out, QTextStream& err)
{
    const IoResult flushed = FlushOutput(out);
    if (!flushed.ok) {
        err << "Не записать стандартный вывод\n" << flushed.error << '\n';
        err.flush();
    }
    return flushed.ok;
}

} // namespace kinetra
