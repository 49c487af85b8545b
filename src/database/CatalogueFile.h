#pragma once

#include <QString>

namespace kinetra {

// What a catalogue file holds, told from its first bytes rather than its name: the default
// catalogue is called "Kinetra.mdb" whatever engine wrote it. A pipe, a device or a folder is
// not read at all: a pipe would block the program for ever.
enum class CatalogueFileKind {
    Missing,
    NotRegular,
    Unreadable,
    SQLite,
    AccessJet,
    AccessAce,
    Other
};

CatalogueFileKind SniffCatalogueFile(const QString& path);

// Why a file of that kind cannot be opened as a catalogue, in the user's words; empty for SQLite.
QString CatalogueFileProblem(CatalogueFileKind kind, const QString& path);

} // namespace kinetra
