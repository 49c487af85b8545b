#pragma once

#include <QString>

#include <optional>

namespace kinetra {

// Where a connection string points: a catalogue file, or a PostgreSQL server that a whole design
// office shares.
struct ConnectionSettings {
    enum class Kind {
        // A file named by a Jet or ACE provider string, the program's historic default: its
        // content decides whether it can be read.
        CatalogueFile,
        // An SQLite file named by "Provider=SQLite".
        SQLiteFile,
        PostgreSQL,
    };

    Kind kind = Kind::CatalogueFile;
    QString provider; // as written in the string
    QString file;     // the catalogue file, for the two file kinds
    QString server;   // host name, address, or a socket folder starting with "/"
    int port = 0;     // 0: the server's default
    QString database;
    QString user;
    // Empty: the client library's own ways (password file, environment) are used, so that no
    // password has to be kept in the settings file.
    QString password;
};

// Reads "Key=Value;Key=Value" with the keys in any letter case; a value may be quoted with " or
// '. Nullopt for a string whose provider this program has no driver for, or that names no file or
// no database.
std::optional<ConnectionSettings> ParseConnectionString(const QString& text);

// The string that ParseConnectionString reads back into the same settings.
QString ComposeConnectionString(const ConnectionSettings& settings);

} // namespace kinetra
