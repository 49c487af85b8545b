#include "charts/RoundTicks.h"

#include <cmath>

#include <QCategoryAxis>
#include <QLocale>
#include <QValueAxis>

#include "AxisTicks.h"

namespace kinetra {

namespace {

// Enough ticks to read a value off the chart, few enough that the labels never touch.
constexpr int MostSteps = 8;

// A label as the time axis shows numbers: grouped thousands and at most the given decimals,
// without trailing zeros.
QString Label(const QLocale& locale, double value, int decimals)
{
    QString text = locale.toString(value, 'f', decimals);
    const QString point = locale.decimalPoint();
    if (decimals > 0 && text.contains(point)) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(point.size());
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

} // namespace

void KeepRoundTicks(QValueAxis& axis)
{
    axis.setTickType(QValueAxis::TicksDynamic);
    axis.setTickAnchor(0);
    QObject::connect(&axis, &QValueAxis::rangeChanged, &axis,
                     [&axis](qreal minimum, qreal maximum) {
                         const double step = RoundTickStep(maximum - minimum, MostSteps);
                         axis.setTickInterval(step);
                         axis.setLabelFormat(QStringLiteral("%.%1f").arg(TickDecimals(step)));
                     });
}

void KeepRoundTicksAndLabelledEnds(QCategoryAxis& axis)
{
    axis.setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    QObject::connect(&axis, &QValueAxis::rangeChanged, &axis,
                     [&axis](qreal minimum, qreal maximum) {
                         for (const QString& label : axis.categoriesLabels())
                             axis.remove(label);
                         axis.setStartValue(minimum);
                         const QLocale locale = QLocale::system();
                         const int decimals =
                             std::max(2, TickDecimals(RoundTickStep(maximum - minimum, MostSteps)));
                         for (const double tick : TicksWithEnds(minimum, maximum, MostSteps)) {
                             const QString label = Label(locale, tick, decimals);
                             // Labels name the categories, so two ticks that read alike keep the
                             // first.
                             if (!axis.categoriesLabels().contains(label))
                                 axis.append(label, tick);
                         }
                     });
}

} // namespace kinetra
