#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "PhysicalReach.h"

namespace kinetra {

// The result buffer holds at most this many samples; it is also the length of a signal series.
inline constexpr int ResultCapacity = 10000;

// One result sample per integration step.
struct ResultSample {
    double time = 0;       // s, index times the time step
    double torque = 0;     // Nm, electromagnetic torque of the motor
    double mechSpeed = 0;  // rad/s, mechanism shaft (after the gear)
    double current = 0;    // A, armature current or stator current magnitude
    double motorSpeed = 0; // rad/s, motor shaft; only with an elastic transmission
};

// The series that shapes a variable load or reference: element i is read at step i.
using SignalSeries = std::array<double, ResultCapacity>;

// A series of 1.0 everywhere: a variable load or reference that equals the constant one.
SignalSeries UnitSignal();

// The cascade controller's memory, carried in extended precision between steps.
struct ControllerMemory {
    long double posRef = 0, posRefPrev = 0, speedRef = 0, torqueRef = 0;
    long double ctrlOut = 0, ctrlOutPrev = 0;
    long double posErrPrev = 0, speedErrPrev = 0, torqueErrPrev = 0;
    long double posErr = 0, speedErr = 0, torqueErr = 0;
    long double posErrSum = 0, speedErrSum = 0, torqueErrSum = 0;
    long double position = 0, posFeedback = 0, speedFeedback = 0, torqueFeedback = 0;
};

// Per-run coefficients of the controller's discrete loops, sensors and converter lag.
struct ControllerCoefficients {
    double convPole = 0, convGain = 0;
    double sensIPole = 0, sensIGain = 0, intI = 0, difI = 0;
    double sensWPole = 0, sensWGain = 0, intW = 0, difW = 0;
    double sensFPole = 0, sensFGain = 0, intF = 0, difF = 0, compF = 0;
};

// The thyristor converter's pulses: the number of the one running (-1 before the first firing),
// the firing angle it started with (rad) and the duration of a pulse (s).
struct ThyristorPulses {
    double pulse = -1;
    double firingAngle = 0;
    double pulseDuration = 0;
};

// The energy a run took from its supply and where it went, J: into the windings' resistances,
// the load (friction included), an elastic transmission's spring and damper, and what the
// windings' magnetic fields and the rotating masses hold at the run's end. The run starts at rest
// with nothing stored, so in a sound run the energy in equals the rest.
struct EnergyAccount {
    double energyIn = 0;
    double copperLoss = 0;
    double loadWork = 0;
    double transmissionWork = 0;
    double magnetic = 0;
    double kinetic = 0;

    // The balance's residual relative to its larger side; 0 when nothing flowed.
    double balanceError() const;
};

// Everything the engine keeps between the steps of a run and after it. One instance lives for
// the whole program beside ModelParams; every run sets what it reads before reading it.
struct RunData {
    ControllerMemory memory;

    double fieldCurrent = 0;
    double shortCircuitReactance = 0;

    double invMachineConstant = 0;
    double converterGain = 0;
    double syncSpeed = 0;
    double supplyVoltage = 0;
    double supplyFrequency = 0;
    double loadTorque = 0;
    double loadInertia = 0;
    double stiffness = 0;
    double damping = 0;
    double halfPulseAngle = 0;
    double peakVoltage = 0;
    double firingMargin = 0;
    double baseCurrent = 0;
    double timeStep = 0;

    std::array<ResultSample, ResultCapacity> samples{};
    std::int32_t SampleCount = 0;
    // rad, the mechanism's position beside each sample; recorded only while the position loop
    // runs, 0 otherwise.
    std::array<double, ResultCapacity> positions{};

    bool loopI = false;
    bool loopW = false;
    bool loopF = false;
    bool controllerActive = false;

    ControllerCoefficients coefficients;
    ThyristorPulses thyristor;

    // The equal sub-steps each sample was integrated in.
    std::int32_t subSteps = 0;
    // What the drive can physically reach; the run ends where it passes it.
    PhysicalReach reach;
    EnergyAccount energy;
    // Where the run left what the drive can physically reach, when it did.
    std::optional<RunDivergence> divergence;
};

} // namespace kinetra
