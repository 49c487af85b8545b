#include "charts/RoundTicks.h"

#include <QCategoryAxis>
#include <QSignalBlocker>
#include <QValueAxis>

#include "AxisTicks.h"

namespace kinetra {

namespace {

// The round interval and label format for the range the axis holds now. The axis announces a
// new minimum and maximum before it is laid out for them, so this runs in time.
void FitTicksToRange(QValueAxis& axis)
{
    const ValueTickRule rule = ValueTickRuleOf(axis.min(), axis.max());
    axis.setTickInterval(rule.step);
    const QString format = QStringLiteral("%.%1f").arg(rule.decimals);
    // Every new format, even an equal one, lays the axis out again.
    if (axis.labelFormat() != format)
        axis.setLabelFormat(format);
}

void RelabelTimeAxis(QCategoryAxis& axis, qreal minimum, qreal maximum, QChar decimalSeparator)
{
    {
        // Each removed or appended label would lay the axis out again; the chart hears of the
        // new labels once, when they are all in place.
        const QSignalBlocker quiet(axis);
        for (const QString& label : axis.categoriesLabels())
            axis.remove(label);
        axis.setStartValue(minimum);
        for (const AxisTick& tick : TimeTicks(minimum, maximum, decimalSeparator))
            axis.append(tick.label, tick.value);
    }
    emit axis.categoriesChanged();
}

} // namespace

void SetRangeAndTickInterval(QValueAxis& axis, qreal minimum, qreal maximum, qreal interval)
{
    if (interval >= axis.tickInterval()) {
        axis.setTickInterval(interval);
        axis.setRange(minimum, maximum);
    } else {
        axis.setRange(minimum, maximum);
        axis.setTickInterval(interval);
    }
}

void KeepRoundTicks(QValueAxis& axis)
{
    axis.setTickType(QValueAxis::TicksDynamic);
    axis.setTickAnchor(0);
    FitTicksToRange(axis);
    for (const auto changed : {&QValueAxis::minChanged, &QValueAxis::maxChanged})
        QObject::connect(&axis, changed, &axis, [&axis] { FitTicksToRange(axis); });
}

void KeepRoundTicksAndLabelledEnds(QCategoryAxis& axis, QChar decimalSeparator)
{
    axis.setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    QObject::connect(&axis, &QValueAxis::rangeChanged, &axis,
                     [&axis, decimalSeparator](qreal minimum, qreal maximum) {
                         RelabelTimeAxis(axis, minimum, maximum, decimalSeparator);
                     });
}

void ShowRoundRange(QValueAxis& axis, qreal minimum, qreal maximum)
{
    // The time axis ticks where its labels are, and they follow its range.
    if (qobject_cast<QCategoryAxis*>(&axis))
        axis.setRange(minimum, maximum);
    else
        SetRangeAndTickInterval(axis, minimum, maximum, ValueTickRuleOf(minimum, maximum).step);
}

} // namespace kinetra
