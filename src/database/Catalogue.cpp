#include "Catalogue.h"

#include <QAtomicInt>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QScopedValueRollback>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <dlfcn.h>
#include <new>

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
    QStringList names = database.tables(QSql::Tables);
    names += database.tables(QSql::Views);
    // SQLite keeps its own bookkeeping tables among the user's.
    names.removeIf([](const QString& name) { return name.startsWith(u"sqlite_"); });
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
    const QScopedValueRollback fetching(m_fetching, true);
    QSqlDatabase database = QSqlDatabase::database(m_connectionName, false);
    const bool postgres = m_kind == ConnectionSettings::Kind::PostgreSQL;
    FetchBounds bounds(m_limits.time, m_watch);
    // A transaction of its own that is always rolled back: even a statement that changes a
    // setting leaves nothing behind. The server stops the statement at the deadline; the user's
    // stop is heard between the records it sends.
    if (postgres) {
        QSqlQuery begin(database);
        if (!begin.exec(QStringLiteral("BEGIN TRANSACTION READ ONLY"))) {
            m_error = errorText(begin.lastError());
            return std::nullopt;
        }
        if (!begin.exec(QStringLiteral("SET LOCAL statement_timeout = %1")
                            .arg(std::max<qint64>(1, bounds.deadline().remainingTime())))) {
            m_error = errorText(begin.lastError());
            QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
            return std::nullopt;
        }
    }
    std::optional<RecordSet> result;
    {
        const SQLiteBounds sqliteBounds(database, bounds);
        QSqlQuery query(database);
        try {
            result = fetchWithin(query, sql, bounds);
        } catch (const std::bad_alloc&) {
            m_error = QStringLiteral("Для результата запроса не хватает памяти.");
        }
    }
    if (postgres)
        QSqlQuery(database).exec(QStringLiteral("ROLLBACK"));
    return result;
}

std::optional<RecordSet> Catalogue::fetchWithin(QSqlQuery& query, const QString& sql,
                                                FetchBounds& bounds)
{
    const bool postgres = m_kind == ConnectionSettings::Kind::PostgreSQL;
    const auto failure = [this, &bounds](const QSqlError& error) {
        const QString reason = bounds.reason(error, m_limits, m_decimalSeparator);
        return reason.isEmpty() ? errorText(error) : reason;
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
    while (query.next()) {
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
        for (int i = 0; i < count; ++i)
            values.push_back(query.value(i));
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
