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

// The supply block of a motor: its model and the angular frequency of its sine (rad/s), which the
// sinusoidal supplies and the thyristor converter set.
struct Supply {
    SupplyModel model = SupplyModel::Mains;
    double omega = 0;
};

// The winding voltages the supply applies during one step: first winding (stator or DC field)
// and second winding (rotor or DC armature), each on axes a and b.
struct SupplyVoltages {
    double u1a = 0, u1b = 0, u2a = 0, u2b = 0;
};

// Sets the winding voltages for step index, at time index * timeStep. Step 0 initialises the
// supply: the sinusoidal supplies set their frequency, the thyristor converter resets its phase
// state and its base current. The transistor converter caps run.supplyVoltage at its output
// range; the thyristor converter leaves its last firing behind in run.firingMargin.
// The field-oriented model applies nothing here: it needs the stator's state (see below).
void SupplyOutput(Supply& supply, SupplyVoltages& u, int index, SimulationRecord& record);

// What the field-oriented converter measures at the start of a step: the stator currents on the
// rotor's d and q axes (A, amplitudes), the electrical rotor speed (rad/s), and the synchronous
// inductance it decouples the axes with (H).
struct StatorFeedback {
    double id = 0, iq = 0;
    double we = 0;
    double inductance = 0;
};

// The voltage amplitude the field-oriented converter can apply: its rms output voltage U0 (the
// motor's U when no converter voltage is given) as a vector amplitude.
double FieldOrientedVoltageLimit(const ModelParams& params);

// Sets the servomotor's voltages in the rotor's frame for one step: u1a on the d axis, u1b on
// the q axis. Without a controller the converter commutates the full voltage onto the q axis.
// Under a controller the q axis gets the commanded voltage, and the d axis a deadbeat regulator
// that holds the d current at zero, decoupled from the q current; the d axis has the first claim
// on the voltage limit, the q axis gets what remains. A command beyond the limit is written back
// capped, as the transistor converter caps its own.
void SupplyFieldOriented(SupplyVoltages& u, const StatorFeedback& stator, SimulationRecord& record);

} // namespace kinetra
