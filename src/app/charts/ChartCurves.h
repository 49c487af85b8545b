#pragma once

#include <QList>
#include <QPointF>
#include <QStringList>

#include <vector>

#include "text/Status.h"

class QChart;
class QXYSeries;

namespace kinetra {

// One curve as a table column: its title names the quantity and its unit.
struct Curve {
    QString title;
    QList<QPointF> points;
};

// The curves a chart shows, as its CSV file holds them: the title of their x values, and the
// curves in the order the chart draws them.
struct ChartTable {
    QString xTitle;
    std::vector<Curve> curves;
};

// A curve's column title: its name and the unit of its axis ("Скорость, рад/с" gives "Name,
// рад/с"); the name alone when the axis names no unit.
QString CurveTitle(const QString& name, const QString& axisTitle);

// The curves as CSV lines for a spreadsheet: a header, then one row per point. Curves that share
// their x values share one x column; otherwise each curve has its own x column before its values.
// Numbers keep 15 digits with the given decimal separator; fields are separated by a semicolon
// when that separator is a comma, and by a comma otherwise.
QStringList CurveTableLines(const QString& xTitle, const std::vector<Curve>& curves,
                            QChar decimalSeparator);

// A series drawn thinned keeps its whole curve (a QList<QPointF>) under this property name, so
// that the table export writes every point rather than those drawn.
inline constexpr char FullCurveProperty[] = "fullCurve";

// The whole curve of a series: the one it keeps when drawn thinned, otherwise its points.
QList<QPointF> FullCurve(const QXYSeries& series);

// The chart's visible series with points, each titled by its name and its vertical axis's unit,
// and the title of the horizontal axis: the table of a chart whose series hold its data.
ChartTable CurvesOnShow(const QChart& chart);

// The table, written as CSV in UTF-8 without a byte-order mark, CR LF after every line.
Status SaveChartCurves(const ChartTable& table, const QString& path, QChar decimalSeparator);

} // namespace kinetra
