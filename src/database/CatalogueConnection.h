#pragma once

#include <QChar>
#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

#include <chrono>

#include "ConnectionString.h"
#include "RecordSet.h"
#include "text/Status.h"

class QSqlQuery;

namespace kinetra {

class FetchBounds;
class FetchCancel;
class ServerWait;

// The bounds of every fetch: its time, the values (records times fields) and the bytes of those
// values it may hold. Rows come one at a time from either engine, so the bounds apply before the
// memory is spent.
struct FetchLimits {
    std::chrono::milliseconds time{30'000};
    qsizetype values = 20'000'000;
    qsizetype bytes = qsizetype(512) * 1024 * 1024;
};

// The connection to the catalogue itself, used on the one thread that made it, as Qt's SQL
// connections must be. It only ever reads: SQLite files are opened read-only, PostgreSQL
// sessions are read-only, and a typed query must be a single reading statement. A fetch stops at
// its bounds or at the user's cancel, also while the engine computes before the first record.
class CatalogueConnection final {
    Q_DECLARE_TR_FUNCTIONS(CatalogueConnection)

public:
    explicit CatalogueConnection(QChar decimalSeparator);
    ~CatalogueConnection();
    CatalogueConnection(const CatalogueConnection&) = delete;
    CatalogueConnection& operator=(const CatalogueConnection&) = delete;

    // Opens the catalogue the string names, closing any open one first.
    Status open(const QString& connectionString);
    void close();
    bool isOpen() const;

    // The user tables and views, without the engine's own.
    StatusOr<QStringList> tableNames();
    StatusOr<RecordSet> openTable(const QString& name, const FetchLimits& limits,
                                  FetchCancel& cancel);
    // Refuses a text that is not a single reading statement.
    StatusOr<RecordSet> openQuery(const QString& sql, const FetchLimits& limits,
                                  FetchCancel& cancel);

private:
    Status requireOpen() const;
    Status openSQLite(const QString& path);
    Status openPostgreSQL(const ConnectionSettings& settings);
    StatusOr<RecordSet> fetch(const QString& sql, const FetchLimits& limits, FetchCancel& cancel);
    // One fetch on the open connection; connectionCut tells that its server stopped answering.
    StatusOr<RecordSet> fetchOnce(const QString& sql, FetchBounds& bounds, bool& connectionCut);
    StatusOr<RecordSet> fetchWithin(QSqlQuery& query, const QString& sql, FetchBounds& bounds,
                                    ServerWait* serverWait);
    QString quotedTableName(const QString& name) const;
    // The declared column types of an SQLite table by column name.
    QHash<QString, QString> declaredTypes(const QString& table);

    const QChar m_decimalSeparator;
    // Qt keeps connections by name; every catalogue has its own.
    const QString m_connectionName;
    ConnectionSettings::Kind m_kind = ConnectionSettings::Kind::SQLiteFile;
    // Kept to open the connection again after a server that stopped answering had it cut.
    QString m_connectionString;
};

} // namespace kinetra
