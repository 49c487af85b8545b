#pragma once

#include <QList>

#include "StepResponse.h"

namespace kinetra {

struct RunView;

// What kinetra-sim --metrics prints of a run, in its order: the step-response figures, the
// converter's load, the motor's duty, the energy balance and a "warning" field for each warning
// of the analysis page. The Python module's metrics are the same fields.
QList<StepResponseField> RunMetrics(const RunView& view);

} // namespace kinetra
