#include "shell/Folders.h"

#include <QDir>
#include <QFileInfo>

namespace kinetra {

QString FolderOf(const QString& filePath)
{
    return QDir::toNativeSeparators(QFileInfo(filePath).absolutePath() + u'/');
}

QString FileNameFrom(const QString& title)
{
    QString name = title;
    for (QChar& c : name)
        if (c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c))
            c = u'-';
    qsizetype first = 0;
    qsizetype end = name.size();
    while (first < end && (name.at(first).isSpace() || name.at(first) == u'.'))
        ++first;
    while (end > first && (name.at(end - 1).isSpace() || name.at(end - 1) == u'.'))
        --end;
    return name.sliced(first, end - first);
}

} // namespace kinetra
