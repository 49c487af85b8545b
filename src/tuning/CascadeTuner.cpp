#include "CascadeTuner.h"

#include <cmath>

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
    tuning.reason = armatureTime < dt ? OptimumReason::ArmatureFasterThanStep
                                      : OptimumReason::ArmatureLag;
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
    const double speedRate = speed->sensorGain * plant.torquePerCurrent /
                             (plant.readingPerCurrent * current->sensorGain * plant.inertia *
                              plant.gearRatio);
    tuning.loops.push_back(TuneIntegratingLoop(Loop::Speed, speedRate, *speed, tuning.loops[0], dt,
                                               speedOptimum, speedReason));
    if (!position)
        return tuning;
    // The speed reference in the speed sensor's units; the controller integrates the mechanism's
    // speed into its position.
    const double positionRate = position->sensorGain / speed->sensorGain;
    tuning.loops.push_back(TuneIntegratingLoop(Loop::Position, positionRate, *position,
                                               tuning.loops[1], dt, Optimum::Modulus,
                                               OptimumReason::PositionIntegrates));
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
