#pragma once

#include <QChar>
#include <QHash>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

#include "ConnectionString.h"
#include "RecordSet.h"

class QSqlQuery;

namespace kinetra {

class FetchBounds;
class ServerWait;

// The connection to the equipment catalogue. It only ever reads: SQLite files are opened
// read-only and PostgreSQL sessions are read-only, and a typed query must be a single reading
// statement, so nothing the user does in the program can change the catalogue. Tables and query
// results are fetched whole into record sets, within a time and a size: a query that would run
// for ever or fill the memory is stopped with its reason instead.
class Catalogue final {
public:
    explicit Catalogue(QChar decimalSeparator);
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // Opens the catalogue the string names, closing any open one first. False, with error(), when
    // the string is not understood, the file is no SQLite catalogue or the server refuses.
    bool open(const QString& connectionString);
    void close();
    bool isOpen() const;
    // Why the last operation failed, in the user's words.
    const QString& error() const { return m_error; }

    // The user tables and views, without the engine's own; nullopt without a usable connection.
    std::optional<QStringList> tableNames();
    std::optional<RecordSet> openTable(const QString& name);
    // Nullopt for a text that is not a single reading statement, or that the engine rejects.
    std::optional<RecordSet> openQuery(const QString& sql);

    // The bounds of every fetch: its time, the values (records times fields) and the bytes of
    // those values it may hold. Rows come one at a time from either engine, so the bounds apply
    // before the memory is spent.
    struct FetchLimits {
        std::chrono::milliseconds time{30'000};
        qsizetype values = 20'000'000;
        qsizetype bytes = qsizetype(512) * 1024 * 1024;
    };
    void setFetchLimits(const FetchLimits& limits) { m_limits = limits; }

    // Lets the user stop a fetch: asked every few hundredths of a second while one runs, and
    // told when it has ended, however it ended.
    class FetchWatch {
    public:
        virtual bool stopRequested() = 0;
        virtual void fetchEnded() = 0;

    protected:
        ~FetchWatch() = default;
    };
    // Null for fetches nobody can stop; the watch must outlive the catalogue or be unset.
    void setFetchWatch(FetchWatch* watch) { m_watch = watch; }

private:
    // False, with the error said, when no connection is open.
    bool requireOpen();
    bool openSQLite(const QString& path);
    bool openPostgreSQL(const ConnectionSettings& settings);
    std::optional<RecordSet> fetch(const QString& sql);
    // One fetch on the open connection; connectionCut tells that its server stopped answering.
    std::optional<RecordSet> fetchOnce(const QString& sql, bool& connectionCut);
    std::optional<RecordSet> fetchWithin(QSqlQuery& query, const QString& sql, FetchBounds& bounds,
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
    QString m_error;
    FetchLimits m_limits;
    FetchWatch* m_watch = nullptr;
    bool m_fetching = false;
};

} // namespace kinetra
