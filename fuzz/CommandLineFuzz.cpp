// kinetra-sim's command line, one argument a line, with the sweep and study options above all:
// whatever it accepts must be a sweep it can run as it says. Its shard lies within the sweep,
// --count-variants counts that shard, every row has a cell under each column, and a cell is the
// value its variant runs: a magnitude but for the references, a whole number for a key that
// counts.

#include <QTextStream>

#include <cmath>
#include <memory>

#include "FuzzSupport.h"
#include "SimOptions.h"
#include "SimRun.h"

namespace {

using namespace kinetra;

// The checks on one variant of the range.
void CheckVariant(const SimOptions& options, const SweepVariants& variants, std::size_t index)
{
    const QStringList columns = variants.columns();
    const QStringList cells = variants.cells(index);
    fuzz::Check(cells.size() == columns.size());
    const ModelParams run = variants.variant(ModelParams{}, index);
    const qsizetype first = options.tolerances.empty() ? 0 : 1;
    for (qsizetype c = first; c < columns.size(); ++c) {
        const SweepAxis key = NumericKeyAxis(columns.at(c));
        fuzz::Check(key.member != nullptr);
        const double value = run.*key.member;
        const int digits = options.tolerances.empty() ? 15 : 17;
        fuzz::Check(cells.at(c) == QString::number(value, 'g', digits));
        if (std::isnan(value))
            continue;
        fuzz::Check(!IsMagnitudeKey(key.member) || value >= 0);
        fuzz::Check(!IsWholeNumberKey(key.member) || !std::isfinite(value) ||
                    value == std::trunc(value));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QStringList arguments{QStringLiteral("kinetra-sim")};
    arguments +=
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(u'\n');
    const SimOptionsParse parse = ParseSimOptions(arguments);
    // A refusal always says why.
    fuzz::Check(parse.options ? parse.message.isEmpty() : !parse.message.isEmpty());
    if (!parse.options || !parse.options->sweeps())
        return 0;
    const SimOptions& options = *parse.options;
    std::unique_ptr<SweepVariants> variants;
    if (options.tolerances.empty())
        variants = std::make_unique<SweepGrid>(options.sweep);
    else
        variants = std::make_unique<ToleranceSamples>(options.tolerances, options.sampleCount,
                                                      options.seed);
    const SweepRange range = ShardOf(variants->size(), options.shard, options.shardCount);
    fuzz::Check(range.first <= range.end && range.end <= variants->size());
    if (range.size() > 0) {
        CheckVariant(options, *variants, range.first);
        CheckVariant(options, *variants, range.end - 1);
    }

    SimOptions counting = options;
    counting.countVariants = true;
    counting.summaryPath.clear();
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    fuzz::Check(RunSim(counting, u',', outStream, errStream) == SimStatus::Success);
    fuzz::Check(out == QString::number(range.size()) + u'\n');
    return 0;
}
