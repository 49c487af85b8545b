// kinetra-sim's command line, one argument a line, with the sweep and study options above all:
// whatever it accepts must be a sweep it can run as it says. Its shard lies within the sweep,
// --count-variants counts that shard, every variant has a value under each key, and a value is the
// value its variant runs: a magnitude but for the references, a whole number for a key that
// counts.

#include <QTextStream>

#include <cmath>

#include "FuzzSupport.h"
#include "SimOptions.h"
#include "SimRun.h"

namespace {

using namespace kinetra;

// The checks on one variant of the range.
void CheckVariant(const SweepVariants& variants, std::size_t index)
{
    const QStringList keys = variants.keys();
    const std::vector<double> values = variants.values(index);
    fuzz::Check(values.size() == std::size_t(keys.size()));
    const ModelParams run = variants.variant(ModelParams{}, index);
    for (qsizetype k = 0; k < keys.size(); ++k) {
        const SweepAxis key = NumericKeyAxis(keys.at(k));
        fuzz::Check(key.member != nullptr);
        const double value = run.*key.member;
        const double shown = values[std::size_t(k)];
        fuzz::Check(shown == value || (std::isnan(shown) && std::isnan(value)));
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
    const StatusOr<SimOptions> parse = ParseSimOptions(arguments);
    // A refusal always says why.
    fuzz::Check(parse.ok || !parse.error.isEmpty());
    if (!parse.ok || !parse.value.sweeps())
        return 0;
    const SimOptions& options = parse.value;
    const Study study(options.study);
    const SweepRange range = study.range();
    fuzz::Check(range.first <= range.end && range.end <= study.variants().size());
    if (range.size() > 0) {
        CheckVariant(study.variants(), range.first);
        CheckVariant(study.variants(), range.end - 1);
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
