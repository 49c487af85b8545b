#include "SampleTable.h"

#include <QCoreApplication>

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
    const QString header = QCoreApplication::translate("SampleTable", SampleTableHeader);
    QString table;
    table.reserve(header.size() + qsizetype(samples.size()) * ExpectedLineLength);
    table.append(header);
    if (run.loopF)
        table.append(QCoreApplication::translate("SampleTable", PositionColumnTitle));
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
