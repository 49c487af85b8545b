#include "sim/SimSweep.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "RunView.h"
#include "StepResponse.h"
#include "Summary.h"
#include "text/NumberText.h"

namespace kinetra {

namespace {

// The one signed group of the parameter set; every other value is stored as a magnitude.
bool IsReference(double ModelParams::*member)
{
    return member == &ModelParams::wref || member == &ModelParams::Mref ||
           member == &ModelParams::Iref;
}

std::optional<double> ReadPointNumber(const QString& text)
{
    return ReadNumber(text.trimmed(), u'.');
}

// A figure as the table and the command line print it.
QString Number(double value)
{
    return QString::number(value, 'g', 10);
}

std::optional<SweepAxis> AxisForKey(const QString& key)
{
    for (const NumericField& field : NumericFields) {
        const QLatin1String name(field.key.data(), qsizetype(field.key.size()));
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return SweepAxis{name, field.member, {}};
    }
    return std::nullopt;
}

} // namespace

SweepAxisParse ParseSweepAxis(const QString& text)
{
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return {std::nullopt, QStringLiteral("--set takes KEY=V1;V2;... or KEY=FROM:TO:COUNT, "
                                             "not \"%1\".")
                                  .arg(text)};
    std::optional<SweepAxis> axis = AxisForKey(text.first(equals).trimmed());
    if (!axis)
        return {std::nullopt,
                QStringLiteral("\"%1\" is no numeric model key.").arg(text.first(equals))};
    const QString values = text.sliced(equals + 1);
    const QStringList range = values.split(u':');
    if (range.size() == 3) {
        const auto from = ReadPointNumber(range[0]);
        const auto to = ReadPointNumber(range[1]);
        bool countRead = false;
        const int count = range[2].trimmed().toInt(&countRead);
        if (!from || !to || !countRead || count < 1 || std::size_t(count) > MaximumSweepSize)
            return {std::nullopt, QStringLiteral("\"%1\" is no range FROM:TO:COUNT with a "
                                                 "COUNT from 1 to %2.")
                                      .arg(values)
                                      .arg(MaximumSweepSize)};
        for (int i = 0; i < count; ++i)
            axis->values.push_back(count == 1 ? *from : *from + (*to - *from) * i / (count - 1));
        return {axis, {}};
    }
    for (const QString& item : values.split(u';', Qt::SkipEmptyParts)) {
        const auto value = ReadPointNumber(item);
        if (!value)
            return {std::nullopt, QStringLiteral("\"%1\" is not a number (write it with a "
                                                 "point).")
                                      .arg(item)};
        axis->values.push_back(*value);
    }
    if (axis->values.empty())
        return {std::nullopt, QStringLiteral("--set %1 gives no values.").arg(axis->key)};
    return {axis, {}};
}

SweepGrid::SweepGrid(std::vector<SweepAxis> axes) : m_axes(std::move(axes))
{
    for (const SweepAxis& axis : m_axes)
        m_size *= axis.values.size();
}

std::vector<double> SweepGrid::valuesOf(std::size_t index) const
{
    std::vector<double> values(m_axes.size());
    for (std::size_t a = m_axes.size(); a-- > 0;) {
        const std::size_t count = m_axes[a].values.size();
        values[a] = m_axes[a].values[index % count];
        index /= count;
    }
    return values;
}

ModelParams SweepGrid::variant(const ModelParams& base, std::size_t index) const
{
    ModelParams params = base;
    const std::vector<double> values = valuesOf(index);
    for (std::size_t a = 0; a < m_axes.size(); ++a) {
        const auto member = m_axes[a].member;
        params.*member = IsReference(member) ? values[a] : std::fabs(values[a]);
    }
    return params;
}

namespace {

QString Header(const SweepGrid& grid)
{
    QStringList columns;
    for (const SweepAxis& axis : grid.axes())
        columns.append(axis.key);
    columns << QStringLiteral("status") << QStringLiteral("reason");
    for (const StepResponseField& field : StepResponseFields(StepResponse{}))
        columns.append(QLatin1String(field.key));
    for (const SummaryField& field : SummaryFields(SummaryFigures{}))
        columns.append(QLatin1String(field.key));
    return columns.join(u',');
}

// Why a run gave no result, in the words of the command line.
QString FailureReason(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::NoMotor:
        return QStringLiteral("no motor selected");
    case RunOutcome::NoServomotorModel:
        return QStringLiteral("no model of the servomotor");
    case RunOutcome::CircuitNotDerived:
        return QStringLiteral("the motor's circuit parameters cannot be derived");
    case RunOutcome::FloatingPointFault:
    case RunOutcome::Completed:
        break;
    }
    return QStringLiteral("the run met a floating-point error");
}

// Runs one variant in run and gives its row: the swept values, then either the figures or
// the reason of the failure with the figure columns left empty.
QString VariantRow(const ModelParams& base, const SignalSeries& signal, const SweepGrid& grid,
                   std::size_t index, RunData& run, bool& failed)
{
    QStringList cells;
    for (const double value : grid.valuesOf(index))
        cells.append(QString::number(value, 'g', 15));

    const RunView view =
        ViewRun(grid.variant(base, index), run, signal, u'.', nullptr, RunViewParts::FiguresOnly);
    failed = !view.completed();
    if (failed) {
        cells << QStringLiteral("1") << FailureReason(view.outcome);
        const auto figureColumns =
            StepResponseFields(StepResponse{}).size() + SummaryFields(SummaryFigures{}).size();
        for (std::size_t i = 0; i < std::size_t(figureColumns); ++i)
            cells.append(QString());
        return cells.join(u',');
    }
    cells << QStringLiteral("0") << QString();
    for (const StepResponseField& field : StepResponseFields(view.stepResponse))
        cells.append(field.value);
    for (const SummaryField& field : SummaryFields(view.summaryFigures))
        cells.append(field.value ? Number(*field.value) : QString());
    return cells.join(u',');
}

// Hands out the variants one at a time to the workers and wakes the caller when one is done.
class SweepQueue {
public:
    explicit SweepQueue(std::size_t total) : m_total(total) {}

    std::optional<std::size_t> take()
    {
        const std::size_t index = m_next.fetch_add(1);
        return index < m_total ? std::optional(index) : std::nullopt;
    }

    void finish()
    {
        {
            const std::lock_guard lock(m_mutex);
            ++m_done;
        }
        m_doneChanged.notify_one();
    }

    // Waits until everything is done or the interval has passed; gives the number done.
    std::size_t waitFor(std::chrono::milliseconds interval)
    {
        std::unique_lock lock(m_mutex);
        m_doneChanged.wait_for(lock, interval, [this] { return m_done == m_total; });
        return m_done;
    }

private:
    const std::size_t m_total;
    std::atomic<std::size_t> m_next = 0;
    std::mutex m_mutex;
    std::condition_variable m_doneChanged;
    std::size_t m_done = 0;
};

constexpr std::chrono::milliseconds ProgressInterval(200);

} // namespace

SweepTable RunSweep(const ModelParams& base, const SignalSeries& signal, const SweepGrid& grid,
                    unsigned jobs, const SweepProgress& progress)
{
    const std::size_t total = grid.size();
    std::vector<QString> rows(total);
    std::vector<char> failed(total, 0);
    SweepQueue queue(total);

    const auto work = [&] {
        const auto run = std::make_unique<RunData>();
        while (const auto index = queue.take()) {
            bool variantFailed = false;
            rows[*index] = VariantRow(base, signal, grid, *index, *run, variantFailed);
            failed[*index] = variantFailed;
            queue.finish();
        }
    };
    const std::size_t workerCount =
        std::clamp<std::size_t>(jobs, 1, std::max<std::size_t>(total, 1));
    {
        std::vector<std::jthread> workers;
        for (std::size_t w = 0; w < workerCount; ++w)
            workers.emplace_back(work);
        for (std::size_t done = 0; done < total;) {
            done = queue.waitFor(ProgressInterval);
            if (progress)
                progress(done, total);
        }
    }

    SweepTable table;
    table.csv = Header(grid) + u'\n';
    for (const QString& row : rows)
        table.csv += row + u'\n';
    table.failed = std::size_t(std::ranges::count(failed, 1));
    return table;
}

} // namespace kinetra
