#pragma once

#include <algorithm>

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLineItem>
#include <QValueAxis>

namespace kinetra::test {

// Counts the line items a chart holds (a tick and its grid line are one each) at every moment
// the chart lays an axis out: a range change lays it out at once, before anyone hears of it; a
// new interval or new labels on the next event, which look() catches. Keeps the most it saw.
class TickProbe {
public:
    // A tick and its grid line on each of this many ticks, with room for the legend's lines.
    static constexpr int MostLines = 2 * 100;

    explicit TickProbe(QChart& chart) : m_chart(chart)
    {
        for (QAbstractAxis* axis : chart.axes()) {
            auto* valueAxis = qobject_cast<QValueAxis*>(axis);
            if (!valueAxis)
                continue;
            QObject::connect(valueAxis, &QValueAxis::rangeChanged, valueAxis, [this] { look(); });
            if (auto* timeAxis = qobject_cast<QCategoryAxis*>(axis))
                QObject::connect(timeAxis, &QCategoryAxis::categoriesChanged, timeAxis,
                                 [this] { look(); });
        }
    }

    void look() { m_most = std::max(m_most, lines(m_chart)); }
    int mostLines() const { return m_most; }

private:
    static int lines(const QGraphicsItem& item)
    {
        int count = item.type() == QGraphicsLineItem::Type ? 1 : 0;
        for (const QGraphicsItem* child : item.childItems())
            count += lines(*child);
        return count;
    }

    QChart& m_chart;
    int m_most = 0;
};

} // namespace kinetra::test
