#pragma once

#include <cstdint>

#include "SimulationRecord.h"

namespace kinetra {

// The supply models a motor runs on, numbered as the drive's kinds select them.
enum class SupplyModel : std::int32_t {
    Mains = 0,          // DC motor on the mains, or with no converter selected
    Transistor = 1,     // DC motor on a transistor converter
    Thyristor = 2,      // DC motor on a thyristor converter
    SineMains = 3,      // induction motor on the mains, or with no converter selected
    SineTransistor = 4, // induction motor on a transistor converter
    SineThyristor = 5,  // induction motor on a thyristor converter
    Controlled = 6,     // induction motor under a controller, driven like a DC motor
    FieldOriented = 7,  // servomotor on a transistor converter, voltages in the rotor's d-q frame
};

// True for the models that drive a DC-like machine: a field held at a constant current and an
// armature fed with a DC voltage. The others feed the stator with a rotating voltage vector.
constexpr bool IsDcLike(SupplyModel model)
{
    switch (model) {
    case SupplyModel::Mains:
    case SupplyModel::Transistor:
    case SupplyModel::Thyristor:
    case SupplyModel::Controlled:
        return true;
    case SupplyModel::SineMains:
    case SupplyModel::SineTransistor:
    case SupplyModel::SineThyristor:
    case SupplyModel::FieldOriented:
        return false;
    }
    return false;
}

// True for the sinusoidal supplies of the induction motor.
constexpr bool IsSine(SupplyModel model)
{
    return model == SupplyModel::SineMains || model == SupplyModel::SineTransistor ||
           model == SupplyModel::SineThyristor;
}

// The supply block of a motor: its model and the angular frequency of its sine (rad/s), which the
// sinusoidal supplies and the thyristor converter set.
struct Supply {
    SupplyModel model = SupplyModel::Mains;
    double omega = 0;
};

// The winding voltages the supply applies: first winding (stator or DC field) and second winding
// (rotor or DC armature), each on axes a and b.
struct SupplyVoltages {
    double u1a = 0, u1b = 0, u2a = 0, u2b = 0;
};

// Initialises the supply before the first step and sets the voltages of time 0: the sinusoidal
// supplies set their frequency, the thyristor converter its network frequency, base current and
// pulses.
void StartSupply(Supply& supply, SupplyVoltages& u, SimulationRecord& record);

// Sets the voltages that hold through a sample interval: the field of the DC-like models and,
// for the mains and the transistor converter, the armature's. The transistor converter caps
// run.supplyVoltage at its output range here. The voltages that change within the interval (the
// sine, the thyristor bridge's pulses, the servomotor's d-q voltages) are the integrator's to
// evaluate at each stage's time; here they are left at zero.
void SupplyOutput(const Supply& supply, SupplyVoltages& u, SimulationRecord& record);

// The amplitude of the stator voltage vector of the sinusoidal supplies: sqrt(2) times the rms
// voltage. The vector turns at supply.omega and lies on axis a at time 0.
double SineAmplitude(const RunData& run);

// The thyristor converter: m0 pulses per period of a 50 Hz network. Pulse k runs from k times the
// pulse duration 2 halfPulseAngle / omega to the next; when it starts, the next thyristor fires at
// the angle the command in effect asks for, and the bridge puts out the segment of the network
// sine of amplitude peakVoltage centred on that firing angle. Its mean over a whole pulse is
// (U0 + 0.001) times the relative voltage. The firing instants are fixed by the network; only
// the segment changes with the command.

// The time at which the next thyristor fires, s.
double NextFiring(const RunData& run);

// Fires every thyristor due by time, at the firing angle whose cosine is the relative voltage the
// command run.supplyVoltage asks for, and leaves the angle behind in run.firingMargin. A command
// holds through a sample, so the pulses of one call all fire alike.
void FireThyristorsUpTo(double time, const ModelParams& params, RunData& run);

// The angle of the network sine that the bridge puts out at time t, within the pulse of the last
// firing; the bridge's voltage is peakVoltage times its cosine.
double BridgeAngle(const RunData& run, double time);

// The voltage amplitude the field-oriented converter can apply: its rms output voltage U0 (the
// motor's U when no converter voltage is given) as a vector amplitude.
double FieldOrientedVoltageLimit(const ModelParams& params);

// What the field-oriented converter measures at the start of a regulation period: the stator
// currents on the rotor's d and q axes (A, amplitudes), the electrical rotor speed (rad/s), and
// the synchronous inductance it decouples the axes with (H).
struct StatorFeedback {
    double id = 0, iq = 0;
    double we = 0;
    double inductance = 0;
};

// Sets the servomotor's voltages in the rotor's frame for one regulation period of the servo
// amplifier, which regulates the stator currents far faster than the cascade samples: u1a on the
// d axis, u1b on the q axis. Without a controller the converter commutates the full voltage onto
// the q axis. Under a controller the q axis gets the commanded voltage, and the d axis a deadbeat
// regulator that brings the d current to zero within the period, decoupled from the q current;
// the d axis has the first claim on the voltage limit, the q axis gets what remains. A command
// beyond the limit is written back capped, as the transistor converter caps its own.
void SupplyFieldOriented(SupplyVoltages& u, const StatorFeedback& stator, double period,
                         SimulationRecord& record);

} // namespace kinetra
