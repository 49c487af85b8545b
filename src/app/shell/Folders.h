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

} // namespace kinetra
