#pragma once

#include <cstdint>
#include <string_view>

namespace kinetra {

// The codes the tuner and the loop analysis answer with. They are stable numbers: the window maps
// them through its own translations, kinetra-sim prints RussianText of them, and neither ever
// parses a finished sentence. New codes are appended; a code never changes its meaning.

// The loops of the cascade, innermost first. Current covers the torque loop too: the same loop
// feeds back the torque when the reference is a torque (Mref).
enum class Loop : std::int32_t { Current = 0, Speed = 1, Position = 2 };

// The standard settings a loop is tuned to.
enum class Optimum : std::int32_t {
    // Modulus (technical) optimum: the open loop 1 / (2 Tsum s (1 + Tsum s)); about 4.3 %
    // overshoot and 63 to 65 degrees of phase margin.
    Modulus = 0,
    // Symmetric optimum: the open loop (1 + 4 Tsum s) / (8 Tsum^2 s^2 (1 + Tsum s)); about 37
    // degrees of phase margin, no steady error under a constant load.
    Symmetric = 1,
};

// Why a loop got its optimum and its controller form.
enum class OptimumReason : std::int32_t {
    // The current loop's plant is the armature's lag: a PI controller whose integration time
    // cancels the armature time constant, modulus optimum on the lumped small time constants.
    ArmatureLag = 0,
    // The armature time constant is shorter than one step, which the discrete integral cannot
    // cancel: an integral controller alone on the lumped small time constants.
    ArmatureFasterThanStep = 1,
    // A static load acts on the speed loop's integrating plant: a PI controller on the symmetric
    // optimum removes the steady error the load would leave.
    LoadNeedsIntegral = 2,
    // No static load acts on the speed loop's integrating plant: a proportional controller on the
    // modulus optimum leaves no steady error and no overshoot.
    NoLoadTorque = 3,
    // The speed loop serves a position loop: a proportional controller on the modulus optimum,
    // so that the speed neither overshoots nor winds up while the position loop brakes.
    ServesPositionLoop = 4,
    // The position loop's plant integrates the speed: a proportional controller on the modulus
    // optimum, the compensator off so that the drive stops at the end of the reference's ramp
    // without passing it.
    PositionIntegrates = 5,
    // As LoadNeedsIntegral, but the reference step drives the current to its limit: the
    // controller has no anti-windup, so the integration time is lengthened until the integral
    // gathered during the acceleration holds just the load, and the speed arrives without
    // overshoot.
    LimitWindsUpIntegral = 6,
    // As PositionIntegrates, but the current limit cannot brake the drive from the reference's
    // speed within the distance the modulus optimum's gain leaves: the gain is lowered until it
    // can, and the drive stops without reversing.
    BrakingLimitsGain = 7,
};

// Why the tuner or the loop analysis cannot handle a model. When the tuner refuses, it changes
// no key.
enum class Refusal : std::int32_t {
    NoMotor = 0,            // no motor chosen, or a kind outside the lists
    MotorNotRunnable = 1,   // the engine refuses the motor's data or its supply
    NoConverter = 2,        // the mains or no supply: no controller closes the drive
    NoConverterVoltage = 3, // U0 or F0 is 0: no controller closes the drive
    NoReference = 4,        // wref, Mref and Iref are all 0: no controller closes the drive
    NoLoopSwitchedOn = 5,   // Kpf, Kpw and KpI are all 0
    NoSensorGain = 6,       // a loop that runs has sensor gain 0, so it is never closed
    CircuitNotDerived = 7,  // the motor's circuit cannot be derived from its data
    PlantNotDerived = 8,    // a loop's plant gain or time constant is zero or not finite
};

// Why a loop's linear model describes the engine's run poorly, beside its margins.
enum class Caveat : std::int32_t {
    ThyristorPulses = 0,     // the bridge fires only at its pulses: a dead time of its own
    OneWayConduction = 1,    // the bridge carries no current backwards: the plant changes at 0 A
    LimitReached = 2,        // a controller limit or the converter's voltage was reached
    ElasticTransmission = 3, // the model takes the transmission as rigid
    Backlash = 4,            // the gear's dead band gi is outside the linear model
    LargeDeviation = 5,      // the linear step and the engine's differ by more than 5 %
};

// The Russian text of each code, UTF-8, for the command line (the window translates the codes
// itself).
std::string_view RussianText(Loop loop);
std::string_view RussianText(Optimum optimum);
std::string_view RussianText(OptimumReason reason);
std::string_view RussianText(Refusal refusal);
std::string_view RussianText(Caveat caveat);

// The short Latin tag of a loop in keys and column names: "I", "W", "F".
std::string_view LoopTag(Loop loop);

} // namespace kinetra
