#pragma once

#include <QString>
#include <QStringList>

namespace kinetra {

class SweepStatistics;
class SweepVariants;
struct SweepRow;

// The table a sweep writes, numbers with a point: the header names the variants' keys (a study's
// after the column "sample"), the exit status (0, or 1 with the reason), the step-response figures
// and the numbers of the analysis summary.
QString SweepHeader(const SweepVariants& variants);

// One row under the header, without its line end. Given values show as typed (15 digits), drawn
// ones with every digit, so that a row can be run again with --set; a failed variant leaves its
// figures empty.
QString SweepRowText(const SweepVariants& variants, const SweepRow& row);

// A study's closing summary as standard error shows it.
QStringList SweepSummaryLines(const SweepStatistics& statistics);
// The summary as a CSV file: a row per figure, then a row per reason of failure.
QString SweepSummaryCsv(const SweepStatistics& statistics);

} // namespace kinetra
