#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <tuple>

#include "Load.h"
#include "Supply.h"

namespace kinetra {

// The electrical equations a supply model drives: a DC-like machine (a field held at a constant
// current and an armature) on a supply that conducts both ways or on a thyristor bridge that
// conducts one way only, the induction motor's two windings under a rotating voltage, or the
// servomotor's stator in the rotor's frame.
enum class VMotorCircuit { DcLike, Rectified, Rotating, Synchronous };

// The circuit a supply model drives.
constexpr VMotorCircuit CircuitOf(SupplyModel model)
{
    if (model == SupplyModel::FieldOriented)
        return VMotorCircuit::Synchronous;
    if (model == SupplyModel::Thyristor)
        return VMotorCircuit::Rectified;
    return IsDcLike(model) ? VMotorCircuit::DcLike : VMotorCircuit::Rotating;
}

constexpr bool IsDcLike(VMotorCircuit circuit)
{
    return circuit == VMotorCircuit::DcLike || circuit == VMotorCircuit::Rectified;
}

// What the integration carries from step to step: the seven state variables of the drive
// (currents 0..3: stator a, b or field; rotor a, b or armature; the servomotor's stator d, q and
// two unused; electrical rotor speed 4; transmission torque 5; mechanism speed 6, mechanical
// rad/s at the motor shaft), then the run's energy flows so far, integrated with the states so
// that their balance closes to the integration's own accuracy.
namespace StateIndex {
inline constexpr std::size_t Speed = 4;
inline constexpr std::size_t ShaftTorque = 5;
inline constexpr std::size_t MechanismSpeed = 6;
inline constexpr std::size_t DriveStates = 7;
inline constexpr std::size_t EnergyIn = 7;          // J, electrical energy into the windings
inline constexpr std::size_t CopperLoss = 8;        // J, lost in the windings' resistances
inline constexpr std::size_t LoadWork = 9;          // J, done on the load (friction included)
inline constexpr std::size_t TransmissionWork = 10; // J, taken up by an elastic transmission
inline constexpr std::size_t Count = 11;
} // namespace StateIndex

using DriveState = std::array<double, StateIndex::Count>;

// What the equations read during a run, gathered once before the first step so a step finds them
// on its own stack.
struct Equations {
    double a1, a2, a3, a4, a5, a6; // first winding's equations
    double b1, b2, b3, b4, b5, b6; // second winding's equations
    double kM;                     // torque coefficient
    double kJ, kJm;                // speed gains of the rigid drive and of the motor alone
    double p1;                     // pole pairs
    double fieldCurrent;           // the field current a DC-like drive holds in state 1
    double stiffness, damping;     // of the transmission, referred to the motor shaft
    double mechanismInertia;       // of the mechanism on an elastic transmission
    double R1s, R2s;               // the windings' total resistances, ohm
    double L1s, L2s, Lms;          // the windings' total and mutual inductances, H
    double powerScale;             // electrical power per product of voltage and current
};

// Each state is kept within this range, so that an unstable model saturates instead of
// overflowing.
inline constexpr double StateLimit = 10000;

// The electromagnetic torque of a state.
template <VMotorCircuit circuit>
[[gnu::always_inline]] inline double ElectromagneticTorque(const Equations& e, const DriveState& Y)
{
    if constexpr (circuit == VMotorCircuit::Synchronous)
        return e.kM * Y[1];
    else if constexpr (IsDcLike(circuit))
        return e.kM * (e.fieldCurrent * Y[2] - Y[0] * Y[3]);
    else
        return e.kM * (Y[1] * Y[2] - Y[0] * Y[3]);
}

// Fills the current rates D[0..3] and the electrical energy flows, and gives the electromagnetic
// torque.
template <VMotorCircuit circuit>
[[gnu::always_inline]] inline double ElectricalRates(const Equations& e, const SupplyVoltages& u,
                                                     const DriveState& Y, DriveState& D)
{
    using enum VMotorCircuit;
    namespace S = StateIndex;
    const auto [a1, a2, a3, a4, a5, a6] = std::tie(e.a1, e.a2, e.a3, e.a4, e.a5, e.a6);
    const auto [b1, b2, b3, b4, b5, b6] = std::tie(e.b1, e.b2, e.b3, e.b4, e.b5, e.b6);
    const double we = Y[4];
    const double f = e.powerScale;
    if constexpr (circuit == Synchronous) {
        // The servomotor's stator in the rotor's frame: d current 0, q current 1.
        D[0] = a2 * u.u1a - a3 * Y[0] + we * Y[1];
        D[1] = a2 * u.u1b - a3 * Y[1] - we * Y[0] - a4 * we;
        D[2] = 0;
        D[3] = 0;
        D[S::EnergyIn] = f * (u.u1a * Y[0] + u.u1b * Y[1]);
        D[S::CopperLoss] = f * e.R1s * (Y[0] * Y[0] + Y[1] * Y[1]);
        return e.kM * Y[1];
    }
    if constexpr (IsDcLike(circuit)) {
        D[0] = 0;
        D[1] = 0;
        D[3] = 0;
    } else {
        D[0] = -a1 * u.u2a + a2 * u.u1a - a3 * Y[0] + a4 * Y[2] + a5 * we * Y[1] + a6 * we * Y[3];
        D[1] = -a1 * u.u2b + a2 * u.u1b - a3 * Y[1] + a4 * Y[3] - a5 * we * Y[0] - a6 * we * Y[2];
        D[3] = b1 * u.u2b - b2 * u.u1b + b3 * Y[1] - b4 * Y[3] + b5 * we * Y[0] + b6 * we * Y[2];
    }
    D[2] = b1 * u.u2a - b2 * u.u1a + b3 * Y[0] - b4 * Y[2] - b5 * we * Y[1] - b6 * we * Y[3];
    // A thyristor bridge carries no current backwards: at zero current it blocks while its
    // voltage stays below the back EMF.
    if constexpr (circuit == Rectified) {
        if (Y[2] == 0 && D[2] < 0)
            D[2] = 0;
    }
    if constexpr (IsDcLike(circuit)) {
        // The field is held at its current and leaves the balance; the armature's circuit is
        // what the supply feeds.
        D[S::EnergyIn] = f * u.u2a * Y[2];
        D[S::CopperLoss] = f * e.R2s * Y[2] * Y[2];
    } else {
        D[S::EnergyIn] = f * (u.u1a * Y[0] + u.u1b * Y[1] + u.u2a * Y[2] + u.u2b * Y[3]);
        D[S::CopperLoss] =
            f * (e.R1s * (Y[0] * Y[0] + Y[1] * Y[1]) + e.R2s * (Y[2] * Y[2] + Y[3] * Y[3]));
    }
    return e.kM * (Y[1] * Y[2] - Y[0] * Y[3]);
}

// Fills D[4..6] and the mechanical energy flows; gives the load torque. On an elastic
// transmission state 5 is the shaft torque; its rate uses the mechanism's acceleration D[6] of
// the previous evaluation, so the order of the lines matters. The load acts on the mechanism, so
// on an elastic transmission it follows the mechanism's speed.
template <bool Elastic>
[[gnu::always_inline]] inline double MechanicalRates(const Equations& e, const LoadLaw& law,
                                                     const DriveState& Y, DriveState& D,
                                                     double torque)
{
    namespace S = StateIndex;
    const double p1 = e.p1;
    if constexpr (!Elastic) {
        const double load = LoadAt(law, Y[4], torque);
        D[4] = (torque - load) * e.kJ;
        D[6] = D[4] / p1;
        D[S::LoadWork] = load * (Y[4] / p1);
        return load;
    }
    const double load = LoadAt(law, p1 * Y[6], Y[5]);
    D[4] = (torque - Y[5]) * e.kJm;
    D[5] = (Y[4] / p1 - Y[6]) * e.stiffness + (D[4] / p1 - D[6]) * e.damping;
    D[6] = (Y[5] - load) / e.mechanismInertia;
    D[S::LoadWork] = load * Y[6];
    D[S::TransmissionWork] = Y[5] * (Y[4] / p1 - Y[6]);
    return load;
}

// The rates of the state, compiled once for each shape of drive: limits the trial state in
// place, then computes the rates; gives the load torque.
template <VMotorCircuit circuit, bool Elastic>
[[gnu::always_inline]] inline double Derivatives(const Equations& e, const SupplyVoltages& u,
                                                 const LoadLaw& law, DriveState& Y, DriveState& D)
{
#pragma GCC unroll 7
    for (std::size_t j = 0; j < StateIndex::DriveStates; ++j)
        Y[j] = std::clamp(Y[j], -StateLimit, StateLimit);
    // A DC-like drive holds its field current in state 1 and moves only the armature current.
    if constexpr (IsDcLike(circuit))
        Y[1] = e.fieldCurrent;
    if constexpr (circuit == VMotorCircuit::Rectified)
        Y[2] = std::max(Y[2], 0.0);
    return MechanicalRates<Elastic>(e, law, Y, D, ElectricalRates<circuit>(e, u, Y, D));
}

// The magnetic energy of the windings' currents, J.
template <VMotorCircuit circuit> double MagneticEnergy(const Equations& e, const DriveState& X)
{
    const auto [L1s, L2s, Lms] = std::tie(e.L1s, e.L2s, e.Lms);
    const double f = e.powerScale;
    if constexpr (circuit == VMotorCircuit::Synchronous)
        return f * 0.5 * L1s * (X[0] * X[0] + X[1] * X[1]);
    else if constexpr (IsDcLike(circuit))
        // The armature's equation has the inductance 1 / b1 beside the held field.
        return f * 0.5 * X[2] * X[2] / e.b1;
    else
        return f * 0.5 *
               (L1s * (X[0] * X[0] + X[1] * X[1]) + L2s * (X[2] * X[2] + X[3] * X[3]) +
                2 * Lms * (X[0] * X[2] + X[1] * X[3]));
}

// The speed the load moves at, rad/s at the motor shaft: the motor's own on a rigid transmission,
// the mechanism's on an elastic one.
template <bool Elastic> double LoadSpeed(const Equations& e, const DriveState& X)
{
    if constexpr (Elastic)
        return X[StateIndex::MechanismSpeed];
    else
        return X[StateIndex::Speed] / e.p1;
}

// The kinetic energy of the rotating masses, J.
template <bool Elastic> double KineticEnergy(const Equations& e, const DriveState& X)
{
    const double motorSpeed = X[StateIndex::Speed] / e.p1;
    if constexpr (Elastic) {
        const double mechanismSpeed = X[StateIndex::MechanismSpeed];
        return 0.5 * (e.p1 / e.kJm) * motorSpeed * motorSpeed +
               0.5 * e.mechanismInertia * mechanismSpeed * mechanismSpeed;
    } else {
        return 0.5 * (e.p1 / e.kJ) * motorSpeed * motorSpeed;
    }
}

} // namespace kinetra
