#pragma once

#include <QChar>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "CatalogueConnection.h"
#include "FetchCancel.h"
#include "RecordSet.h"
#include "text/Status.h"

namespace kinetra {

// The equipment catalogue as the program's windows use it. Its connection lives on a thread of
// its own, where every statement runs, so that a fetch never holds the window's thread: the
// window only waits, and its stop reaches the fetch at once, also before the first record. It
// only ever reads, and fetches tables and query results whole, within a time and a size.
class Catalogue final {
    Q_DECLARE_TR_FUNCTIONS(Catalogue)

public:
    using FetchLimits = kinetra::FetchLimits;

    explicit Catalogue(QChar decimalSeparator);
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // Opens the catalogue the string names, closing any open one first. Fails when the string
    // is not understood, the file is no SQLite catalogue or the server refuses.
    Status open(const QString& connectionString);
    void close();
    bool isOpen() const;

    // The user tables and views, without the engine's own.
    StatusOr<QStringList> tableNames();
    StatusOr<RecordSet> openTable(const QString& name);
    // Fails for a text that is not a single reading statement, or that the engine rejects.
    StatusOr<RecordSet> openQuery(const QString& sql);

    void setFetchLimits(const FetchLimits& limits) { m_limits = limits; }

    // How the thread that asks for a fetch waits while the fetch runs: it returns once the fetch
    // has ended or once it has cancelled it. A cancelled fetch answers "Запрос остановлен." at
    // once, and finishes on the catalogue's thread before the next statement runs there.
    class FetchWait {
    public:
        virtual void wait(RunningFetch& fetch) = 0;

    protected:
        ~FetchWait() = default;
    };
    // Null waits until the fetch ends; the wait must outlive the catalogue or be unset.
    void setFetchWait(FetchWait* wait) { m_wait = wait; }

private:
    class Thread;

    StatusOr<RecordSet>
    fetch(std::function<StatusOr<RecordSet>(CatalogueConnection&, FetchCancel&)> statement);

    std::unique_ptr<Thread> m_thread;
    FetchLimits m_limits;
    FetchWait* m_wait = nullptr;
    bool m_fetching = false;
};

} // namespace kinetra
