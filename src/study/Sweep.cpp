#include "Sweep.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "RunView.h"
#include "StepResponse.h"
#include "Summary.h"
#include "text/NumberText.h"

namespace kinetra {

std::optional<double> ReadPointNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? std::nullopt : ReadNumber(trimmed, u'.');
}

bool IsMagnitudeKey(double ModelParams::*member)
{
    return member != &ModelParams::wref && member != &ModelParams::Mref &&
           member != &ModelParams::Iref;
}

bool IsWholeNumberKey(double ModelParams::*member)
{
    return member == &ModelParams::p1 || member == &ModelParams::m1 || member == &ModelParams::m0;
}

namespace {

// A figure as the table and the command line print it.
QString Number(double value)
{
    return GeneralNumber(value, FigureDigits);
}

} // namespace

SweepAxis NumericKeyAxis(const QString& text)
{
    const QString key = text.trimmed();
    for (const NumericField& field : NumericFields) {
        const QLatin1String name(field.key.data(), qsizetype(field.key.size()));
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return SweepAxis{name, field.member, {}};
    }
    return {};
}

namespace {

QString NoNumericKey(const QString& key)
{
    return QStringLiteral("\"%1\" is no numeric model key.").arg(key);
}

// Each value of a range, or the reason it is none.
StatusOr<std::vector<double>> ReadRange(const QStringList& range, const QString& text)
{
    const auto from = ReadPointNumber(range[0]);
    const auto to = ReadPointNumber(range[1]);
    bool countRead = false;
    const int count = range[2].trimmed().toInt(&countRead);
    if (!from || !to || !countRead || count < 1 || std::size_t(count) > MaximumSweepSize)
        return StatusOr<std::vector<double>>::Failed(
            QStringLiteral("\"%1\" is no range FROM:TO:COUNT with a COUNT from 1 to %2.")
                .arg(text)
                .arg(MaximumSweepSize));
    // A range wider than the largest number would step by infinity.
    if (!std::isfinite(*from) || !std::isfinite(*to) || !std::isfinite(*to - *from))
        return StatusOr<std::vector<double>>::Failed(
            QStringLiteral("The range \"%1\" is wider than the numbers a variant can take.")
                .arg(text));
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(count == 1 ? *from : *from + (*to - *from) * i / (count - 1));
    return StatusOr<std::vector<double>>::Of(std::move(values));
}

StatusOr<std::vector<double>> ReadList(const QString& text)
{
    std::vector<double> values;
    for (const QString& item : text.split(u';', Qt::SkipEmptyParts)) {
        const auto value = ReadPointNumber(item);
        if (!value)
            return StatusOr<std::vector<double>>::Failed(
                QStringLiteral("\"%1\" is not a number (write it with a point).").arg(item));
        values.push_back(*value);
    }
    return StatusOr<std::vector<double>>::Of(std::move(values));
}

} // namespace

StatusOr<SweepAxis> MakeSweepAxis(const QString& key, std::vector<double> values)
{
    SweepAxis axis = NumericKeyAxis(key);
    if (!axis.member)
        return StatusOr<SweepAxis>::Failed(NoNumericKey(key));
    if (values.empty())
        return StatusOr<SweepAxis>::Failed(
            QStringLiteral("--set %1 gives no values.").arg(axis.key));
    if (IsWholeNumberKey(axis.member)) {
        const auto fraction = std::ranges::find_if(values, [](double value) {
            return std::isfinite(value) && value != std::trunc(value);
        });
        if (fraction != values.end())
            return StatusOr<SweepAxis>::Failed(
                QStringLiteral("%1 takes whole numbers, as in a model file, not %2.")
                    .arg(axis.key, GeneralNumber(*fraction, DoubleDigits)));
    }
    axis.values = std::move(values);
    return StatusOr<SweepAxis>::Of(std::move(axis));
}

StatusOr<SweepAxis> ParseSweepAxis(const QString& text)
{
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return StatusOr<SweepAxis>::Failed(
            QStringLiteral("--set takes KEY=V1;V2;... or KEY=FROM:TO:COUNT, not \"%1\".")
                .arg(text));
    const QString key = text.first(equals);
    if (!NumericKeyAxis(key).member)
        return StatusOr<SweepAxis>::Failed(NoNumericKey(key));
    const QString values = text.sliced(equals + 1);
    const QStringList range = values.split(u':');
    StatusOr<std::vector<double>> read =
        range.size() == 3 ? ReadRange(range, values) : ReadList(values);
    if (!read.ok)
        return StatusOr<SweepAxis>::Failed(read.error);
    return MakeSweepAxis(key, std::move(read.value));
}

QString GivenTwice(const QString& key)
{
    return QStringLiteral("%1 is given twice: a key takes one --set or --vary.").arg(key);
}

Status AddSweepAxis(std::vector<SweepAxis>& grid, SweepAxis axis)
{
    if (std::ranges::any_of(
            grid, [&axis](const SweepAxis& given) { return given.member == axis.member; }))
        return Status::Failed(GivenTwice(axis.key));
    std::size_t variants = 1;
    for (const SweepAxis& given : grid)
        variants *= given.values.size();
    if (variants * std::min(axis.values.size(), MaximumSweepSize + 1) > MaximumSweepSize)
        return Status::Failed(
            QStringLiteral("A sweep runs at most %1 variants.").arg(MaximumSweepSize));
    grid.push_back(std::move(axis));
    return Status::Done();
}

double StoredValue(double ModelParams::*member, double value)
{
    return IsMagnitudeKey(member) ? std::fabs(value) : value;
}

SweepGrid::SweepGrid(std::vector<SweepAxis> axes) : m_axes(std::move(axes))
{
    for (const SweepAxis& axis : m_axes)
        m_size *= axis.values.size();
}

QStringList SweepGrid::keys() const
{
    QStringList keys;
    for (const SweepAxis& axis : m_axes)
        keys.append(axis.key);
    return keys;
}

std::vector<double> SweepGrid::values(std::size_t index) const
{
    std::vector<double> values(m_axes.size());
    for (std::size_t a = m_axes.size(); a-- > 0;) {
        const std::size_t count = m_axes[a].values.size();
        values[a] = StoredValue(m_axes[a].member, m_axes[a].values[index % count]);
        index /= count;
    }
    return values;
}

ModelParams SweepGrid::variant(const ModelParams& base, std::size_t index) const
{
    ModelParams params = base;
    const std::vector<double> values = this->values(index);
    for (std::size_t a = 0; a < m_axes.size(); ++a)
        params.*m_axes[a].member = values[a];
    return params;
}

SweepRange ShardOf(std::size_t total, std::size_t shard, std::size_t count)
{
    // Products in 128 bits: total and count are both user input.
    const auto boundary = [total, count](std::size_t part) {
        return std::size_t((unsigned __int128)total * part / count);
    };
    return {boundary(shard - 1), boundary(shard)};
}

QStringList SweepFigureColumns()
{
    QStringList columns;
    for (const StepResponseField& field : StepResponseFields(StepResponse{}))
        columns.append(QLatin1String(field.key));
    for (const SummaryField& field : SummaryFields(SummaryFigures{}))
        columns.append(QLatin1String(field.key));
    return columns;
}

QList<StepResponseField> SweepFigures(const SweepRow& row)
{
    QList<StepResponseField> figures = StepResponseFields(row.stepResponse);
    for (const SummaryField& field : SummaryFields(row.summary))
        figures.append({field.key, field.value ? Number(*field.value) : QString(), field.value});
    return figures;
}

namespace {

// Why a run gave no result, in the words of the command line. A table's failures are counted
// by their reason, so a reason names what failed without the numbers of one variant.
QString FailureReason(RunOutcome outcome, const RunData& run)
{
    switch (outcome) {
    case RunOutcome::NoMotor:
        return QStringLiteral("no motor selected");
    case RunOutcome::SupplyRefused:
        return QStringLiteral("a synchronous motor runs only on the transistor converter");
    case RunOutcome::DataRefused:
        return QStringLiteral("the motor's model cannot run on the data given");
    case RunOutcome::CircuitNotDerived:
        return QStringLiteral("the motor's circuit parameters cannot be derived");
    case RunOutcome::Diverged:
        if (run.divergence) {
            switch (run.divergence->quantity) {
            case ReachQuantity::Current:
                return QStringLiteral("the current left the drive's physical reach");
            case ReachQuantity::Speed:
                return QStringLiteral("the speed left the drive's physical reach");
            case ReachQuantity::StoredEnergy:
                return QStringLiteral("the stored energy left the drive's physical reach");
            }
        }
        break;
    case RunOutcome::FloatingPointFault:
    case RunOutcome::Completed:
        break;
    }
    return QStringLiteral("the run met a floating-point error");
}

} // namespace

SweepRow RunVariant(const ModelParams& base, const SignalSeries& signal,
                    const SweepVariants& variants, std::size_t index, RunData& run)
{
    SweepRow row;
    row.index = index;
    row.values = variants.values(index);
    const RunView view = SimulateAndView(variants.variant(base, index), run, signal, u'.', nullptr,
                                         RunViewParts::FiguresOnly);
    if (!view.completed()) {
        row.failure = FailureReason(view.outcome, run);
        return row;
    }
    row.stepResponse = view.stepResponse;
    row.summary = view.summaryFigures;
    row.notice = view.runNotice;
    return row;
}

namespace {

// Hands out the variants of a range in order to the workers and gives their rows back in
// order. A variant is handed out only while fewer than capacity rows wait to be written, so a
// slow variant holds up the others instead of letting finished rows pile up.
class ReorderWindow {
public:
    ReorderWindow(SweepRange range, std::size_t capacity)
        : m_range(range), m_slots(capacity), m_nextTake(range.first), m_nextWrite(range.first)
    {
    }

    // The next variant to run; empty when none is left or the sweep stopped.
    std::optional<std::size_t> take()
    {
        std::unique_lock lock(m_mutex);
        m_roomChanged.wait(lock, [this] {
            return m_stopped || m_nextTake == m_range.end ||
                   m_nextTake < m_nextWrite + m_slots.size();
        });
        if (m_stopped || m_nextTake == m_range.end)
            return std::nullopt;
        return m_nextTake++;
    }

    void put(std::size_t index, SweepRow row)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_slots[slotOf(index)] = std::move(row);
        }
        m_rowReady.notify_one();
    }

    // The row next in order, when it is ready within interval.
    std::optional<SweepRow> next(std::chrono::milliseconds interval)
    {
        std::unique_lock lock(m_mutex);
        std::optional<SweepRow>& slot = m_slots[slotOf(m_nextWrite)];
        if (!m_rowReady.wait_for(lock, interval, [&slot] { return slot.has_value(); }))
            return std::nullopt;
        std::optional<SweepRow> row = std::move(slot);
        slot.reset();
        ++m_nextWrite;
        lock.unlock();
        m_roomChanged.notify_one();
        return row;
    }

    void stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopped = true;
        }
        m_roomChanged.notify_all();
    }

private:
    std::size_t slotOf(std::size_t index) const { return (index - m_range.first) % m_slots.size(); }

    const SweepRange m_range;
    std::mutex m_mutex;
    std::condition_variable m_roomChanged;
    std::condition_variable m_rowReady;
    std::vector<std::optional<SweepRow>> m_slots;
    std::size_t m_nextTake;
    std::size_t m_nextWrite;
    bool m_stopped = false;
};

// Whatever ends a sweep, its workers must leave their wait before they are joined.
class WindowStop {
public:
    explicit WindowStop(ReorderWindow& window) : m_window(window) {}
    ~WindowStop() { m_window.stop(); }
    Q_DISABLE_COPY_MOVE(WindowStop)

private:
    ReorderWindow& m_window;
};

// Rows that may wait for an earlier one, for each worker.
constexpr std::size_t WindowRowsPerWorker = 64;
constexpr std::chrono::milliseconds ProgressInterval(200);

std::jthread StartThread(std::function<void()> work)
{
    return std::jthread(std::move(work));
}

} // namespace

SweepOutcome RunSweep(const ModelParams& base, const SignalSeries& signal,
                      const SweepVariants& variants, SweepRange range, unsigned jobs,
                      const SweepRowSink& sink, const SweepProgress& progress,
                      const SweepThreadStarter& startThread)
{
    const std::size_t total = range.size();
    const std::size_t workerCount =
        std::clamp<std::size_t>(jobs, 1, std::max<std::size_t>(total, 1));
    ReorderWindow window(range, WindowRowsPerWorker * workerCount);
    const auto runNext = [&](RunData& run) {
        const auto index = window.take();
        if (index)
            window.put(*index, RunVariant(base, signal, variants, *index, run));
        return index.has_value();
    };

    SweepOutcome outcome;
    std::vector<std::jthread> workers;
    const WindowStop stopOnExit(window);
    for (std::size_t w = 0; w < workerCount; ++w) {
        try {
            workers.push_back((startThread ? startThread : StartThread)([&runNext] {
                const auto run = std::make_unique<RunData>();
                while (runNext(*run)) {
                }
            }));
        } catch (const std::system_error&) {
            break; // the system has no more threads to give: run on those that started
        }
    }
    outcome.threads = unsigned(workers.size());
    const auto ownRun = workers.empty() ? std::make_unique<RunData>() : nullptr;

    auto lastProgress = std::chrono::steady_clock::now();
    while (outcome.written < total) {
        if (ownRun)
            runNext(*ownRun);
        const std::optional<SweepRow> row = window.next(ProgressInterval);
        if (row) {
            if (!sink(*row)) {
                outcome.stoppedBySink = true;
                break;
            }
            ++outcome.written;
            outcome.failed += row->failure.isEmpty() ? 0 : 1;
        }
        const auto now = std::chrono::steady_clock::now();
        if (progress && (now - lastProgress >= ProgressInterval || outcome.written == total)) {
            progress(outcome.written, total);
            lastProgress = now;
        }
    }
    return outcome;
}

} // namespace kinetra
