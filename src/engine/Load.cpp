#include "Load.h"

#include <cmath>

namespace kinetra {

void LoadTorque(Load& load, double speed, int index, const SimulationRecord& record)
{
    switch (load.kind) {
    case LoadKind::Constant:
        load.actual = LoadConstant(speed, record);
        return;
    case LoadKind::Variable:
        load.actual = LoadVariable(speed, index, record);
        return;
    }
}

double LoadConstant(double speed, const SimulationRecord& record)
{
    const double backlash = record.params.gi;
    if (std::abs(speed) < backlash)
        return 0;
    if (speed < -backlash && !record.params.ActiveLoad)
        return -record.run.loadTorque;
    return record.run.loadTorque;
}

double LoadVariable(double speed, int index, const SimulationRecord& record)
{
    const double torque = LoadConstant(speed, record);
    return torque == 0 ? 0 : torque * record.signal[index];
}

} // namespace kinetra
