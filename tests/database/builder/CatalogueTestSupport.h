#pragma once

#include <functional>

#include <QFile>
#include <QSqlDatabase>
#include <QString>
#include <QUuid>

namespace kinetra {

// Opens an SQLite file read-only on a connection of its own for the length of one look and
// removes the connection afterwards, so that tests leave no connection behind.
inline void InspectDatabase(const QString& path, const std::function<void(QSqlDatabase&)>& look)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (database.open())
            look(database);
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
}

inline bool WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace kinetra
