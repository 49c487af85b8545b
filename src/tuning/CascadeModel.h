#pragma once

#include <optional>
#include <vector>

#include "ModelParams.h"
#include "TuningCodes.h"

namespace kinetra {

// The drive as its cascade sees it: one linear plant from the controller's output to the measured
// current (or torque) and speed, derived from the data the way the engine derives its circuit.
// Every DC-like drive (a DC motor on either converter, the induction motor under the controller
// with its field held at the rated current) and the servomotor on its q axis share its form:
//   inductance di/dt = voltagePerCommand * command - resistance * i - emfPerSpeed * speed
//   inertia d(speed)/dt = torquePerCurrent * i - load
// with speed the motor's mechanical speed, rad/s, and the mechanism's speed speed / gearRatio.
struct DrivePlant {
    double timeStep = 0;          // s, the controller's sampling period
    double voltagePerCommand = 0; // V of the circuit per unit of controller output
    double resistance = 0;        // ohm, the armature circuit or the servomotor's stator
    double inductance = 0;        // H, the same circuit's
    double emfPerSpeed = 0;       // V per rad/s of motor speed
    double torquePerCurrent = 0;  // Nm per A of the circuit's current
    double readingPerCurrent = 0; // the current loop's reading (current or torque) per A
    double inertia = 0;           // kg m2, motor and mechanism at the motor shaft
    double gearRatio = 1;         // ii
    double loadTorque = 0;        // Nm at the motor shaft, the static load
    double voltageLimit = 0;      // V, the largest voltage the converter puts out

    double armatureTime() const { return inductance / resistance; }
    // The electromechanical time constant: inertia * resistance / (emf * torque constants).
    double mechanicalTime() const;
};

// One loop's controller and sensor as the engine runs it: a loop it switches on for an outer one
// has gain 1, and a sensor lag below one step is raised to the step.
struct LoopSettings {
    Loop loop = Loop::Current;
    double gain = 0;           // KpI, Kpw or Kpf
    double integralTime = 0;   // TpIint, Tpwint or Tpfint; below one step: no integral action
    double derivativeTime = 0; // TpIdif, Tpwdif or Tpfdif
    double sensorGain = 0;     // KI, Kw or Kf
    double sensorTime = 0;     // TI, Tw or Tf, at least one step
    double limit = 0;          // the limit of the loop's reference: Imax, wmax or fmax (0: none)
};

// Why a model gives no cascade, and the loop it concerns when it concerns one.
struct TuningRefusal {
    Refusal code = Refusal::NoMotor;
    std::optional<Loop> loop;
};

// The cascade of one model: its plant, its converter lag and the loops the engine runs.
struct CascadeModel {
    DrivePlant plant;
    double converterTime = 0;        // s, T0 raised to one step
    double pulseDeadTime = 0;        // s, the thyristor bridge's mean wait for its next firing
    std::vector<LoopSettings> loops; // the loops that run, innermost first
    bool torqueFeedback = false;     // the current loop reads the torque (a torque reference)
    std::vector<Caveat> caveats;     // what the data alone say the linear model leaves out

    const LoopSettings* find(Loop loop) const;
    Loop outermost() const { return loops.back().loop; }
};

// A cascade, or why the model has none.
struct CascadeModelResult {
    std::optional<CascadeModel> model;
    std::optional<TuningRefusal> refusal;
};

// The cascade of the collected parameter set, with the engine's defaults applied to a copy (the
// set itself is not changed).
CascadeModelResult CascadeModelOf(const ModelParams& collected);

} // namespace kinetra
