#include "settings/RecentFiles.h"

#include <algorithm>

#include <QDir>

namespace kinetra {

namespace {

const QString RecentHeader = QStringLiteral("[Recent]");

QString keyOf(qsizetype number)
{
    return QStringLiteral("File%1").arg(number);
}

bool samePath(const QString& one, const QString& other)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(one)) ==
           QDir::cleanPath(QDir::fromNativeSeparators(other));
}

} // namespace

QStringList RecentFilesIn(const KeyValueText& settings)
{
    QStringList files;
    for (qsizetype number = 1; number <= RecentFileCount; ++number) {
        const QString path = ReadKey(settings, keyOf(number));
        const bool named = std::any_of(files.cbegin(), files.cend(), [&path](const QString& file) {
            return samePath(file, path);
        });
        if (!path.isEmpty() && !named)
            files.append(path);
    }
    return files;
}

void PutRecentFiles(KeyValueText& settings, const QStringList& files)
{
    settings.removeIf(
        [](const QString& line) { return line.compare(RecentHeader, Qt::CaseInsensitive) == 0; });
    for (qsizetype number = 1; number <= RecentFileCount; ++number)
        while (HasKey(settings, keyOf(number)))
            WriteKey(settings, keyOf(number), QString());
    // The section's blank line before it stays with it.
    while (!settings.isEmpty() && settings.constLast().isEmpty())
        settings.removeLast();
    if (files.isEmpty())
        return;
    settings.append(QString());
    settings.append(RecentHeader);
    for (qsizetype i = 0; i < files.size() && i < RecentFileCount; ++i)
        settings.append(keyOf(i + 1) + u'=' + files.at(i));
}

QStringList WithRecentFile(QStringList files, const QString& path)
{
    files.removeIf([&path](const QString& file) { return samePath(file, path); });
    files.prepend(path);
    while (files.size() > RecentFileCount)
        files.removeLast();
    return files;
}

} // namespace kinetra
