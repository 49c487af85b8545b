#pragma once

#include <vector>

namespace kinetra {

// Where a chart axis puts its ticks: at round values, 1, 2 or 5 times a power of ten, so the
// labels read 50, 100, 150 and not 45,38 or 222,1.

// The smallest round step that divides the span into at most mostSteps steps; 1 for no span.
double RoundTickStep(double span, int mostSteps);

// The decimals a label of a multiple of step needs (none for steps of 1 and more).
int TickDecimals(double step);

// The ticks of an axis whose ends are labelled too: the minimum, the multiples of the step in
// between, and the maximum. A round tick closer to an end than half a step is left out, so its
// label does not run into the end's.
std::vector<double> TicksWithEnds(double minimum, double maximum, int mostSteps);

} // namespace kinetra
