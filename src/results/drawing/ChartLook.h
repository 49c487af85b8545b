#pragma once

#include <QChar>
#include <QColor>
#include <QFont>
#include <QLocale>
#include <QMargins>
#include <QPen>

#include "RunCharts.h"

class QChart;

namespace kinetra {

// How the program's charts look, in the results window, the signals window and the report: set
// up here alone, so a grid, a curve or a label looks the same wherever a chart is drawn.
// ApplyChartLook gives a QtCharts chart the look; a drawing of its own reads the fields.
struct ChartLook {
    QColor background{Qt::white};
    QMargins margins{4, 4, 4, 4};
    // The major grid: in colour the button face of the classic desktop the charts were first
    // drawn on, a grey that shows on white and stays quieter than the coloured curves; in black
    // and white dotted black.
    QPen grid;
    // The finer grid between the decades of a logarithmic axis.
    QPen minorGrid;
    // The axes' labels, the legend and the chart's title; the axes' titles in bold.
    QFont text;
    QFont axisTitles;
    // How the axes' labels write numbers.
    QLocale numbers;
    bool colour = true;

    // A curve of the results window: each its own colour, or in black and white its own line.
    QPen curve(CurveRole role) const;
    // A curve of the report, where every curve has the same dark colour and a line of its own.
    QPen printedCurve(CurveRole role) const;
};

// The look of the results window's charts and the report's: in colour or black and white, with
// numbers written as the texts beside the charts write them, never grouped in thousands.
ChartLook ResultsChartLook(bool colour, QChar decimalSeparator);

// The look of the signals window's small charts: narrow margins, the locale's numbers.
ChartLook SignalsChartLook();

// A curve of an earlier run kept on show to compare with: the pen it was drawn with, faded, and
// dashed where the runs are told apart by colour.
QPen EarlierRunPen(QPen drawn, bool dashed);

// The chart's frame: its background, margins, fonts and numbers. A chart whose axes change later
// gets them, and their grid, again from ApplyChartLook.
void ApplyChartFrame(QChart& chart, const ChartLook& look);

// The whole look: the frame, and the grid pens of every axis.
void ApplyChartLook(QChart& chart, const ChartLook& look);

} // namespace kinetra
