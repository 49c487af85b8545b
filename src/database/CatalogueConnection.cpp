#include "CatalogueConnection.h"

#include <QAtomicInt>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>
#include <condition_variable>
#include <dlfcn.h>
#include <mutex>
#include <new>
#include <poll.h>
#include <sys/socket.h>
#include <thread>

#include "CatalogueFile.h"
#include "FetchCancel.h"
#include "SqlText.h"

struct sqlite3;

namespace kinetra {

namespace {

const QString SQLiteDriver = QStringLiteral("QSQLITE");
const QString PostgreSQLDriver = QStringLiteral("QPSQL");
// PostgreSQL's type number of "text", its long-text type.
constexpr int PostgreSQLText = 25;

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("kinetra-catalogue-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString errorText(const QSqlError& error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? CatalogueConnection::tr("неизвестная ошибка") : text;
}

// SQLite's text, after the user's words for a damaged or locked file.
QString SQLiteProblem(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    // The primary result codes: SQLITE_BUSY, SQLITE_LOCKED, SQLITE_CORRUPT, SQLITE_NOTADB.
    const int primary = code.toInt() & 0xff;
    if (primary == 5 || primary == 6)
        return CatalogueConnection::tr("Каталог занят другой программой. ") + errorText(error);
    if (primary == 11 || primary == 26)
        return CatalogueConnection::tr("Файл каталога повреждён. ") + errorText(error);
    return errorText(error);
}

// What a fetched value costs in memory, near enough for a bound.
qsizetype ValueBytes(const QVariant& value)
{
    constexpr qsizetype VariantBytes = 32;
    switch (value.typeId()) {
    case QMetaType::QString:
        return VariantBytes + 2 * value.toString().size();
    case QMetaType::QByteArray:
        return VariantBytes + value.toByteArray().size();
    default:
        return VariantBytes;
    }
}

bool isMemoDeclaration(const QString& declaredType)
{
    const QString type = declaredType.trimmed().toUpper();
    return type == u"TEXT" || type == u"MEMO" || type == u"CLOB";
}

QString tooLongText(const FetchLimits& limits, QChar decimalSeparator)
{
    const QString seconds = QString::number(double(limits.time.count()) / 1000);
    return CatalogueConnection::tr("Запрос выполнялся дольше %1 с и прерван.")
        .arg(QString(seconds).replace(u'.', decimalSeparator));
}

// PostgreSQL's code for a statement cancelled, here by its statement_timeout.
const QString PostgreSQLQueryCanceled = QStringLiteral("57014");

using ProgressHandlerSetter = void (*)(sqlite3*, int, int (*)(void*), void*);

// sqlite3_progress_handler of the SQLite library that Qt's driver has loaded: taken from the
// running program, it needs neither SQLite's header nor its link library. Null when the driver
// carries its own copy of SQLite; the fetch then stops only between records.
ProgressHandlerSetter progressHandlerSetter()
{
    static const ProgressHandlerSetter setter = []() -> ProgressHandlerSetter {
        void* library = ::dlopen("libsqlite3.so.0", RTLD_LAZY | RTLD_NOLOAD);
        return library ? reinterpret_cast<ProgressHandlerSetter>(
                             ::dlsym(library, "sqlite3_progress_handler"))
                       : nullptr;
    }();
    return setter;
}

// Makes SQLite give up a statement once a bound of the fetch is reached, also while it computes
// before its first record (a sort, an aggregate over a huge join).
class SQLiteBounds final {
public:
    SQLiteBounds(const QSqlDatabase& database, FetchBounds& bounds)
    {
        const QVariant handle = database.driver()->handle();
        if (!progressHandlerSetter() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
            return;
        m_connection = *static_cast<sqlite3* const*>(handle.constData());
        if (m_connection)
            progressHandlerSetter()(m_connection, 1000, &reached, &bounds);
    }
    ~SQLiteBounds()
    {
        if (m_connection)
            progressHandlerSetter()(m_connection, 0, nullptr, nullptr);
    }
    Q_DISABLE_COPY_MOVE(SQLiteBounds)

private:
    static int reached(void* bounds);

    sqlite3* m_connection = nullptr;
};

} // namespace

// The bounds of one fetch: its limits, its deadline and the user's cancel. SQLite's progress
// handler and the record loop ask them; asking reads a clock and a flag, nothing more.
class FetchBounds final {
public:
    FetchBounds(const FetchLimits& limits, FetchCancel& cancel)
        : m_limits(limits), m_deadline(limits.time), m_cancel(cancel)
    {
    }
    Q_DISABLE_COPY_MOVE(FetchBounds)

    const FetchLimits& limits() const { return m_limits; }
    const QDeadlineTimer& deadline() const { return m_deadline; }
    FetchCancel& cancel() { return m_cancel; }
    bool reached() const { return m_cancel.isSet() || m_deadline.hasExpired(); }
    // Why the fetch ended early, or an empty text when it was not stopped by a bound.
    QString reason(const QSqlError& error, QChar decimalSeparator) const
    {
        if (m_cancel.isSet())
            return FetchCancel::reason();
        if (m_deadline.hasExpired() || error.nativeErrorCode() == PostgreSQLQueryCanceled)
            return tooLongText(m_limits, decimalSeparator);
        return QString();
    }

private:
    const FetchLimits m_limits;
    const QDeadlineTimer m_deadline;
    FetchCancel& m_cancel;
};

namespace {

// The few calls of the PostgreSQL client library that waiting on the network needs, taken from
// the library Qt's driver has loaded, as for SQLite above. Null when it is not loaded.
struct PostgresClient {
    int (*socket)(const void* connection);
    int (*consumeInput)(void* connection);
    int (*isBusy)(void* connection);
    void* (*getCancel)(void* connection);
    int (*cancel)(void* cancel, char* error, int errorSize);
    void (*freeCancel)(void* cancel);
};

const PostgresClient* postgresClient()
{
    static const std::optional<PostgresClient> client = []() -> std::optional<PostgresClient> {
        void* library = ::dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
        if (!library)
            return std::nullopt;
        const auto symbol = [library](const char* name) { return ::dlsym(library, name); };
        PostgresClient found{
            reinterpret_cast<decltype(PostgresClient::socket)>(symbol("PQsocket")),
            reinterpret_cast<decltype(PostgresClient::consumeInput)>(symbol("PQconsumeInput")),
            reinterpret_cast<decltype(PostgresClient::isBusy)>(symbol("PQisBusy")),
            reinterpret_cast<decltype(PostgresClient::getCancel)>(symbol("PQgetCancel")),
            reinterpret_cast<decltype(PostgresClient::cancel)>(symbol("PQcancel")),
            reinterpret_cast<decltype(PostgresClient::freeCancel)>(symbol("PQfreeCancel"))};
        if (!found.socket || !found.consumeInput || !found.isBusy || !found.getCancel ||
            !found.cancel || !found.freeCancel)
            return std::nullopt;
        return found;
    }();
    return client ? &*client : nullptr;
}

} // namespace

// Keeps a PostgreSQL fetch within its bounds while the client library waits on the network. A
// watcher thread cancels the statement on the server as soon as the user stops the fetch, also
// while the client library waits inside Qt for the first record, and cuts the connection of a
// server that answers nothing at all, not even a cancel: a moment after the stop or after the
// deadline. Between records the fetch waits itself, so that a cut connection ends the wait.
class ServerWait final {
public:
    ServerWait(const QSqlDatabase& database, FetchBounds& bounds) : m_bounds(bounds)
    {
        const QVariant handle = database.driver()->handle();
        m_client = postgresClient();
        // Qt names the handle's type after the library's typedef or after its struct.
        if (!m_client || (qstrcmp(handle.typeName(), "PGconn*") != 0 &&
                          qstrcmp(handle.typeName(), "pg_conn*") != 0))
            return;
        m_connection = *static_cast<void* const*>(handle.constData());
        if (!m_connection)
            return;
        m_socket = m_client->socket(m_connection);
        // Taken here, on the connection's own thread; the watcher only sends it.
        m_cancel = m_client->getCancel(m_connection);
        const auto cutAt = std::chrono::steady_clock::now() +
                           std::chrono::milliseconds(bounds.deadline().remainingTime()) +
                           AnswerGrace;
        m_watcher = std::thread([this, cutAt] { watch(cutAt); });
        m_bounds.cancel().onSet([this] {
            {
                const std::lock_guard lock(m_mutex);
                m_stopAsked = true;
            }
            m_condition.notify_one();
        });
    }
    ~ServerWait() { finish(); }
    Q_DISABLE_COPY_MOVE(ServerWait)

    // Ends the watcher: from here on, nothing cuts the connection.
    void finish()
    {
        if (!m_watcher.joinable())
            return;
        m_bounds.cancel().onSet({});
        {
            const std::lock_guard lock(m_mutex);
            m_ended = true;
        }
        m_condition.notify_one();
        m_watcher.join();
        m_client->freeCancel(m_cancel);
    }

    // Waits until the next record (or the statement's end or error) has arrived, so that Qt's
    // driver does not block; returns at once after a cut, when the driver meets the error.
    void waitForRecord()
    {
        if (!m_connection)
            return;
        while (!m_cut && m_client->consumeInput(m_connection) && m_client->isBusy(m_connection)) {
            pollfd socket{m_socket, POLLIN, 0};
            ::poll(&socket, 1, PollMilliseconds);
        }
    }
    bool connectionCut() const { return m_cut; }

private:
    static constexpr std::chrono::milliseconds AnswerGrace{1000};
    static constexpr int PollMilliseconds = 30;

    // The watcher: the user's stop cancels the statement and leaves the server a moment to
    // answer; the deadline, or a server that keeps silent, cuts the connection.
    void watch(std::chrono::steady_clock::time_point cutAt)
    {
        std::unique_lock lock(m_mutex);
        if (m_condition.wait_until(lock, cutAt, [this] { return m_ended || m_stopAsked; })) {
            if (m_ended)
                return;
            lock.unlock();
            if (m_cancel) {
                char error[256];
                m_client->cancel(m_cancel, error, sizeof error);
            }
            lock.lock();
            const auto answerBy = std::min(cutAt, std::chrono::steady_clock::now() + AnswerGrace);
            if (m_condition.wait_until(lock, answerBy, [this] { return m_ended; }))
                return;
        }
        cutConnection();
    }
    void cutConnection()
    {
        if (!m_cut.exchange(true))
            ::shutdown(m_socket, SHUT_RDWR);
    }

    FetchBounds& m_bounds;
    const PostgresClient* m_client = nullptr;
    void* m_connection = nullptr;
    void* m_cancel = nullptr;
    int m_socket = -1;
    std::atomic<bool> m_cut{false};
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_ended = false;
    bool m_stopAsked = false;
    std::thread m_watcher;
};

namespace {

int SQLiteBounds::reached(void* bounds)
{
    return static_cast<FetchBounds*>(bounds)->reached() ? 1 : 0;
}

} // namespace

CatalogueConnection::CatalogueConnection(QChar decimalSeparator)
    : m_decimalSeparator(decimalSeparator), m_connectionName(nextConnectionName())
{
}

CatalogueConnection::~CatalogueConnection()
{
    close();
}

Status CatalogueConnection::open(const QString& connectionString)
{
    close();
    m_connectionString = connectionString;
    const std::optional<ConnectionSettings> settings = ParseConnectionString(connectionString);
    if (!settings)
        return Status::Failed(tr("Строка подключения не понятна программе. Ожидается "
                                 "\"Provider=SQLite;Data Source=ФАЙЛ\" или "
                                 "\"Provider=PostgreSQL;Server=...;Database=...\"."));
    m_kind = settings->kind;
    return m_kind == ConnectionSettings::Kind::PostgreSQL ? openPostgreSQL(*settings)
                                                          : openSQLite(settings->file);
}

Status CatalogueConnection::openSQLite(const QString& path)
{
    const CatalogueFileKind kind = SniffCatalogueFile(path);
    if (kind != CatalogueFileKind::SQLite)
        return Status::Failed(CatalogueFileProblem(kind, path));
    QSqlDatabase database = QSqlDatabase::addDatabase(SQLiteDriver, m_connectionName);
    database.setDatabaseName(QFileInfo(path).absoluteFilePath());
    // Others may read and write the file meanwhile; this program never writes it.
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    // A connection is removed only once no handle of it is left.
    if (!database.open()) {
        const Status failed = Status::Failed(errorText(database.lastError()));
        database = QSqlDatabase();
        close();
        return failed;
    }
    // SQLite reads nothing on opening: a damaged file or another program's lock shows only at
    // the first statement, and Qt's list of tables swallows it. Reading the schema here says why.
    QSqlQuery schema(database);
    if (!schema.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !schema.next()) {
        const Status failed = Status::Failed(SQLiteProblem(schema.lastError()));
        schema = QSqlQuery();
        database = QSqlDatabase();
        close();
        return failed;
    }
    return Status::Done();
}

Status CatalogueConnection::openPostgreSQL(const ConnectionSettings& settings)
{
    if (!QSqlDatabase::isDriverAvailable(PostgreSQLDriver))
        return Status::Failed(
            tr("Драйвер PostgreSQL для Qt не установлен (пакет libqt6sql6-psql)."));
    QSqlDatabase database = QSqlDatabase::addDatabase(PostgreSQLDriver, m_connectionName);
    database.setHostName(settings.server);
    if (settings.port > 0)
        database.setPort(settings.port);
    database.setDatabaseName(settings.database);
    database.setUserName(settings.user);
    // Without a password the client library looks in its password file and the environment.
    if (!settings.password.isEmpty())
        database.setPassword(settings.password);
    database.setConnectOptions(QStringLiteral("connect_timeout=10"));
    if (!database.open()) {
        const Status failed = Status::Failed(errorText(database.lastError()));
        database = QSqlDatabase();
        close();
        return failed;
    }
    QSqlQuery readOnly(database);
    if (!readOnly.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"))) {
        const Status failed = Status::Failed(errorText(readOnly.lastError()));
        readOnly = QSqlQuery();
        database = QSqlDatabase();
        close();
        return failed;
    }
    return Status::Done();
}

void CatalogueConnection::close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

Status CatalogueConnection::requireOpen() const
{
    return isOpen() ? Status::Done() : Status::Failed(tr("Нет подключения к каталогу."));
}

bool CatalogueConnection::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName) &&
           QSqlDatabase::database(m_connectionName, false).isOpen();
}

StatusOr<QStringList> CatalogueConnection::tableNames()
{
    if (Status open = requireOpen(); !open.ok)
        return StatusOr<QStringList>::Failed(open.error);
    const QSqlDatabase database = QSqlDatabase::database(m_connectionName, false);
    if (m_kind == ConnectionSettings::Kind::SQLiteFile) {
        // Read here rather than through Qt's list, which hides a damaged schema as no tables.
        QSqlQuery schema(database);
        schema.setForwardOnly(true);
        QStringList names;
        if (schema.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', "
                                       "'view') AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                                       "ORDER BY type = 'view', rowid"))) {
            while (schema.next())
                names.append(schema.value(0).toString());
        }
        if (schema.lastError().isValid())
            return StatusOr<QStringList>::Failed(SQLiteProblem(schema.lastError()));
        return StatusOr<QStringList>::Of(std::move(names));
    }
    QStringList names = database.tables(QSql::Tables);
    names += database.tables(QSql::Views);
    if (database.lastError().isValid())
        return StatusOr<QStringList>::Failed(errorText(database.lastError()));
    return StatusOr<QStringList>::Of(std::move(names));
}

QString CatalogueConnection::quotedTableName(const QString& name) const
{
    const QSqlDriver* driver = QSqlDatabase::database(m_connectionName, false).driver();
    // PostgreSQL names the tables of other schemas "schema.table".
    if (m_kind == ConnectionSettings::Kind::PostgreSQL && name.contains(u'.')) {
        const qsizetype dot = name.indexOf(u'.');
        return driver->escapeIdentifier(name.left(dot), QSqlDriver::TableName) + u'.' +
               driver->escapeIdentifier(name.mid(dot + 1), QSqlDriver::TableName);
    }
    return driver->escapeIdentifier(name, QSqlDriver::TableName);
}

StatusOr<RecordSet> CatalogueConnection::openTable(const QString& name, const FetchLimits& limits,
                                                   FetchCancel& cancel)
{
    if (Status open = requireOpen(); !open.ok)
        return StatusOr<RecordSet>::Failed(open.error);
    return fetch(QStringLiteral("SELECT * FROM ") + quotedTableName(name), limits, cancel);
}

StatusOr<RecordSet> CatalogueConnection::openQuery(const QString& sql, const FetchLimits& limits,
                                                   FetchCancel& cancel)
{
    if (Status open = requireOpen(); !open.ok)
        return StatusOr<RecordSet>::Failed(open.error);
    if (!IsSingleReadingStatement(sql))
        return StatusOr<RecordSet>::Failed(
            tr("Запрос должен быть одним оператором чтения (SELECT)."));
    return fetch(SplitSqlStatements(sql).constFirst().text, limits, cancel);
}

StatusOr<RecordSet> CatalogueConnection::fetch(const QString& sql, const FetchLimits& limits,
                                               FetchCancel& cancel)
{
    FetchBounds bounds(limits, cancel);
    bool connectionCut = false;
    StatusOr<RecordSet> result = fetchOnce(sql, bounds, connectionCut);
    // The server stopped answering and its connection was cut: the next fetch gets a new one,
    // and this one keeps its own reason.
    if (connectionCut)
        open(m_connectionString);
    return result;
}

StatusOr<RecordSet> CatalogueConnection::fetchOnce(const QString& sql, FetchBounds& bounds,
                                                   bool& connectionCut)
{
    QSqlDatabase database = QSqlDatabase::database(m_connectionName, false);
    const bool postgres = m_kind == ConnectionSettings::Kind::PostgreSQL;
    std::optional<ServerWait> serverWait;
    if (postgres)
        serverWait.emplace(database, bounds);
    const auto noteCut = qScopeGuard([&serverWait, &connectionCut] {
        if (serverWait) {
            serverWait->finish();
            connectionCut = serverWait->connectionCut();
        }
    });
    // A transaction of its own that is always rolled back: even a statement that changes a
    // setting leaves nothing behind. The server stops the statement at the deadline, and at the
    // user's stop through the watcher.
    if (postgres) {
        QSqlQuery begin(database);
        // A server that stops answering is cut off here too; the deadline is then the reason.
        const auto failure = [this, &bounds](const QSqlError& error) {
            const QString reason = bounds.reason(error, m_decimalSeparator);
            return StatusOr<RecordSet>::Failed(reason.isEmpty() ? errorText(error) : reason);
        };
        if (!begin.exec(QStringLiteral("BEGIN TRANSACTION READ ONLY")))
            return failure(begin.lastError());
        if (!begin.exec(QStringLiteral("SET LOCAL statement_timeout = %1")
                            .arg(std::max<qint64>(1, bounds.deadline().remainingTime())))) {
            const QSqlError error = begin.lastError();
            QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
            return failure(error);
        }
    }
    StatusOr<RecordSet> result;
    {
        const SQLiteBounds sqliteBounds(database, bounds);
        QSqlQuery query(database);
        try {
            result = fetchWithin(query, sql, bounds, serverWait ? &*serverWait : nullptr);
        } catch (const std::bad_alloc&) {
            result = StatusOr<RecordSet>::Failed(tr("Для результата запроса не хватает памяти."));
        }
    }
    if (postgres && !serverWait->connectionCut())
        QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
    return result;
}

StatusOr<RecordSet> CatalogueConnection::fetchWithin(QSqlQuery& query, const QString& sql,
                                                     FetchBounds& bounds, ServerWait* serverWait)
{
    const bool postgres = m_kind == ConnectionSettings::Kind::PostgreSQL;
    const auto failure = [this, &bounds, postgres](const QSqlError& error) {
        QString reason = bounds.reason(error, m_decimalSeparator);
        if (reason.isEmpty())
            reason = postgres ? errorText(error) : SQLiteProblem(error);
        return StatusOr<RecordSet>::Failed(reason);
    };
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!query.exec(sql))
        return failure(query.lastError());
    if (!query.isSelect())
        return StatusOr<RecordSet>::Failed(tr("Запрос не возвращает записей."));
    const QSqlRecord record = query.record();
    std::vector<FieldInfo> fields;
    fields.reserve(record.count());
    // SQLite reports a value's storage class, not the declared type; the tables the columns
    // come from declare it.
    QHash<QString, QHash<QString, QString>> tableTypes;
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        bool memo = false;
        if (postgres) {
            memo = field.typeID() == PostgreSQLText;
        } else if (!field.tableName().isEmpty()) {
            if (!tableTypes.contains(field.tableName()))
                tableTypes.insert(field.tableName(), declaredTypes(field.tableName()));
            memo = isMemoDeclaration(tableTypes[field.tableName()].value(field.name()));
        }
        fields.push_back({field.name(), memo});
    }
    const FetchLimits& limits = bounds.limits();
    std::vector<QVariant> values;
    const int count = record.count();
    qsizetype bytes = 0;
    for (;;) {
        if (serverWait)
            serverWait->waitForRecord();
        if (!query.next())
            break;
        if (bounds.reached())
            return StatusOr<RecordSet>::Failed(bounds.reason(QSqlError(), m_decimalSeparator));
        if (qsizetype(values.size()) + count > limits.values)
            return StatusOr<RecordSet>::Failed(
                tr("Результат запроса больше %1 записей; уточните условие отбора.")
                    .arg(limits.values / std::max(1, count)));
        for (int i = 0; i < count; ++i) {
            values.push_back(query.value(i));
            bytes += ValueBytes(values.back());
        }
        if (bytes > limits.bytes)
            return StatusOr<RecordSet>::Failed(
                tr("Результат запроса больше %1 МБ; уточните условие отбора.")
                    .arg(limits.bytes / (1024 * 1024)));
    }
    if (query.lastError().isValid())
        return failure(query.lastError());
    return StatusOr<RecordSet>::Of(
        RecordSet(std::move(fields), std::move(values), m_decimalSeparator));
}

QHash<QString, QString> CatalogueConnection::declaredTypes(const QString& table)
{
    QHash<QString, QString> types;
    QSqlQuery info(QSqlDatabase::database(m_connectionName, false));
    if (info.exec(QStringLiteral("PRAGMA table_info(") + quotedTableName(table) + u')')) {
        while (info.next())
            types.insert(info.value(1).toString(), info.value(2).toString());
    }
    return types;
}

} // namespace kinetra
