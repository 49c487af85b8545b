#pragma once

#include <QStringList>

#include "text/KeyValueText.h"

namespace kinetra {

// The model files used last, newest first, as the settings file keeps them: a section
// "[Recent]" of its own at the end, with the keys "File1" to "File8". A settings file written
// before the list existed simply has none, and older programs pass over the section.
inline constexpr qsizetype RecentFileCount = 8;

// The list the settings hold; empty paths and repeats are passed over.
QStringList RecentFilesIn(const KeyValueText& settings);

// Replaces the section by the list, or removes it for an empty list; the other lines stay.
void PutRecentFiles(KeyValueText& settings, const QStringList& files);

// The list with path put first, each file named once and the oldest dropped beyond the count.
QStringList WithRecentFile(QStringList files, const QString& path);

} // namespace kinetra
