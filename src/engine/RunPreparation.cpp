#include "RunPreparation.h"

#include <cmath>
#include <numbers>

#include "Defaults.h"

namespace kinetra {

namespace {

// The stiffness and damping of a transmission given as zero: very stiff and very damped,
// practically rigid.
constexpr double RigidTransmission = 99999999999.0;

} // namespace

void PrepareRun(SimulationRecord& record)
{
    ModelParams& p = record.params;
    RunData& run = record.run;

    ReplaceZero(p.U, 100);
    run.supplyVoltage = p.U0 != 0 ? p.U0 : p.U;
    run.supplyFrequency = p.F0 != 0 ? p.F0 : 50;
    ReplaceZero(p.m0, 6);
    ReplaceZero(p.ii, 1);
    ReplaceZero(p.ni, 100);
    ReplaceZero(p.J, 0.001);

    // The mechanism referred to the motor shaft through the gear ratio; ni is in per cent.
    const double ratioSquared = p.ii * p.ii;
    run.loadTorque = 100 * p.Mc / (p.ii * p.ni);
    run.loadInertia = p.Jc / ratioSquared;
    run.stiffness = p.cc != 0 ? p.cc / ratioSquared : RigidTransmission;
    run.damping = p.bc != 0 ? p.bc / ratioSquared : RigidTransmission;

    run.converterGain = p.U0 != 0 && p.U20 != 0 ? (p.U0 - p.I0 * p.R20) / p.U20 : 1;
    run.halfPulseAngle = p.m0 > 1 ? std::numbers::pi / p.m0 : std::numbers::pi / 6;
    // U0 itself, not a default: the 0.001 keeps the peak positive when no U0 is given.
    run.peakVoltage = (p.U0 + 0.001) * run.halfPulseAngle / std::sin(run.halfPulseAngle);
    run.timeStep = 0.001;
    run.memory.ctrlOut = 0;
}

} // namespace kinetra
