#pragma once

#include <QString>

#include <cstdint>

#include "text/Status.h"

namespace kinetra {

// The SQLite application id of every catalogue this builder writes: "Kntr" in the file header's
// bytes 68..71, so a script can tell a catalogue it may replace from a file a user made.
inline constexpr std::int32_t CatalogueApplicationId = 0x4B6E7472;

// Builds the SQLite catalogue databasePath from the UTF-8 SQL script sqlPath, all statements in
// one transaction. The database is written beside databasePath and replaces it only when every
// statement succeeded: a failed build leaves whatever file was there untouched.
Status BuildCatalogue(const QString& sqlPath, const QString& databasePath);

} // namespace kinetra
