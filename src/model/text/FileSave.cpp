#include "text/FileSave.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kinetra {

namespace {

// Pushes Qt's buffer to the system and the system's to the disk, so that a full disk shows
// here and not after the rename.
bool FlushToDisk(QSaveFile& file, QString& error)
{
    if (!file.flush()) {
        error = file.errorString();
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
    const bool written = writeContent(file) && file.error() == QFileDevice::NoError;
    if (!written || !FlushToDisk(file, error)) {
        if (error.isEmpty())
            error = file.error() != QFileDevice::NoError
                        ? file.errorString()
                        : QStringLiteral("содержимое файла не удалось записать");
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
