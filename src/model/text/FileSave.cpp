#include "text/FileSave.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kinetra {

namespace {

// Why the last system call failed, in the system's words; Qt's own text when the system set no
// error (Qt leaves "Unknown error" after some failed writes, so the system's reason comes first).
QString SystemReason(const QFileDevice& file)
{
    return errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
}

// Pushes Qt's buffer to the system and the system's to the disk, so that a full disk shows
// here and not after the rename.
bool FlushToDisk(QSaveFile& file, QString& error)
{
    errno = 0;
    if (!file.flush()) {
        error = SystemReason(file);
        return false;
    }
    if (::fsync(file.handle()) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

} // namespace

FileSaveResult SaveFile(const QString& path, const FileContentWriter& writeContent)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    QString error;
    errno = 0;
    const bool written = writeContent(file) && file.error() == QFileDevice::NoError;
    if (!written)
        error = errno != 0 || file.error() != QFileDevice::NoError
                    ? SystemReason(file)
                    : QStringLiteral("содержимое файла не удалось записать");
    if (!written || !FlushToDisk(file, error)) {
        file.cancelWriting();
        return {false, error};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

FileSaveResult SaveFile(const QString& path, const QByteArray& content)
{
    return SaveFile(
        path, [&content](QIODevice& device) { return device.write(content) == content.size(); });
}

QString SaveFailedMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Не сохранить файл ") + QFileInfo(path).fileName() + u'\n' + reason;
}

} // namespace kinetra
