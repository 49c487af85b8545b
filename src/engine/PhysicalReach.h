#pragma once

#include <optional>

namespace kinetra {

// What a drive can physically reach, derived from its own data: no current, speed or stored
// energy of a sound run comes near these, while a run whose integration or whose controller ran
// away passes them within milliseconds.
//
// With U the largest voltage the supply can apply to the motor's circuit, R that circuit's
// resistance, ke its back EMF and kt its torque per ampere:
// - speed: the highest no-load speed U / ke any supply voltage allows, raised by the speed at which
//   the heaviest load the run can see drives the motor as a generator (+ R M / (kt ke)); an
//   induction motor's synchronous speed, or under an active load the speed of its breakdown
//   torque as a generator. An active load beyond that torque overhauls the motor without bound:
//   the energy bound holds it instead.
// - current: the short-circuit current of the supply against the back EMF of that speed,
//   (U + ke w) / R; an induction motor's stator current 2 U / R1.
// - stored energy: the supply's largest power U times that current, over the time so far, and
//   the work the load could have done at the highest speed seen so far.
// A run passes them when a value exceeds twice its reach.
struct PhysicalReach {
    double current = 0;     // A, largest magnitude of any winding current
    double motorSpeed = 0;  // rad/s at the motor shaft; infinite where the energy bound holds it
    double supplyPower = 0; // W, the most the supply can deliver
    double loadTorque = 0;  // Nm at the motor shaft, the largest the load can apply
};

// The reach of a machine with a back EMF proportional to its speed (the DC motors, the
// induction motor under a controller, the servomotor): its largest supply voltage (V), circuit
// resistance (ohm), back EMF per mechanical rad/s (V s), torque per ampere (Nm/A), the heaviest
// load torque at its shaft (Nm) and its electrical power per product of voltage and current.
PhysicalReach MachineReach(double voltage, double resistance, double emfPerSpeed,
                           double torquePerAmpere, double loadTorque, double powerScale);

// An induction motor on a sinusoidal supply, by its simplified equivalent circuit.
struct InductionCircuit {
    double voltage;          // V, rms phase voltage
    double statorResistance; // ohm, R1s
    double rotorResistance;  // ohm, R2s
    double reactance;        // ohm, the short-circuit reactance
    double phases;           // m1
    double syncSpeed;        // rad/s at the motor shaft
    double powerScale;       // electrical power per product of voltage and current amplitudes
};

// The reach of an induction motor. overhauled says that an active load of the given torque (Nm at
// the motor shaft) may drive it beyond the synchronous speed.
PhysicalReach InductionReach(const InductionCircuit& motor, double loadTorque, bool overhauled);

// How many times its reach a value may come to before the run counts as diverged.
inline constexpr double ReachMargin = 2;

// The quantity that left the drive's reach.
enum class ReachQuantity { Current, Speed, StoredEnergy };

// Where a run left what the drive can physically reach: the quantity, the time of the first
// sample beyond it, the value there and the reach it passed (A, rad/s at the motor shaft, J).
struct RunDivergence {
    ReachQuantity quantity = ReachQuantity::Current;
    double time = 0;
    double value = 0;
    double reach = 0;
};

// Watches a run sample by sample against the drive's reach.
class ReachWatch {
public:
    explicit ReachWatch(const PhysicalReach& reach) : m_reach(reach) {}

    // The sample at time, with its largest winding current, the motor's speed (rad/s at the
    // motor shaft), the speed the load moves at (the same, or the mechanism's on an elastic
    // transmission) and the energy stored in the windings, masses and transmission (J). Gives
    // what passed the reach, if anything did.
    std::optional<RunDivergence> check(double time, double current, double motorSpeed,
                                       double loadSpeed, double storedEnergy);

private:
    PhysicalReach m_reach;
    double m_fastestLoad = 0;
    double m_lastTime = 0;
    double m_loadWorkReach = 0;
};

} // namespace kinetra
