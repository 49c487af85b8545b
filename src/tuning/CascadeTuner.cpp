#include "CascadeTuner.h"

#include <cmath>
#include <optional>

namespace kinetra {

namespace {

// The tuned settings are written with four significant digits: enough for the optima, short
// enough to read and type, and the same again when a tuned model is tuned once more.
double Rounded(double value)
{
    if (value == 0 || !std::isfinite(value))
        return value;
    const double magnitude = std::pow(10.0, std::floor(std::log10(std::abs(value))) - 3);
    return std::round(value / magnitude) * magnitude;
}

// A sensor's or converter's lag as the controller samples it: its first step is no lag at all.
double LagBeyondStep(double time, double step)
{
    return std::max(time - step, 0.0);
}

// The current loop: the armature's lag, cancelled by the PI's zero. The controller's integral on
// the error sum of the steps before puts its zero at 1 - step / Ti, which cancels the sampled
// armature pole exp(-step / Ta) for Ti = step / (1 - exp(-step / Ta)), about Ta + step / 2.
LoopTuning TuneCurrentLoop(const CascadeModel& cascade, const LoopSettings& loop)
{
    const DrivePlant& plant = cascade.plant;
    const double dt = plant.timeStep;
    LoopTuning tuning;
    tuning.loop = Loop::Current;
    const double armatureTime = plant.armatureTime();
    tuning.reason =
        armatureTime < dt ? OptimumReason::ArmatureFasterThanStep : OptimumReason::ArmatureLag;
    LoopModel& model = tuning.model;
    model.plantGain =
        plant.voltagePerCommand / plant.resistance * plant.readingPerCurrent * loop.sensorGain;
    model.plantTime = armatureTime;
    model.small.converter = LagBeyondStep(cascade.converterTime, dt);
    model.small.sensor = LagBeyondStep(loop.sensorTime, dt);
    model.small.sampling = 0.5 * dt;
    model.small.pulses = cascade.pulseDeadTime;
    tuning.integralTime = Rounded(dt / (1 - std::exp(-dt / armatureTime)));
    tuning.gain = Rounded(tuning.integralTime / (2 * model.plantGain * model.small.sum()));
    return tuning;
}

// The closed loop's equivalent lag as seen from the loop around it.
double ClosedLoopLag(const LoopTuning& tuning)
{
    const double factor = tuning.optimum == Optimum::Symmetric ? 4 : 2;
    return factor * tuning.model.small.sum();
}

// An integrating loop (speed from current, position from speed) on the modulus optimum, or on
// the symmetric optimum when it needs an integral.
LoopTuning TuneIntegratingLoop(Loop loop, double integrationRate, const LoopSettings& settings,
                               const LoopTuning& inner, double step, Optimum optimum,
                               OptimumReason reason)
{
    LoopTuning tuning;
    tuning.loop = loop;
    tuning.optimum = optimum;
    tuning.reason = reason;
    LoopModel& model = tuning.model;
    model.integrating = true;
    model.plantGain = integrationRate;
    model.small.sensor = LagBeyondStep(settings.sensorTime, step);
    model.small.innerLoop = ClosedLoopLag(inner);
    const double sum = model.small.sum();
    tuning.gain = Rounded(1 / (2 * integrationRate * sum));
    tuning.integralTime = optimum == Optimum::Symmetric ? Rounded(4 * sum) : 0;
    return tuning;
}

// What the current limit lets the drive do against its static load, at the motor shaft.
struct LimitedTorque {
    double torque = 0; // Nm the limit leaves for accelerating against the load
    double load = 0;   // Nm, the static load
};

// The torque limit is Imax in the current loop's reading (current or torque). While the drive
// accelerates, the back-EMF rises as a ramp, which the current loop on the modulus optimum
// follows with a steady error: the current settles at the limit / (1 + 2 Tsum / Tm).
std::optional<LimitedTorque> TorqueLimit(const CascadeModel& cascade, const LoopTuning& current)
{
    const DrivePlant& plant = cascade.plant;
    const double limit = cascade.find(Loop::Current)->limit;
    if (!(limit > 0))
        return std::nullopt;
    const double rampError = 2 * current.model.small.sum() / plant.mechanicalTime();
    const double torque =
        limit * plant.torquePerCurrent / plant.readingPerCurrent / (1 + rampError);
    const double load = std::abs(plant.loadTorque);
    if (!(torque > load))
        return std::nullopt;
    return LimitedTorque{torque - load, load};
}

// The symmetric optimum's integral winds up while the reference step holds the current at its
// limit: the error falls from the reference to zero over the acceleration, and its integral
// then asks for far more than the load, which the speed pays back as overshoot. An integration
// time that gathers just the load over the acceleration lets the speed arrive without it.
void HoldIntegralToLoad(LoopTuning& tuning, const LoopTuning& current, const CascadeModel& cascade,
                        double reference)
{
    const std::optional<LimitedTorque> limited = TorqueLimit(cascade, current);
    if (!limited || limited->load == 0)
        return;
    const DrivePlant& plant = cascade.plant;
    const LoopSettings& currentLoop = *cascade.find(Loop::Current);
    const LoopSettings& speedLoop = *cascade.find(Loop::Speed);
    const double sensedStep = speedLoop.sensorGain * std::abs(reference);
    if (tuning.gain * sensedStep <= currentLoop.limit * currentLoop.sensorGain)
        return;
    const double accelerationTime =
        plant.inertia * std::abs(reference) * plant.gearRatio / limited->torque;
    const double sensedLoad =
        limited->load / plant.torquePerCurrent * plant.readingPerCurrent * currentLoop.sensorGain;
    const double integralTime = tuning.gain * sensedStep * accelerationTime / (2 * sensedLoad);
    if (integralTime <= tuning.integralTime)
        return;
    tuning.integralTime = Rounded(integralTime);
    tuning.reason = OptimumReason::LimitWindsUpIntegral;
}

// The position reference is a ramp that stops where the measured position reaches fmax, and the
// drive then stops where the reference stands: at fmax plus the lag it ran with, reached by
// braking from the reference's speed. Without the compensator the lag is speed / gain. It must
// cover the braking distance at the current limit, or the drive passes the reference and
// reverses; and the distance the drive falls behind the ramp while it accelerates at the limit,
// or the speed overshoots. The torque the limit leaves against the load bounds both; a fifth of
// the lag is kept in hand for the inner loops.
void HoldGainToBraking(LoopTuning& tuning, const LoopTuning& current, const CascadeModel& cascade,
                       double reference)
{
    const std::optional<LimitedTorque> limited = TorqueLimit(cascade, current);
    if (!limited || reference == 0)
        return;
    const DrivePlant& plant = cascade.plant;
    const double acceleration = limited->torque / (plant.inertia * plant.gearRatio);
    const double sensorRatio =
        cascade.find(Loop::Speed)->sensorGain / cascade.find(Loop::Position)->sensorGain;
    const double gain = 0.8 * 2 * acceleration / std::abs(reference) * sensorRatio;
    if (gain >= tuning.gain)
        return;
    tuning.gain = Rounded(gain);
    tuning.reason = OptimumReason::BrakingLimitsGain;
}

} // namespace

const LoopTuning* CascadeTuning::find(Loop loop) const
{
    for (const LoopTuning& tuning : loops) {
        if (tuning.loop == loop)
            return &tuning;
    }
    return nullptr;
}

CascadeTuning TuneCascade(const ModelParams& collected)
{
    const CascadeModelResult result = CascadeModelOf(collected);
    if (!result.model)
        return {{}, result.refusal};
    const CascadeModel& cascade = *result.model;
    const DrivePlant& plant = cascade.plant;
    const double dt = plant.timeStep;

    CascadeTuning tuning;
    const LoopSettings* current = cascade.find(Loop::Current);
    tuning.loops.push_back(TuneCurrentLoop(cascade, *current));

    const LoopSettings* speed = cascade.find(Loop::Speed);
    if (!speed)
        return tuning;
    const LoopSettings* position = cascade.find(Loop::Position);
    Optimum speedOptimum = Optimum::Modulus;
    OptimumReason speedReason = OptimumReason::NoLoadTorque;
    if (position) {
        speedReason = OptimumReason::ServesPositionLoop;
    } else if (plant.loadTorque != 0) {
        speedOptimum = Optimum::Symmetric;
        speedReason = OptimumReason::LoadNeedsIntegral;
    }
    // The current reading drives the torque; the mechanism's speed is the motor's through the
    // gear.
    const double speedRate =
        speed->sensorGain * plant.torquePerCurrent /
        (plant.readingPerCurrent * current->sensorGain * plant.inertia * plant.gearRatio);
    tuning.loops.push_back(TuneIntegratingLoop(Loop::Speed, speedRate, *speed, tuning.loops[0], dt,
                                               speedOptimum, speedReason));
    if (speedOptimum == Optimum::Symmetric)
        HoldIntegralToLoad(tuning.loops.back(), tuning.loops[0], cascade, collected.wref);
    if (!position)
        return tuning;
    // The speed reference in the speed sensor's units; the controller integrates the mechanism's
    // speed into its position.
    const double positionRate = position->sensorGain / speed->sensorGain;
    tuning.loops.push_back(TuneIntegratingLoop(Loop::Position, positionRate, *position,
                                               tuning.loops[1], dt, Optimum::Modulus,
                                               OptimumReason::PositionIntegrates));
    HoldGainToBraking(tuning.loops.back(), tuning.loops[0], cascade, collected.wref);
    return tuning;
}

std::vector<ModelKey> TunedKeys(const CascadeTuning& tuning)
{
    static constexpr const char* Names[3][3] = {
        {"KpI", "TpIint", "TpIdif"}, {"Kpw", "Tpwint", "Tpwdif"}, {"Kpf", "Tpfint", "Tpfdif"}};
    std::vector<ModelKey> keys;
    if (!tuning.tuned())
        return keys;
    for (const LoopTuning& loop : tuning.loops) {
        const auto& names = Names[static_cast<int>(loop.loop)];
        keys.push_back({names[0], loop.gain});
        keys.push_back({names[1], loop.integralTime});
        keys.push_back({names[2], loop.derivativeTime});
        if (loop.loop == Loop::Position)
            keys.push_back({"Kk", loop.compensator});
    }
    return keys;
}

void ApplyTuning(const CascadeTuning& tuning, ModelParams& params)
{
    for (const ModelKey& key : TunedKeys(tuning)) {
        for (const NumericField& field : NumericFields) {
            if (field.key == key.key)
                params.*field.member = key.value;
        }
    }
}

} // namespace kinetra
