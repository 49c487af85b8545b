#include "Supply.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Defaults.h"

namespace kinetra {

namespace {

constexpr double Pi = std::numbers::pi;

// The thyristor converter is fed from a 50 Hz network, whatever the converter frequency F0.
constexpr double NetworkFrequency = 50;

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
    return PositiveOr(params.L2, DefaultInductance) + params.L20;
}

void StartThyristor(Supply& supply, SupplyVoltages& u, const ModelParams& params, RunData& run)
{
    SupplyTransistor(u, params, run);
    supply.omega = 2 * Pi * NetworkFrequency;
    run.baseCurrent = run.peakVoltage / (PulseInductance(params) * supply.omega);
    run.thyristor = {};
    run.thyristor.pulseDuration = 2 * run.halfPulseAngle / supply.omega;
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

} // namespace

void StartSupply(Supply& supply, SupplyVoltages& u, SimulationRecord& record)
{
    const ModelParams& params = record.params;
    RunData& run = record.run;
    u = {};
    if (IsSine(supply.model)) {
        supply.omega = 2 * Pi * run.supplyFrequency;
        u.u1a = SineAmplitude(run);
        return;
    }
    if (supply.model == SupplyModel::FieldOriented)
        return;
    SetDcField(u, params);
    if (supply.model == SupplyModel::Thyristor)
        StartThyristor(supply, u, params, run);
    else
        SupplyOutput(supply, u, record);
}

void SupplyOutput(const Supply& supply, SupplyVoltages& u, SimulationRecord& record)
{
    const ModelParams& params = record.params;
    RunData& run = record.run;
    switch (supply.model) {
    case SupplyModel::Mains:
        SetDcField(u, params);
        u.u2a = run.supplyVoltage;
        return;
    case SupplyModel::Transistor:
    case SupplyModel::Controlled:
        SetDcField(u, params);
        SupplyTransistor(u, params, run);
        return;
    case SupplyModel::Thyristor:
        SetDcField(u, params);
        u.u2a = 0;
        return;
    case SupplyModel::SineMains:
    case SupplyModel::SineTransistor:
    case SupplyModel::SineThyristor:
    case SupplyModel::FieldOriented:
        u = {};
        return;
    }
}

double SineAmplitude(const RunData& run)
{
    return std::numbers::sqrt2 * run.supplyVoltage;
}

double NextFiring(const RunData& run)
{
    return (run.thyristor.pulse + 1) * run.thyristor.pulseDuration;
}

void FireThyristorsUpTo(double time, const ModelParams& params, RunData& run)
{
    ThyristorPulses& thyristor = run.thyristor;
    if (!(NextFiring(run) <= time))
        return;
    thyristor.pulse = std::max(thyristor.pulse + 1, std::floor(time / thyristor.pulseDuration));
    const double c = RelativeVoltage(params, run);
    thyristor.firingAngle = Pi / 2 - std::atan(c / std::sqrt(1 - c * c));
    run.firingMargin = thyristor.firingAngle - run.halfPulseAngle;
}

double BridgeAngle(const RunData& run, double time)
{
    const ThyristorPulses& thyristor = run.thyristor;
    const double sinceFiring = time - thyristor.pulse * thyristor.pulseDuration;
    return run.firingMargin + 2 * run.halfPulseAngle * (sinceFiring / thyristor.pulseDuration);
}

double FieldOrientedVoltageLimit(const ModelParams& params)
{
    return std::numbers::sqrt2 * (params.U0 != 0 ? params.U0 : params.U);
}

void SupplyFieldOriented(SupplyVoltages& u, const StatorFeedback& stator, double period,
                         SimulationRecord& record)
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
    const double ud = -stator.we * L * stator.iq - L * stator.id / period;
    u.u1a = std::clamp(ud, -limit, limit);
    const double qLimit = std::sqrt(limit * limit - u.u1a * u.u1a);
    const double commandLimit = qLimit * std::abs(run.converterGain);
    run.supplyVoltage = std::clamp(run.supplyVoltage, -commandLimit, commandLimit);
    u.u1b = run.supplyVoltage / run.converterGain;
}

} // namespace kinetra
