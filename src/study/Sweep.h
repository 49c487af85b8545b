#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>

#include "ModelParams.h"
#include "RunData.h"
#include "StepResponse.h"
#include "Summary.h"
#include "text/Status.h"

namespace kinetra {

// The most variants one grid runs: a grid beyond it is taken for a typing error.
inline constexpr std::size_t MaximumSweepSize = 1000000;

// One swept model key and the values it takes, in order.
struct SweepAxis {
    QString key; // as the model text spells it
    double ModelParams::*member = nullptr;
    std::vector<double> values;
};

// The numeric model key named by text, without regard to letter case: its spelling in the model
// text and its member; the member is null when no numeric key has that name.
SweepAxis NumericKeyAxis(const QString& text);

// The axis of a numeric model key, found without regard to letter case, over the values given. A
// key that counts (p1, m1, m0) takes whole numbers only, as a model file gives it.
StatusOr<SweepAxis> MakeSweepAxis(const QString& key, std::vector<double> values);

// Reads "KEY=V1;V2;..." or "KEY=FROM:TO:COUNT" (COUNT values evenly from FROM to TO), numbers
// with a point, into an axis as MakeSweepAxis makes it.
StatusOr<SweepAxis> ParseSweepAxis(const QString& text);

// Adds an axis to a grid, refused when the grid has its key already (only one of the columns
// could be run) or would run more than MaximumSweepSize variants.
Status AddSweepAxis(std::vector<SweepAxis>& grid, SweepAxis axis);

// The refusal of a key given twice to a grid or a study.
QString GivenTwice(const QString& key);

// The keys that count something (pole pairs, phases, pulses): a model file gives them as whole
// numbers, and neither a sweep nor a study may run them with a fraction.
bool IsWholeNumberKey(double ModelParams::*member);

// Whether the key is stored as a magnitude: every key but the references wref, Mref and Iref.
bool IsMagnitudeKey(double ModelParams::*member);

// A number with a point, as sweeps and studies are written; an empty text is none (the model
// reader would take it for 0).
std::optional<double> ReadPointNumber(const QString& text);

// A value of a key as the editor would store it, and so as a variant runs it: a magnitude, except
// the references wref, Mref and Iref. A table shows this value, not the one typed.
double StoredValue(double ModelParams::*member, double value);

// The variants of a sweep by index: the values of their keys and their parameter sets.
class SweepVariants {
public:
    virtual ~SweepVariants() = default;

    virtual std::size_t size() const = 0;
    // The keys the variants set, as the model text spells them.
    virtual QStringList keys() const = 0;
    // The value of each key in variant index as it is stored, and so as the variant runs it.
    virtual std::vector<double> values(std::size_t index) const = 0;
    // Whether the values are drawn, as a tolerance study's numbered samples are, rather than
    // given.
    virtual bool drawn() const = 0;
    virtual ModelParams variant(const ModelParams& base, std::size_t index) const = 0;
};

// The variants of a grid: every combination of the axes' values, the first axis changing
// slowest.
class SweepGrid final : public SweepVariants {
public:
    explicit SweepGrid(std::vector<SweepAxis> axes);

    std::size_t size() const override { return m_size; }
    QStringList keys() const override;
    std::vector<double> values(std::size_t index) const override;
    bool drawn() const override { return false; }
    ModelParams variant(const ModelParams& base, std::size_t index) const override;

private:
    std::vector<SweepAxis> m_axes;
    std::size_t m_size = 1;
};

// The variants from first up to end: a shard of a sweep, or all of it.
struct SweepRange {
    std::size_t first = 0;
    std::size_t end = 0;

    std::size_t size() const { return end - first; }
};

// The K-th (from 1) of count equal parts of total variants; the parts follow each other and
// together cover every variant once.
SweepRange ShardOf(std::size_t total, std::size_t shard, std::size_t count);

// What one variant came to.
struct SweepRow {
    std::size_t index = 0;      // the variant's place in the sweep
    std::vector<double> values; // the value of each key, as SweepVariants::values gives them
    QString failure;            // why the run failed, in the words of the command line; empty
                                // when it ran
    StepResponse stepResponse;  // the figures of a run that completed
    SummaryFigures summary;
    QString notice; // what the user must know about the run beside its figures: a Tmax cut short
};

// The names of a row's figures, in order: the step-response figures, then the numbers of the
// analysis summary.
QStringList SweepFigureColumns();
// The figures of a row that ran, under SweepFigureColumns; a summary number without its rating
// is an empty text.
QList<StepResponseField> SweepFigures(const SweepRow& row);

// Runs one variant on run as the results window would: the figures of a completed run, or why it
// failed.
SweepRow RunVariant(const ModelParams& base, const SignalSeries& signal,
                    const SweepVariants& variants, std::size_t index, RunData& run);

// Takes each row in variant order as soon as every earlier row is taken; false stops the sweep
// (the output cannot be written, the user interrupted).
using SweepRowSink = std::function<bool(const SweepRow& row)>;
// Called now and then on the calling thread while the workers run.
using SweepProgress = std::function<void(std::size_t done, std::size_t total)>;
// Starts one worker thread; throws std::system_error when the system has no thread to give.
using SweepThreadStarter = std::function<std::jthread(std::function<void()> work)>;

struct SweepOutcome {
    std::size_t written = 0;    // rows the sink took
    std::size_t failed = 0;     // of them, variants whose run failed
    unsigned threads = 0;       // workers that started; 0 when the calling thread ran alone
    bool stoppedBySink = false; // the sink refused a row
};

// Runs the variants of range on up to jobs threads, each with its own parameter set and run
// record, and hands the rows to sink in order. At most a bounded window of rows waits for an
// earlier one, so memory does not grow with the length of the sweep; the rows do not depend
// on the number of threads. When no thread can be started the calling thread runs the sweep.
SweepOutcome RunSweep(const ModelParams& base, const SignalSeries& signal,
                      const SweepVariants& variants, SweepRange range, unsigned jobs,
                      const SweepRowSink& sink, const SweepProgress& progress = {},
                      const SweepThreadStarter& startThread = {});

} // namespace kinetra
