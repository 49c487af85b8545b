#include "Load.h"

namespace kinetra {

LoadLaw LoadLawOf(LoadKind kind, int index, const SimulationRecord& record)
{
    LoadLaw law;
    law.deadBand = record.params.gi;
    law.reactive = !record.params.ActiveLoad;
    law.torque = record.run.loadTorque;
    // A load of no torque stays none whatever the signal holds.
    if (kind == LoadKind::Variable && law.torque != 0)
        law.torque *= record.signal[index];
    return law;
}

} // namespace kinetra
