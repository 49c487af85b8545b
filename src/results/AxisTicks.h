#pragma once

#include <QChar>
#include <QString>

#include <vector>

namespace kinetra {

// Where a chart axis puts its ticks and how it labels them: at round values, 1, 2 or 5 times a
// power of ten, so the labels read 50, 100, 150 and not 45,38 or 222,1. The run view describes
// its axes with these ticks, the results window shows them at every zoom and move, and the
// report prints them, so all read alike.

// Enough ticks to read a value off a chart, few enough that the labels never touch.
inline constexpr int ChartMostSteps = 8;

// The smallest round step that divides the span into at most mostSteps steps; 1 for no span.
double RoundTickStep(double span, int mostSteps);

// The decimals a label of a multiple of step needs (none for steps of 1 and more).
int TickDecimals(double step);

// The ticks of an axis whose ends are labelled too: the minimum, the multiples of the step in
// between, and the maximum. A round tick closer to an end than half a step is left out, so its
// label does not run into the end's.
std::vector<double> TicksWithEnds(double minimum, double maximum, int mostSteps);

struct AxisTick {
    double value = 0;
    QString label;
};

// The two ways an axis is labelled. Their difference is deliberate: a time axis reads like the
// times of the texts, a value axis like the scale of a chart.
//
// The time axis: round steps and both ends, each label with at least two decimals and no
// trailing zeros ("0", "0,25", "1,5"), so a run's last time always reads on the axis. Two ticks
// that would read alike keep the first.
std::vector<AxisTick> TimeTicks(double minimum, double maximum, QChar decimalSeparator);

// How a value axis ticks its range: at the multiples of a round step, every label with the
// decimals of the step ("0,0", "0,5", "1,0").
struct ValueTickRule {
    double step = 1;
    int decimals = 0;
};
ValueTickRule ValueTickRuleOf(double minimum, double maximum);

// The ticks of a value axis under its rule, placed as a chart's value axis places them: the
// first multiple of the step at or above the minimum, then each the one before plus the step,
// up to the maximum. Numbers are never grouped in thousands.
std::vector<AxisTick> ValueTicks(double minimum, double maximum, QChar decimalSeparator);

} // namespace kinetra
