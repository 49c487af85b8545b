#include "SampleTable.h"

#include "FixedNumber.h"
#include "RunSamples.h"

namespace kinetra {
namespace {

constexpr QStringView ColumnGap = u"            ";

// Room for one line of typical values; the text grows on its own past longer ones.
constexpr qsizetype ExpectedLineLength = 4 * 10 + 3 * ColumnGap.size() + 1;

} // namespace

QString SampleTable(const RunData& run, QChar decimalSeparator)
{
    const std::span<const ResultSample> samples = ValidSamples(run);
    const std::span<const double> positions = RecordedPositions(run);
    QString table;
    table.reserve(SampleTableHeader.size() + qsizetype(samples.size()) * ExpectedLineLength);
    table.append(SampleTableHeader);
    if (run.loopF)
        table.append(PositionColumnTitle);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const ResultSample& sample = samples[i];
        table.append(u'\n');
        AppendFixed(table, sample.time, 3, decimalSeparator);
        table.append(ColumnGap);
        AppendFixed(table, sample.torque, 4, decimalSeparator);
        table.append(ColumnGap);
        AppendFixed(table, sample.current, 4, decimalSeparator);
        table.append(ColumnGap);
        AppendFixed(table, sample.mechSpeed, 4, decimalSeparator);
        if (run.loopF) {
            table.append(ColumnGap);
            AppendFixed(table, positions[i], 4, decimalSeparator);
        }
    }
    return table;
}

} // namespace kinetra
