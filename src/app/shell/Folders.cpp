#include "shell/Folders.h"

#include <QDir>
#include <QFileInfo>

namespace kinetra {

QString FolderOf(const QString& filePath)
{
    return QDir::toNativeSeparators(QFileInfo(filePath).absolutePath() + u'/');
}

} // namespace kinetra
