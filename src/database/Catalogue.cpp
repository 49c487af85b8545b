#include "Catalogue.h"

#include <QScopedValueRollback>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

namespace kinetra {

// The catalogue's own thread: it makes the connection, runs the statements given to it one after
// another, and closes the connection when the catalogue goes.
class Catalogue::Thread final {
public:
    using Job = std::function<void(CatalogueConnection&)>;

    explicit Thread(QChar decimalSeparator)
        : m_thread([this, decimalSeparator] { run(decimalSeparator); })
    {
    }
    ~Thread()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_ending = true;
        }
        m_jobsCondition.notify_one();
        m_thread.join();
    }
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    void post(Job job)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_jobs.push_back(std::move(job));
        }
        m_jobsCondition.notify_one();
    }
    // Runs statement there, after whatever runs there now, and waits for its answer.
    template <typename Result> Result call(std::function<Result(CatalogueConnection&)> statement)
    {
        std::promise<Result> answer;
        std::future<Result> answered = answer.get_future();
        post([this, &answer, &statement](CatalogueConnection& connection) {
            Result result = statement(connection);
            noteConnection(connection);
            answer.set_value(std::move(result));
        });
        return answered.get();
    }
    // Whether the connection was open after the last statement there. A statement notes it before
    // it answers, so its caller reads it as the statement left it.
    bool connectionOpen() const { return m_connectionOpen.load(); }
    void noteConnection(const CatalogueConnection& connection)
    {
        m_connectionOpen.store(connection.isOpen());
    }

private:
    void run(QChar decimalSeparator)
    {
        CatalogueConnection connection(decimalSeparator);
        for (;;) {
            Job job;
            {
                std::unique_lock lock(m_mutex);
                m_jobsCondition.wait(lock, [this] { return m_ending || !m_jobs.empty(); });
                if (m_jobs.empty())
                    return;
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            job(connection);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_jobsCondition;
    std::deque<Job> m_jobs;
    bool m_ending = false;
    std::atomic<bool> m_connectionOpen{false};
    // Last, so that it starts once everything it uses is there.
    std::thread m_thread;
};

namespace {

QString BusyReason()
{
    return Catalogue::tr("Дождитесь окончания выполняемого запроса.");
}

} // namespace

Catalogue::Catalogue(QChar decimalSeparator) : m_thread(std::make_unique<Thread>(decimalSeparator))
{
}

Catalogue::~Catalogue() = default;

Status Catalogue::open(const QString& connectionString)
{
    if (m_fetching)
        return Status::Failed(BusyReason());
    return m_thread->call<Status>([&connectionString](CatalogueConnection& connection) {
        return connection.open(connectionString);
    });
}

void Catalogue::close()
{
    if (!m_fetching)
        m_thread->call<bool>([](CatalogueConnection& connection) {
            connection.close();
            return true;
        });
}

bool Catalogue::isOpen() const
{
    return m_thread->connectionOpen();
}

StatusOr<QStringList> Catalogue::tableNames()
{
    if (m_fetching)
        return StatusOr<QStringList>::Failed(BusyReason());
    return m_thread->call<StatusOr<QStringList>>(
        [](CatalogueConnection& connection) { return connection.tableNames(); });
}

StatusOr<RecordSet> Catalogue::openTable(const QString& name)
{
    return fetch([name, limits = m_limits](CatalogueConnection& connection, FetchCancel& cancel) {
        return connection.openTable(name, limits, cancel);
    });
}

StatusOr<RecordSet> Catalogue::openQuery(const QString& sql)
{
    return fetch([sql, limits = m_limits](CatalogueConnection& connection, FetchCancel& cancel) {
        return connection.openQuery(sql, limits, cancel);
    });
}

StatusOr<RecordSet>
Catalogue::fetch(std::function<StatusOr<RecordSet>(CatalogueConnection&, FetchCancel&)> statement)
{
    // The wait may let events through; none of them may start another statement meanwhile.
    if (m_fetching)
        return StatusOr<RecordSet>::Failed(BusyReason());
    const QScopedValueRollback fetching(m_fetching, true);
    const auto running = std::make_shared<RunningFetch>();
    m_thread->post([thread = m_thread.get(), running,
                    statement = std::move(statement)](CatalogueConnection& connection) {
        StatusOr<RecordSet> result = statement(connection, running->cancelObject());
        thread->noteConnection(connection);
        running->finish(std::move(result));
    });
    if (m_wait)
        m_wait->wait(*running);
    if (running->cancelled() && !running->waitFor(std::chrono::milliseconds(0)))
        return StatusOr<RecordSet>::Failed(FetchCancel::reason());
    while (!running->waitFor(std::chrono::hours(1))) {
    }
    return std::move(*running->takeResult());
}

} // namespace kinetra
