#include "FetchCancel.h"

#include <QMetaObject>
#include <QObject>

namespace kinetra {

void FetchCancel::set()
{
    const std::lock_guard lock(m_mutex);
    if (m_set.exchange(true))
        return;
    if (m_wake)
        m_wake();
}

void FetchCancel::onSet(std::function<void()> wake)
{
    const std::lock_guard lock(m_mutex);
    m_wake = std::move(wake);
    if (m_wake && m_set.load())
        m_wake();
}

bool RunningFetch::waitFor(std::chrono::milliseconds time)
{
    std::unique_lock lock(m_mutex);
    return m_endedCondition.wait_for(lock, time, [this] { return m_result.has_value(); });
}

void RunningFetch::whenEnded(QObject* context, std::function<void()> notify)
{
    const std::lock_guard lock(m_mutex);
    m_context = context;
    m_notify = context ? std::move(notify) : std::function<void()>();
    if (m_context && m_result)
        QMetaObject::invokeMethod(m_context, m_notify, Qt::QueuedConnection);
}

void RunningFetch::finish(StatusOr<RecordSet> result)
{
    const std::lock_guard lock(m_mutex);
    m_result = std::move(result);
    m_endedCondition.notify_all();
    // A context deleted before its queued call runs takes the call with it.
    if (m_context)
        QMetaObject::invokeMethod(m_context, m_notify, Qt::QueuedConnection);
}

std::optional<StatusOr<RecordSet>> RunningFetch::takeResult()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_result, std::nullopt);
}

} // namespace kinetra
