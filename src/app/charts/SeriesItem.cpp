#include "charts/SeriesItem.h"

#include <QChart>

namespace kinetra {

QGraphicsItem& AddSeriesItem(QChart& chart, QAbstractSeries& series)
{
    const QList<QGraphicsItem*> before = chart.childItems();
    chart.addSeries(&series);
    QGraphicsItem* seriesItem = nullptr;
    for (QGraphicsItem* item : chart.childItems())
        if (!before.contains(item))
            seriesItem = item;
    Q_ASSERT(seriesItem);
    return *seriesItem;
}

} // namespace kinetra
