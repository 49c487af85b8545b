#include "Supply.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kinetra {

namespace {

constexpr double Pi = std::numbers::pi;

// The thyristor converter is fed from a 50 Hz network, whatever the converter frequency F0.
constexpr double NetworkFrequency = 50;

// The armature inductance of a DC motor when none is given, H.
constexpr double DefaultArmatureInductance = 0.001;

// The largest relative voltage the thyristor converter fires for; it sets the smallest firing
// angle of about 18.2 degrees.
constexpr double RectifierLimit = 0.95;

// Every DC-like supply holds the field at its excitation voltage, the motor voltage when no
// separate excitation voltage is given.
void SetDcField(SupplyVoltages& u, const ModelParams& params)
{
    u.u1a = 0;
    u.u2b = 0;
    u.u1b = params.U10 != 0 ? params.U10 : params.U;
}

void SupplySine(Supply& supply, SupplyVoltages& u, int index, const RunData& run)
{
    supply.omega = 2 * Pi * run.supplyFrequency;
    const double t = index * run.timeStep;
    u.u1a = std::numbers::sqrt2 * run.supplyVoltage * std::cos(supply.omega * t);
    u.u1b = std::numbers::sqrt2 * run.supplyVoltage * std::sin(supply.omega * t);
    u.u2a = 0;
    u.u2b = 0;
}

void SupplyMains(SupplyVoltages& u, const RunData& run)
{
    u.u2a = run.supplyVoltage;
}

void SupplyTransistor(SupplyVoltages& u, const ModelParams& params, RunData& run)
{
    const double outputLimit = params.U0 * run.converterGain;
    if (outputLimit < run.supplyVoltage)
        run.supplyVoltage = outputLimit + 0.001;
    // Under a controller the commanded voltage already carries the converter gain.
    u.u2a = run.controllerActive ? run.supplyVoltage / run.converterGain : run.supplyVoltage;
}

// The inductance that limits the current of one thyristor pulse: the armature's own, defaulted
// like the motor classes default it, in series with the converter's armature circuit.
double PulseInductance(const ModelParams& params)
{
    return (params.L2 > 0 ? params.L2 : DefaultArmatureInductance) + params.L20;
}

void StartThyristor(Supply& supply, SupplyVoltages& u, const ModelParams& params, RunData& run)
{
    SupplyTransistor(u, params, run);
    supply.omega = 2 * Pi * NetworkFrequency;
    run.baseCurrent = run.peakVoltage / (PulseInductance(params) * supply.omega);
    ThyristorPhase& thyristor = run.thyristor;
    thyristor.phaseStep = supply.omega * run.timeStep;
    thyristor.phase = 0;
    thyristor.firingAngle = 0;
    thyristor.nextFiring = 0;
}

// The converter's mean output voltage relative to its largest, as the firing angle's cosine.
// Under a loop the command is related to U0; otherwise to the converter's output range.
double RelativeVoltage(const ModelParams& params, const RunData& run)
{
    double c = RectifierLimit;
    if (run.loopI || run.loopW || run.loopF) {
        if (run.supplyVoltage < params.U0)
            c = run.supplyVoltage / params.U0;
    } else {
        const double outputRange = params.U0 * run.converterGain;
        if (outputRange > run.supplyVoltage)
            c = run.supplyVoltage / outputRange;
    }
    // A command at or below -U0 has no firing angle; the converter then inverts at its limit,
    // the mirror of the rectifier limit above.
    return c <= -1 ? -RectifierLimit : c;
}

// Fires the next thyristor. The network phase runs on continuously: the part of the step that
// lies beyond the firing point is carried into the new pulse, so a pulse of 2 * halfPulseAngle
// lasts its true share of the network period (3.33 steps of 1 ms for six pulses at 50 Hz).
void FireNextThyristor(ThyristorPhase& thyristor, double c, RunData& run)
{
    const double pulseAngle = 2 * run.halfPulseAngle;
    const double pastFiring = std::fmod(thyristor.phase - thyristor.nextFiring, pulseAngle);
    thyristor.firingAngle = Pi / 2 - std::atan(c / std::sqrt(1 - c * c));
    run.firingMargin = thyristor.firingAngle - run.halfPulseAngle;
    thyristor.nextFiring = Pi / 2 + run.halfPulseAngle + thyristor.firingAngle;
    thyristor.phase = thyristor.nextFiring - pulseAngle + pastFiring;
}

void SupplyThyristor(SupplyVoltages& u, const ModelParams& params, RunData& run)
{
    ThyristorPhase& thyristor = run.thyristor;
    thyristor.phase += thyristor.phaseStep;
    if (thyristor.phase >= thyristor.nextFiring)
        FireNextThyristor(thyristor, RelativeVoltage(params, run), run);
    u.u2a = run.peakVoltage * std::sin(thyristor.phase);
}

} // namespace

void SupplyOutput(Supply& supply, SupplyVoltages& u, int index, SimulationRecord& record)
{
    const ModelParams& params = record.params;
    RunData& run = record.run;
    switch (supply.model) {
    case SupplyModel::Mains:
        SetDcField(u, params);
        SupplyMains(u, run);
        return;
    case SupplyModel::Transistor:
    case SupplyModel::Controlled:
        SetDcField(u, params);
        SupplyTransistor(u, params, run);
        return;
    case SupplyModel::Thyristor:
        SetDcField(u, params);
        if (index == 0)
            StartThyristor(supply, u, params, run);
        else
            SupplyThyristor(u, params, run);
        return;
    case SupplyModel::SineMains:
    case SupplyModel::SineTransistor:
    case SupplyModel::SineThyristor:
        SupplySine(supply, u, index, run);
        return;
    case SupplyModel::FieldOriented:
        u = {};
        return;
    }
}

double FieldOrientedVoltageLimit(const ModelParams& params)
{
    return std::numbers::sqrt2 * (params.U0 != 0 ? params.U0 : params.U);
}

void SupplyFieldOriented(SupplyVoltages& u, const StatorFeedback& stator, SimulationRecord& record)
{
    const ModelParams& params = record.params;
    RunData& run = record.run;
    const double limit = FieldOrientedVoltageLimit(params);
    u = {};
    if (!run.controllerActive) {
        u.u1b = limit;
        return;
    }
    const double L = stator.inductance;
    const double ud = -stator.we * L * stator.iq - L * stator.id / run.timeStep;
    u.u1a = std::clamp(ud, -limit, limit);
    const double qLimit = std::sqrt(limit * limit - u.u1a * u.u1a);
    const double commandLimit = qLimit * std::abs(run.converterGain);
    run.supplyVoltage = std::clamp(run.supplyVoltage, -commandLimit, commandLimit);
    u.u1b = run.supplyVoltage / run.converterGain;
}

} // namespace kinetra
