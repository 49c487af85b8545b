#include "text/FileSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/SystemReason.h"

namespace kinetra {

namespace {

// The temporary beside the target is named "<target>.kinetra-save-" and six random characters,
// so that the leftover of a killed save can be told from the user's own files.
const QString TemporaryMark = QStringLiteral(".kinetra-save-");
constexpr int TemporarySuffixLength = 6;
constexpr int TemporaryNameAttempts = 100;

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
            m_failure = SystemReason(errno, QStringLiteral("На диск записаны не все байты файла"));
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

// Removes the temporaries that saves of this target killed before their end left behind.
void RemoveLeftoverTemporaries(const QString& target)
{
    const QFileInfo info(target);
    const QString prefix = info.fileName() + TemporaryMark;
    QDir folder = info.dir();
    for (const QString& name : folder.entryList({prefix + u'*'}, QDir::Files | QDir::Hidden)) {
        // The filter is a wildcard pattern, which a "[" in the file's name would bend.
        if (name.startsWith(prefix) && name.size() == prefix.size() + TemporarySuffixLength)
            folder.remove(name);
    }
}

// Creates the temporary with the permissions a new file gets, so the umask applies.
int CreateTemporary(const QString& target, QString& temporaryPath)
{
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        temporaryPath = target + TemporaryMark;
        for (int i = 0; i < TemporarySuffixLength; ++i)
            temporaryPath += QLatin1Char(Letters[QRandomGenerator::global()->bounded(62)]);
        const int descriptor = ::open(QFile::encodeName(temporaryPath).constData(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
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
        return QStringLiteral("содержимое файла не удалось записать");
    errno = 0;
    if (!temporary.flush())
        return SystemReason(errno, temporary.errorString());
    if (::fsync(temporary.handle()) != 0)
        return SystemReason(errno);
    return {};
}

} // namespace

IoResult SaveFile(const QString& path, const FileContentWriter& writeContent)
{
    const QString target = SaveTarget(path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing {};
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    // Only a regular file is ever replaced: a device, a pipe or a folder of that name stays.
    if (exists && S_ISDIR(existing.st_mode))
        return IoResult::Failed(SystemReason(EISDIR));
    if (exists && !S_ISREG(existing.st_mode))
        return IoResult::Failed(NotARegularFile());
    if (exists && ::access(targetName.constData(), W_OK) != 0)
        return IoResult::Failed(SystemReason(errno));

    RemoveLeftoverTemporaries(target);
    QString temporaryPath;
    const int descriptor = CreateTemporary(target, temporaryPath);
    if (descriptor < 0)
        return IoResult::Failed(SystemReason(errno));
    if (exists)
        ::fchmod(descriptor, existing.st_mode & 07777);
    QFile temporary;
    temporary.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
    QString failure = WriteTemporary(temporary, writeContent);
    temporary.close();
    if (failure.isEmpty() &&
        ::rename(QFile::encodeName(temporaryPath).constData(), targetName.constData()) != 0)
        failure = SystemReason(errno);
    if (!failure.isEmpty()) {
        QFile::remove(temporaryPath);
        return IoResult::Failed(failure);
    }
    return IoResult::Done();
}

IoResult SaveFile(const QString& path, const QByteArray& content)
{
    return SaveFile(
        path, [&content](QIODevice& device) { return device.write(content) == content.size(); });
}

QString SaveFailedMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Не сохранить файл ") + QFileInfo(path).fileName() + u'\n' + reason;
}

} // namespace kinetra
