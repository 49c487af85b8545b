#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSizeF>

#include "ChartLook.h"
#include "RunCharts.h"

class QPainter;

namespace kinetra {

// The report's two charts, built afresh from the run's chart description at every drawing, so a
// page drawn again, before or after a rerun, never keeps anything of an earlier drawing. The
// series keep the report's own style: one dark colour, no point marks, each curve its own line,
// shown in the legend.
namespace ReportCharts {

// Draws the chart in the look, laid out at the size in millimetres, into target (device
// coordinates).
void Paint(QPainter& painter, const ChartData& chart, const ChartLook& look,
           const QSizeF& millimetres, const QRectF& target);

// The chart as a PNG picture of the size in millimetres, laid out as on the page.
QByteArray Png(const ChartData& chart, const ChartLook& look, const QSizeF& millimetres);

} // namespace ReportCharts

} // namespace kinetra
