#include "text/FileSave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/SystemReason.h"

namespace kinetra {

namespace {

// The temporary beside the target is named "<target>.kinetra-" with six random characters and
// ".tmp", which tells a user what it is should a killed save leave it behind; the exact pattern
// tells the program's leftovers from the user's own files.
const QString TemporaryMark = QStringLiteral(".kinetra-");
const QString TemporaryExtension = QStringLiteral(".tmp");
constexpr int TemporarySuffixLength = 6;
constexpr int TemporaryNameAttempts = 100;
constexpr char TemporaryLetters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// The temporaries of saves: "<target>.kinetra-XXXXXX.tmp", and "<target>.kinetra-save-XXXXXX",
// as earlier versions named them, whose leftovers may still lie on a user's disk. The first
// group is the target's name.
const QRegularExpression& TemporaryPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(.+)\\.kinetra-(?:[A-Za-z0-9]{%1}\\.tmp|save-[A-Za-z0-9]{%1})$")
            .arg(TemporarySuffixLength));
    return pattern;
}

// Passes every write on to the file and remembers the first one that did not take all its
// bytes. A short write returns a count and no error; a writer that streams through its own
// buffer, as the PDF writer does, then drops the rest without saying so. Asking here catches
// every writer.
class CheckedWriteDevice final : public QIODevice {
public:
    explicit CheckedWriteDevice(QFile& file) : m_file(file)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    const QString& failure() const { return m_failure; }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* data, qint64 length) override
    {
        if (!m_failure.isEmpty())
            return -1;
        errno = 0;
        const qint64 written = m_file.write(data, length);
        if (written != length)
            m_failure = SystemReason(errno, QCoreApplication::translate(
                                                "FileSave", "На диск записаны не все байты файла"));
        return written;
    }

private:
    QFile& m_file;
    QString m_failure;
};

// The file a save replaces: a symbolic link is followed, so the link stays and its target gets
// the new content.
QString SaveTarget(const QString& path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
}

// Removes the temporaries in the folder that saves killed before their end left behind, of the
// target given or of every target. A save holds a lock on its temporary until it has renamed it,
// so the temporary of a save still running, in this program or another, stays; and only a
// regular file is removed.
void RemoveLeftovers(const QString& folderPath, const QString& targetName)
{
    const QDir folder(folderPath);
    const QStringList names = folder.entryList({QStringLiteral("*.kinetra-*")},
                                               QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = TemporaryPattern().match(name);
        if (!match.hasMatch() || (!targetName.isEmpty() && match.captured(1) != targetName))
            continue;
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        const int descriptor =
            ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (descriptor < 0)
            continue;
        struct stat found {};
        if (::fstat(descriptor, &found) == 0 && S_ISREG(found.st_mode) &&
            ::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(descriptor);
    }
}

// Creates the temporary with the permissions a new file gets, so the umask applies, and locks it
// for as long as the save runs.
int CreateTemporary(const QString& target, QString& temporaryPath)
{
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        temporaryPath = target + TemporaryMark;
        for (int i = 0; i < TemporarySuffixLength; ++i)
            temporaryPath += QLatin1Char(TemporaryLetters[QRandomGenerator::global()->bounded(62)]);
        temporaryPath += TemporaryExtension;
        const int descriptor = ::open(QFile::encodeName(temporaryPath).constData(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            ::flock(descriptor, LOCK_EX | LOCK_NB);
            return descriptor;
        }
        if (errno != EEXIST)
            return descriptor;
    }
    return -1;
}

// Writes, flushes and syncs the content into the open temporary; an empty text when all of it
// is on the disk.
QString WriteTemporary(QFile& temporary, const FileContentWriter& writeContent)
{
    CheckedWriteDevice device(temporary);
    const bool written = writeContent(device);
    if (!device.failure().isEmpty())
        return device.failure();
    if (!written)
        return QCoreApplication::translate("FileSave", "содержимое файла не удалось записать");
    errno = 0;
    if (!temporary.flush())
        return SystemReason(errno, temporary.errorString());
    if (::fsync(temporary.handle()) != 0)
        return SystemReason(errno);
    return {};
}

} // namespace

Status SaveFile(const QString& path, const FileContentWriter& writeContent)
{
    const QString target = SaveTarget(path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing {};
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    // Only a regular file is ever replaced: a device, a pipe or a folder of that name stays.
    if (exists && S_ISDIR(existing.st_mode))
        return Status::Failed(SystemReason(EISDIR));
    if (exists && !S_ISREG(existing.st_mode))
        return Status::Failed(NotARegularFile());
    if (exists && ::access(targetName.constData(), W_OK) != 0)
        return Status::Failed(SystemReason(errno));

    const QFileInfo targetInfo(target);
    RemoveLeftovers(targetInfo.path(), targetInfo.fileName());
    QString temporaryPath;
    const int descriptor = CreateTemporary(target, temporaryPath);
    if (descriptor < 0)
        return Status::Failed(SystemReason(errno));
    if (exists)
        ::fchmod(descriptor, existing.st_mode & 07777);
    QFile temporary;
    temporary.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
    QString failure = WriteTemporary(temporary, writeContent);
    // Renamed while still open, and so still locked: no clean-up takes it away before.
    if (failure.isEmpty() &&
        ::rename(QFile::encodeName(temporaryPath).constData(), targetName.constData()) != 0)
        failure = SystemReason(errno);
    temporary.close();
    if (!failure.isEmpty()) {
        QFile::remove(temporaryPath);
        return Status::Failed(failure);
    }
    return Status::Done();
}

void RemoveSaveLeftovers(const QString& folder)
{
    RemoveLeftovers(folder, {});
}

Status SaveFile(const QString& path, const QByteArray& content)
{
    return SaveFile(
        path, [&content](QIODevice& device) { return device.write(content) == content.size(); });
}

QString SaveFailedMessage(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("FileSave", "Не сохранить файл %1\n%2")
        .arg(QFileInfo(path).fileName(), reason);
}

} // namespace kinetra
