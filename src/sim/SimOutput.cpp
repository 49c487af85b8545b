#include "SimOutput.h"

#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "text/FileSave.h"
#include "text/SystemReason.h"

namespace kinetra {

Status FlushOutput(QTextStream& out)
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
    const Status flushed = FlushOutput(out);
    if (!flushed.ok) {
        err << "Не записать стандартный вывод\n" << flushed.error << '\n';
        err.flush();
    }
    return flushed.ok;
}

SimStatus FinishStreams(SimStatus status, QTextStream& out, QTextStream& err)
{
    if (!FinishOutput(out, err))
        return SimStatus::OutputIncomplete;
    return FlushOutput(err).ok ? status : SimStatus::ErrorsIncomplete;
}

QString SummaryTargetProblem(const QString& path, const QTextStream& out)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat target {};
    const bool exists = ::stat(name.constData(), &target) == 0;
    const auto* output = qobject_cast<const QFileDevice*>(out.device());
    struct stat table {};
    if (exists && output && output->handle() >= 0 && ::fstat(output->handle(), &table) == 0 &&
        S_ISREG(table.st_mode) && table.st_dev == target.st_dev && table.st_ino == target.st_ino)
        return QStringLiteral("--summary %1 is the file standard output writes the table to: the "
                              "summary would replace the table.")
            .arg(path);
    QString reason;
    if (exists && S_ISDIR(target.st_mode))
        reason = SystemReason(EISDIR);
    else if (exists && !S_ISREG(target.st_mode))
        reason = NotARegularFile();
    else if (exists && ::access(name.constData(), W_OK) != 0)
        reason = SystemReason(errno);
    else {
        // The save writes a temporary beside the file the name leads to and renames it.
        const QFileInfo info(path);
        const QString folder =
            QFileInfo(info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath())
                .absolutePath();
        if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
            reason = SystemReason(errno);
    }
    return reason.isEmpty() ? QString() : SaveFailedMessage(path, reason);
}

} // namespace kinetra
