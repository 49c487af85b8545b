#pragma once

class QAbstractSeries;
class QChart;
class QGraphicsItem;

namespace kinetra {

// Adds the series to the chart and returns the item the chart draws it with: the one child the
// chart gains. An item of the program's own placed beside it, with its parent and its stacking
// value, draws over it and under the series added later.
QGraphicsItem& AddSeriesItem(QChart& chart, QAbstractSeries& series);

} // namespace kinetra
