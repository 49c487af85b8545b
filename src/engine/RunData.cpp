#include "RunData.h"

namespace kinetra {

SignalSeries UnitSignal()
{
    SignalSeries series;
    series.fill(1.0);
    return series;
}

} // namespace kinetra
