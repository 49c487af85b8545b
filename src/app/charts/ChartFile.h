#pragma once

#include <QString>

#include "charts/ChartCurves.h"
#include "text/Status.h"

class QWidget;

namespace kinetra {

// What Save As writes for a chart of the results or signals window.
enum class ChartFormat { Metafile, Bitmap, Csv, Png, Svg };

struct ChartFile {
    QString path;
    ChartFormat format = ChartFormat::Metafile;
};

// The chart dialog's filter: the metafile, the bitmap and all files, then the curves' data and
// the pictures most other programs read.
QString ChartFileFilter();

// A file is what its name says: a known extension typed by the user decides the format;
// otherwise the chosen filter (counted from 1) does and the name gets that filter's extension.
// All files writes a bitmap, as every filter but the first always did.
ChartFile ChooseChartFile(const QString& typedPath, int filterIndex);

// Writes the chart widget, as it shows now, in the file's format, or says why not. A CSV file
// gets the curves the chart shows, given as their table, with the given decimal separator.
Status SaveChartFile(QWidget& chart, const ChartFile& file, const ChartTable& curves,
                     QChar decimalSeparator);

} // namespace kinetra
