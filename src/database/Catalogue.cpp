#include "Catalogue.h"

#include <QAtomicInt>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QScopedValueRollback>
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
    return text.isEmpty() ? QStringLiteral("неизвестная ошибка") : text;
}

// SQLite's text, after the user's words for a damaged or locked file.
QString SQLiteProblem(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    // The primary result codes: SQLITE_BUSY, SQLITE_LOCKED, SQLITE_CORRUPT, SQLITE_NOTADB.
    const int primary = code.toInt() & 0xff;
    if (primary == 5 || primary == 6)
        return QStringLiteral("Каталог занят другой программой. ") + errorText(error);
    if (primary == 11 || primary == 26)
        return QStringLiteral("Файл каталога повреждён. ") + errorText(error);
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

QString tooLongText(const Catalogue::FetchLimits& limits, QChar decimalSeparator)
{
    const QString seconds = QString::number(double(limits.time.count()) / 1000);
    return QStringLiteral("Запрос выполнялся дольше %1 с и прерван.")
        .arg(QString(seconds).replace(u'.', decimalSeparator));
}

// PostgreSQL's code for a statement cancelled, here by its statement_timeout.
const QString PostgreSQLQueryCanceled = QStringLiteral("57014");

const QString StoppedText = QStringLiteral("Запрос остановлен.");

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

// The deadline of one fetch and the user's wish to stop it. The watch is asked only every few
// hundredths of a second, so asking costs SQLite's progress handler and the record loop
// nothing measurable; it is told when the fetch has ended.
class FetchBounds final {
public:
    FetchBounds(std::chrono::milliseconds time, Catalogue::FetchWatch* watch)
        : m_deadline(time), m_watch(watch)
    {
        m_sinceAsked.start();
    }
    ~FetchBounds()
    {
        if (m_watch)
            m_watch->fetchEnded();
    }
    Q_DISABLE_COPY_MOVE(FetchBounds)

    const QDeadlineTimer& deadline() const { return m_deadline; }
    bool reached() { return m_deadline.hasExpired() || stopped(); }
    bool stopped()
    {
        if (!m_stopped && m_watch && m_sinceAsked.hasExpired(AskingInterval)) {
            m_stopped = m_watch->stopRequested();
            m_sinceAsked.start();
        }
        return m_stopped;
    }
    // Why the fetch ended early, or an empty text when it was not stopped by a bound.
    QString reason(const QSqlError& error, const Catalogue::FetchLimits& limits,
                   QChar decimalSeparator) const
    {
        if (m_stopped)
            return StoppedText;
        if (m_deadline.hasExpired() || error.nativeErrorCode() == PostgreSQLQueryCanceled)
            return tooLongText(limits, decimalSeparator);
        return QString();
    }

private:
    static constexpr qint64 AskingInterval = 30;

    const QDeadlineTimer m_deadline;
    Catalogue::FetchWatch* const m_watch;
    QElapsedTimer m_sinceAsked;
    bool m_stopped = false;
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

// Keeps a PostgreSQL fetch within its bounds while the client library waits on the network.
// Between records the program waits itself, asking the bounds and the user's stop, and a stop
// cancels the statement on the server. A server that answers nothing at all, not even a cancel,
// has its connection cut: by the waiting loop a moment after a stop, and by a watcher thread a
// moment after the deadline, also while the client library waits inside Qt for the first record.
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
        const auto cutAt = std::chrono::steady_clock::now() +
                           std::chrono::milliseconds(bounds.deadline().remainingTime()) +
                           AnswerGrace;
        m_watcher = std::thread([this, cutAt] {
            std::unique_lock lock(m_mutex);
            if (!m_endedCondition.wait_until(lock, cutAt, [this] { return m_ended; }))
                cutConnection();
        });
    }
    ~ServerWait() { finish(); }
    Q_DISABLE_COPY_MOVE(ServerWait)

    // Ends the watcher: from here on, nothing cuts the connection.
    void finish()
    {
        if (!m_watcher.joinable())
            return;
        {
            const std::lock_guard lock(m_mutex);
            m_ended = true;
        }
        m_endedCondition.notify_one();
        m_watcher.join();
    }

    // Waits until the next record (or the statement's end or error) has arrived, so that Qt's
    // driver does not block; returns at once after a cut, when the driver meets the error.
    void waitForRecord()
    {
        if (!m_connection)
            return;
        QElapsedTimer sinceCancel;
        while (!m_cut && m_client->consumeInput(m_connection) && m_client->isBusy(m_connection)) {
            if (!sinceCancel.isValid() && m_bounds.stopped()) {
                cancelStatement();
                sinceCancel.start();
            }
            if (sinceCancel.isValid() && sinceCancel.elapsed() > AnswerGrace.count()) {
                cutConnection();
                return;
            }
            pollfd socket{m_socket, POLLIN, 0};
            ::poll(&socket, 1, PollMilliseconds);
        }
    }
    bool connectionCut() const { return m_cut; }

private:
    static constexpr std::chrono::milliseconds AnswerGrace{1000};
    static constexpr int PollMilliseconds = 30;

    void cancelStatement()
    {
        void* cancel = m_client->getCancel(m_connection);
        if (!cancel)
            return;
        char error[256];
        m_client->cancel(cancel, error, sizeof error);
        m_client->freeCancel(cancel);
    }
    void cutConnection()
    {
        if (!m_cut.exchange(true))
            ::shutdown(m_socket, SHUT_RDWR);
    }

    FetchBounds& m_bounds;
    const PostgresClient* m_client = nullptr;
    void* m_connection = nullptr;
    int m_socket = -1;
    std::atomic<bool> m_cut{false};
    std::mutex m_mutex;
    std::condition_variable m_endedCondition;
    bool m_ended = false;
    std::thread m_watcher;
};

namespace {

int SQLiteBounds::reached(void* bounds)
{
    return static_cast<FetchBounds*>(bounds)->reached() ? 1 : 0;
}

} // namespace

Catalogue::Catalogue(QChar decimalSeparator)
    : m_decimalSeparator(decimalSeparator), m_connectionName(nextConnectionName())
{
}

Catalogue::~Catalogue()
{
    close();
}

bool Catalogue::open(const QString& connectionString)
{
    close();
    m_error.clear();
    m_connectionString = connectionString;
    const std::optional<ConnectionSettings> settings = ParseConnectionString(connectionString);
    if (!settings) {
        m_error = QStringLiteral("Строка подключения не понятна программе. Ожидается "
                                 "\"Provider=SQLite;Data Source=ФАЙЛ\" или "
                                 "\"Provider=PostgreSQL;Server=...;Database=...\".");
        return false;
    }
    m_kind = settings->kind;
    return m_kind == ConnectionSettings::Kind::PostgreSQL ? openPostgreSQL(*settings)
                                                          : openSQLite(settings->file);
}

bool Catalogue::openSQLite(const QString& path)
{
    const CatalogueFileKind kind = SniffCatalogueFile(path);
    if (kind != CatalogueFileKind::SQLite) {
        m_error = CatalogueFileProblem(kind, path);
        return false;
    }
    QSqlDatabase database = QSqlDatabase::addDatabase(SQLiteDriver, m_connectionName);
    database.setDatabaseName(QFileInfo(path).absoluteFilePath());
    // Others may read and write the file meanwhile; this program never writes it.
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    if (!database.open()) {
        m_error = errorText(database.lastError());
        close();
        return false;
    }
    // SQLite reads nothing on opening: a damaged file or another program's lock shows only at
    // the first statement, and Qt's list of tables swallows it. Reading the schema here says why.
    QSqlQuery schema(database);
    if (!schema.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !schema.next()) {
        m_error = SQLiteProblem(schema.lastError());
        schema = QSqlQuery();
        close();
        return false;
    }
    return true;
}

bool Catalogue::openPostgreSQL(const ConnectionSettings& settings)
{
    if (!QSqlDatabase::isDriverAvailable(PostgreSQLDriver)) {
        m_error =
            QStringLiteral("Драйвер PostgreSQL для Qt не установлен (пакет libqt6sql6-psql).");
        return false;
    }
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
        m_error = errorText(database.lastError());
        close();
        return false;
    }
    QSqlQuery readOnly(database);
    if (!readOnly.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"))) {
        m_error = errorText(readOnly.lastError());
        close();
        return false;
    }
    return true;
}

void Catalogue::close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool Catalogue::requireOpen()
{
    if (isOpen())
        return true;
    m_error = QStringLiteral("Нет подключения к каталогу.");
    return false;
}

bool Catalogue::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName) &&
           QSqlDatabase::database(m_connectionName, false).isOpen();
}

std::optional<QStringList> Catalogue::tableNames()
{
    if (!requireOpen())
        return std::nullopt;
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
        if (schema.lastError().isValid()) {
            m_error = SQLiteProblem(schema.lastError());
            return std::nullopt;
        }
        return names;
    }
    QStringList names = database.tables(QSql::Tables);
    names += database.tables(QSql::Views);
    if (database.lastError().isValid()) {
        m_error = errorText(database.lastError());
        return std::nullopt;
    }
    return names;
}

QString Catalogue::quotedTableName(const QString& name) const
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

std::optional<RecordSet> Catalogue::openTable(const QString& name)
{
    if (!requireOpen())
        return std::nullopt;
    return fetch(QStringLiteral("SELECT * FROM ") + quotedTableName(name));
}

std::optional<RecordSet> Catalogue::openQuery(const QString& sql)
{
    if (!requireOpen())
        return std::nullopt;
    if (!IsSingleReadingStatement(sql)) {
        m_error = QStringLiteral("Запрос должен быть одним оператором чтения (SELECT).");
        return std::nullopt;
    }
    return fetch(SplitSqlStatements(sql).constFirst().text);
}

std::optional<RecordSet> Catalogue::fetch(const QString& sql)
{
    // The watch lets events through while it waits for the user; none of them may start another
    // fetch on the same connection.
    if (m_fetching) {
        m_error = QStringLiteral("Дождитесь окончания выполняемого запроса.");
        return std::nullopt;
    }
    bool connectionCut = false;
    {
        const QScopedValueRollback fetching(m_fetching, true);
        std::optional<RecordSet> result = fetchOnce(sql, connectionCut);
        if (!connectionCut)
            return result;
    }
    // The server stopped answering and its connection was cut: the next fetch gets a new one.
    const QString error = m_error;
    open(m_connectionString);
    m_error = error;
    return std::nullopt;
}

std::optional<RecordSet> Catalogue::fetchOnce(const QString& sql, bool& connectionCut)
{
    QSqlDatabase database = QSqlDatabase::database(m_connectionName, false);
    const bool postgres = m_kind == ConnectionSettings::Kind::PostgreSQL;
    FetchBounds bounds(m_limits.time, m_watch);
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
    // setting leaves nothing behind. The server stops the statement at the deadline; the user's
    // stop is heard while the records come.
    if (postgres) {
        QSqlQuery begin(database);
        // A server that stops answering is cut off here too; the deadline is then the reason.
        const auto failure = [this, &bounds](const QSqlError& error) {
            const QString reason = bounds.reason(error, m_limits, m_decimalSeparator);
            return reason.isEmpty() ? errorText(error) : reason;
        };
        if (!begin.exec(QStringLiteral("BEGIN TRANSACTION READ ONLY"))) {
            m_error = failure(begin.lastError());
            return std::nullopt;
        }
        if (!begin.exec(QStringLiteral("SET LOCAL statement_timeout = %1")
                            .arg(std::max<qint64>(1, bounds.deadline().remainingTime())))) {
            m_error = failure(begin.lastError());
            QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
            return std::nullopt;
        }
    }
    std::optional<RecordSet> result;
    {
        const SQLiteBounds sqliteBounds(database, bounds);
        QSqlQuery query(database);
        try {
            result = fetchWithin(query, sql, bounds, serverWait ? &*serverWait : nullptr);
        } catch (const std::bad_alloc&) {
            m_error = QStringLiteral("Для результата запроса не хватает памяти.");
        }
    }
    if (postgres && !serverWait->connectionCut())
        QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
    return result;
}

std::optional<RecordSet> Catalogue::fetchWithin(QSqlQuery& query, const QString& sql,
                                                FetchBounds& bounds, ServerWait* serverWait)
{
    const bool postgres = m_kind == ConnectionSettings::Kind::PostgreSQL;
    const auto failure = [this, &bounds, postgres](const QSqlError& error) {
        const QString reason = bounds.reason(error, m_limits, m_decimalSeparator);
        if (!reason.isEmpty())
            return reason;
        return postgres ? errorText(error) : SQLiteProblem(error);
    };
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!query.exec(sql)) {
        m_error = failure(query.lastError());
        return std::nullopt;
    }
    if (!query.isSelect()) {
        m_error = QStringLiteral("Запрос не возвращает записей.");
        return std::nullopt;
    }
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
    std::vector<QVariant> values;
    const int count = record.count();
    qsizetype bytes = 0;
    for (;;) {
        if (serverWait)
            serverWait->waitForRecord();
        if (!query.next())
            break;
        if (bounds.reached()) {
            m_error = bounds.reason(QSqlError(), m_limits, m_decimalSeparator);
            return std::nullopt;
        }
        if (qsizetype(values.size()) + count > m_limits.values) {
            m_error = QStringLiteral("Результат запроса больше %1 записей; уточните условие "
                                     "отбора.")
                          .arg(m_limits.values / std::max(1, count));
            return std::nullopt;
        }
        for (int i = 0; i < count; ++i) {
            values.push_back(query.value(i));
            bytes += ValueBytes(values.back());
        }
        if (bytes > m_limits.bytes) {
            m_error = QStringLiteral("Результат запроса больше %1 МБ; уточните условие отбора.")
                          .arg(m_limits.bytes / (1024 * 1024));
            return std::nullopt;
        }
    }
    if (query.lastError().isValid()) {
        m_error = failure(query.lastError());
        return std::nullopt;
    }
    return RecordSet(std::move(fields), std::move(values), m_decimalSeparator);
}

QHash<QString, QString> Catalogue::declaredTypes(const QString& table)
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
