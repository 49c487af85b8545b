#include "RunData.h"

#include <algorithm>
#include <cmath>

namespace kinetra {

SignalSeries UnitSignal()
{
    SignalSeries series;
    series.fill(1.0);
    return series;
}

double EnergyAccount::balanceError() const
{
    const double out = copperLoss + loadWork + transmissionWork + magnetic + kinetic;
    const double largerSide =
        std::max(std::abs(energyIn), std::abs(copperLoss) + std::abs(loadWork) +
                                         std::abs(transmissionWork) + magnetic + kinetic);
    return largerSide > 0 ? std::abs(energyIn - out) / largerSide : 0;
}

} // namespace kinetra
