#include "AxisTicks.h"

#include <algorithm>
#include <cmath>

namespace kinetra {

namespace {

QString FixedLabel(double value, int decimals, QChar separator)
{
    QString text = QString::number(value, 'f', decimals);
    text.replace(u'.', separator);
    return text;
}

// As "#,##0.##" reads a time, without grouping, like the times of the texts beside the charts.
QString TimeLabel(double value, int decimals, QChar separator)
{
    QString text = FixedLabel(value, decimals, separator);
    if (decimals > 0) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(separator))
            text.chop(1);
    }
    return text == u"-0" ? QStringLiteral("0") : text;
}

} // namespace

double RoundTickStep(double span, int mostSteps)
{
    if (!(span > 0) || !std::isfinite(span) || mostSteps < 1)
        return 1;
    const double least = span / mostSteps;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (const double mantissa : {1.0, 2.0, 5.0, 10.0})
        // A hair of tolerance, so that a span of exactly mostSteps steps takes that step.
        if (mantissa * power >= least * (1 - 1e-9))
            return mantissa * power;
    return 10 * power;
}

int TickDecimals(double step)
{
    return std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
}

std::vector<double> TicksWithEnds(double minimum, double maximum, int mostSteps)
{
    if (!(maximum > minimum))
        return {minimum};
    const double step = RoundTickStep(maximum - minimum, mostSteps);
    std::vector<double> ticks{minimum};
    for (double k = std::ceil(minimum / step); k * step < maximum; ++k) {
        const double tick = k * step;
        if (tick - minimum >= step / 2 && maximum - tick >= step / 2)
            ticks.push_back(tick);
    }
    ticks.push_back(maximum);
    return ticks;
}

std::vector<AxisTick> TimeTicks(double minimum, double maximum, QChar decimalSeparator)
{
    const double step = RoundTickStep(maximum - minimum, ChartMostSteps);
    const int decimals = std::max(2, TickDecimals(step));
    std::vector<AxisTick> ticks;
    for (const double value : TicksWithEnds(minimum, maximum, ChartMostSteps)) {
        QString label = TimeLabel(value, decimals, decimalSeparator);
        if (ticks.empty() || ticks.back().label != label)
            ticks.push_back({value, std::move(label)});
    }
    return ticks;
}

ValueTickRule ValueTickRuleOf(double minimum, double maximum)
{
    const double step = RoundTickStep(maximum - minimum, ChartMostSteps);
    return {step, TickDecimals(step)};
}

std::vector<AxisTick> ValueTicks(double minimum, double maximum, QChar decimalSeparator)
{
    const ValueTickRule rule = ValueTickRuleOf(minimum, maximum);
    std::vector<AxisTick> ticks;
    if (!(maximum > minimum))
        return ticks;
    // From the anchor 0, as the window's axes tick.
    constexpr double Anchor = 0;
    double value = Anchor - std::floor((Anchor - minimum) / rule.step) * rule.step;
    for (; value <= maximum; value += rule.step)
        ticks.push_back({value, FixedLabel(value, rule.decimals, decimalSeparator)});
    return ticks;
}

} // namespace kinetra
