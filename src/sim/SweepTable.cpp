#include "SweepTable.h"

#include <optional>

#include "Sweep.h"
#include "SweepStatistics.h"
#include "text/NumberText.h"

namespace kinetra {

QString SweepHeader(const SweepVariants& variants)
{
    QStringList columns;
    if (variants.drawn())
        columns << QStringLiteral("sample");
    columns << variants.keys() << QStringLiteral("status") << QStringLiteral("reason")
            << SweepFigureColumns();
    return columns.join(u',');
}

QString SweepRowText(const SweepVariants& variants, const SweepRow& row)
{
    QStringList cells;
    if (variants.drawn())
        cells << QString::number(row.index + 1);
    for (const double value : row.values)
        cells << GeneralNumber(value, variants.drawn() ? ExactDigits : DoubleDigits);
    if (!row.failure.isEmpty()) {
        cells << QStringLiteral("1") << row.failure;
        static const qsizetype figureCount = SweepFigureColumns().size();
        for (qsizetype i = 0; i < figureCount; ++i)
            cells.append(QString());
        return cells.join(u',');
    }
    cells << QStringLiteral("0") << QString();
    for (const StepResponseField& field : SweepFigures(row))
        cells.append(field.value);
    return cells.join(u',');
}

namespace {

QString Number(std::optional<double> value)
{
    return value ? GeneralNumber(*value, FigureDigits) : QString();
}

} // namespace

QStringList SweepSummaryLines(const SweepStatistics& statistics)
{
    std::size_t failed = 0;
    for (const auto& [reason, count] : statistics.failures())
        failed += count;
    QStringList lines{
        QStringLiteral("%1 variants, %2 failed").arg(statistics.variants()).arg(failed)};
    for (const auto& [reason, count] : statistics.failures())
        lines.append(QStringLiteral("  %1: %2").arg(count).arg(reason));
    lines.append(QStringLiteral("figure: minimum mean maximum (5 %, 95 %)"));
    const QStringList& names = statistics.figures();
    for (qsizetype i = 0; i < names.size(); ++i) {
        const FigureSpread s = statistics.spread(i);
        if (s.count == 0)
            continue;
        lines.append(QStringLiteral("  %1: %2 %3 %4 (%5, %6)")
                         .arg(names[i], Number(s.minimum), Number(s.mean), Number(s.maximum),
                              Number(s.quantile5), Number(s.quantile95)));
    }
    return lines;
}

QString SweepSummaryCsv(const SweepStatistics& statistics)
{
    QString csv = QStringLiteral("figure,count,minimum,mean,maximum,quantile5,quantile95\n");
    const QStringList& names = statistics.figures();
    for (qsizetype i = 0; i < names.size(); ++i) {
        const FigureSpread s = statistics.spread(i);
        csv += QStringList{names[i],
                           QString::number(s.count),
                           s.count ? Number(s.minimum) : QString(),
                           s.count ? Number(s.mean) : QString(),
                           s.count ? Number(s.maximum) : QString(),
                           Number(s.quantile5),
                           Number(s.quantile95)}
                   .join(u',') +
               u'\n';
    }
    for (const auto& [reason, count] : statistics.failures())
        csv += QStringLiteral("failed: %1,%2,,,,,\n").arg(reason).arg(count);
    return csv;
}

} // namespace kinetra
