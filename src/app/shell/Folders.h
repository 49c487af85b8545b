#pragma once

#include <QString>

namespace kinetra {

// The folders the file dialogs start in; each follows the last file chosen of its kind. An empty
// folder means the working directory. A folder that is not empty ends with a separator.
struct Folders {
    QString ModelsFolder;
    QString ReportsFolder;
    QString QueriesFolder;
    QString SettingsFolder;
};

// The folder of a file, as the folders above keep it.
QString FolderOf(const QString& filePath);

// A title made fit to name a file on any desktop: the characters a file name cannot hold there
// (/ \ : * ? " < > | and control characters) become "-", and the ends are trimmed of blanks
// and dots.
QString FileNameFrom(const QString& title);

} // namespace kinetra
