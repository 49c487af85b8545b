#pragma once

#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

#include "RecordSet.h"
#include "text/Status.h"

class QObject;

namespace kinetra {

// The user's stop of one fetch. The stop button sets it on the window's thread; the fetch on the
// catalogue's thread reads it while the engine computes, while it awaits a record and between
// records, and whatever waits on the server for the fetch is woken at once.
class FetchCancel final {
    Q_DECLARE_TR_FUNCTIONS(FetchCancel)

public:
    // The reason of a fetch the user stopped.
    static QString reason() { return tr("Запрос остановлен."); }

    void set();
    bool isSet() const { return m_set.load(std::memory_order_relaxed); }

    // Called once when the cancel is set, on the thread that sets it, so it must be quick; at
    // once when the cancel is set already. An empty function takes the call back.
    void onSet(std::function<void()> wake);

private:
    std::atomic<bool> m_set{false};
    std::mutex m_mutex;
    std::function<void()> m_wake;
};

// A fetch running on the catalogue's thread, as the thread that asked for it sees it: it can
// wait a while for the end, be told of it, or stop the fetch.
class RunningFetch final {
public:
    // Blocks for at most time; true once the fetch has ended.
    bool waitFor(std::chrono::milliseconds time);
    // Runs notify on context's thread once the fetch has ended: at once, through context's
    // events, when it has ended already. A null context takes the request back, which a context
    // must do before it goes.
    void whenEnded(QObject* context, std::function<void()> notify);
    void cancel() { m_cancel.set(); }
    bool cancelled() const { return m_cancel.isSet(); }

    // The catalogue's side: the cancel the fetch listens to, and its end with its result.
    FetchCancel& cancelObject() { return m_cancel; }
    void finish(StatusOr<RecordSet> result);
    // The result once the fetch has ended; nullopt while it runs.
    std::optional<StatusOr<RecordSet>> takeResult();

private:
    FetchCancel m_cancel;
    std::mutex m_mutex;
    std::condition_variable m_endedCondition;
    std::optional<StatusOr<RecordSet>> m_result;
    QObject* m_context = nullptr;
    std::function<void()> m_notify;
};

} // namespace kinetra
