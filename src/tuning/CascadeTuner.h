#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CascadeModel.h"
#include "ModelParams.h"
#include "TuningCodes.h"

namespace kinetra {

// The small time constants a loop lumps into one, s. A lag the controller samples (the
// converter's, a sensor's) follows its input within its first step, so it counts by its time
// constant less one step. The controller acts on each sample over the whole step after it: on
// the average half a step late, which counts too.
struct SmallTimeConstants {
    double converter = 0; // the converter's lag beyond one step
    double sensor = 0;    // the loop's sensor lag beyond one step
    double sampling = 0;  // the discrete controller's hold: half a step
    double pulses = 0;    // the thyristor bridge's wait for its next firing
    double innerLoop = 0; // the equivalent lag of the closed inner loop

    double sum() const { return converter + sensor + sampling + pulses + innerLoop; }
};

// The plant a loop was tuned on: from its controller's output to its sensor's reading.
struct LoopModel {
    bool integrating = false; // the plant integrates (speed from current, position from speed)
    double plantGain = 0;     // static gain, or the integration rate (1/s) of an integrating plant
    double plantTime = 0;     // s, the large lag the controller cancels (armature), else 0
    SmallTimeConstants small; // lumped into small.sum()
};

// One loop's settings and how they were found.
struct LoopTuning {
    Loop loop = Loop::Current;
    Optimum optimum = Optimum::Modulus;
    OptimumReason reason = OptimumReason::ArmatureLag;
    LoopModel model;
    double gain = 0;           // KpI, Kpw or Kpf
    double integralTime = 0;   // TpIint, Tpwint or Tpfint; 0 for no integral action
    double derivativeTime = 0; // TpIdif, Tpwdif or Tpfdif
    double compensator = 0;    // Kk, set with the position loop only
};

// The tuner's answer: every loop that runs, innermost first, or why it cannot tune.
struct CascadeTuning {
    std::vector<LoopTuning> loops;
    std::optional<TuningRefusal> refusal;

    bool tuned() const { return !refusal; }
    const LoopTuning* find(Loop loop) const;
};

// Tunes the cascade of the collected parameter set loop by loop, from the inside out: the
// current loop on the modulus optimum, the speed loop on the symmetric optimum under a static
// load, a position loop and a speed loop without load or serving a position loop on the modulus
// optimum. Where the reference step meets the current limit, the speed loop's integral and the
// position loop's gain are held to what the limit allows (see OptimumReason). The settings are
// in the controller's own units: its output is a speed at the mechanism shaft, its integral
// coefficient is gain * step / integration time on the error sum of the steps before, its
// derivative gain * differentiation time / step on the error's change. Sensor gains and lags and
// the limits stay as given; a position loop switches the compensator off.
CascadeTuning TuneCascade(const ModelParams& collected);

// A model-file key and its value.
struct ModelKey {
    std::string key;
    double value = 0;
};

// The keys a tuning sets, innermost loop first: three per loop (gain, integration and
// differentiation time), and Kk after the position loop's; none when it refused.
std::vector<ModelKey> TunedKeys(const CascadeTuning& tuning);

// Writes the tuned keys into the parameter set; a refused tuning changes nothing.
void ApplyTuning(const CascadeTuning& tuning, ModelParams& params);

} // namespace kinetra
