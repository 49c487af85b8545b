#include "charts/RoundTicks.h"

#include <algorithm>

#include <QCategoryAxis>
#include <QLocale>
#include <QSignalBlocker>
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

double RoundStep(qreal minimum, qreal maximum)
{
    return RoundTickStep(maximum - minimum, MostSteps);
}

// The round interval and label format for the range the axis holds now. The axis announces a
// new minimum and maximum before it is laid out for them, so this runs in time.
void FitTicksToRange(QValueAxis& axis)
{
    const double step = RoundStep(axis.min(), axis.max());
    axis.setTickInterval(step);
    const QString format = QStringLiteral("%.%1f").arg(TickDecimals(step));
    // Every new format, even an equal one, lays the axis out again.
    if (axis.labelFormat() != format)
        axis.setLabelFormat(format);
}

void RelabelTimeAxis(QCategoryAxis& axis, qreal minimum, qreal maximum)
{
    {
        // Each removed or appended label would lay the axis out again; the chart hears of the
        // new labels once, when they are all in place.
        const QSignalBlocker quiet(axis);
        for (const QString& label : axis.categoriesLabels())
            axis.remove(label);
        axis.setStartValue(minimum);
        const QLocale locale = QLocale::system();
        const int decimals = std::max(2, TickDecimals(RoundStep(minimum, maximum)));
        for (const double tick : TicksWithEnds(minimum, maximum, MostSteps)) {
            const QString label = Label(locale, tick, decimals);
            // Labels name the categories, so two ticks that read alike keep the first.
            if (!axis.categoriesLabels().contains(label))
                axis.append(label, tick);
        }
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

void KeepRoundTicksAndLabelledEnds(QCategoryAxis& axis)
{
    axis.setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    QObject::connect(
        &axis, &QValueAxis::rangeChanged, &axis,
        [&axis](qreal minimum, qreal maximum) { RelabelTimeAxis(axis, minimum, maximum); });
}

void ShowRoundRange(QValueAxis& axis, qreal minimum, qreal maximum)
{
    // The time axis ticks where its labels are, and they follow its range.
    if (qobject_cast<QCategoryAxis*>(&axis))
        axis.setRange(minimum, maximum);
    else
        SetRangeAndTickInterval(axis, minimum, maximum, RoundStep(minimum, maximum));
}

} // namespace kinetra
