#pragma once

#include "DriveEquations.h"

namespace kinetra {

// The integration keeps the sample of one time step (the result buffer's and the controller's
// cadence) and divides each sample into equal sub-steps, as many as the drive's own dynamics
// need: the fourth-order Runge-Kutta method is accurate to far below what a chart or a figure
// shows while a sub-step times the fastest rate of the drive stays within AccuracyLimit.

// The largest sub-step, as a multiple of the time constant of the fastest rate.
inline constexpr double AccuracyLimit = 0.25;

// The most sub-steps a sample is divided into (a sub-step of a microsecond at the 1 ms sample).
inline constexpr int MaxSubSteps = 1000;

// What sets the pace of a drive's dynamics.
struct DriveRates {
    VMotorCircuit circuit;
    bool elastic;
    // The largest electrical rotor speed the run may reach before it counts as diverged, rad/s.
    double speedReach;
    // The angular frequency of the supply's sine, or of the network a thyristor bridge cuts its
    // pulses from; 0 for a DC supply.
    double inputFrequency;
    // The duration of a thyristor bridge's pulse, s; 0 without a bridge.
    double pulseDuration = 0;
};

// The fastest rate of the drive (1/s): the largest magnitude of the eigenvalues of its
// linearised equations, at rest and at the speed reach, and the frequency of its input; a
// thyristor bridge's pulses ask for sub-steps no longer than a pulse.
double FastestRate(const Equations& equations, const DriveRates& rates);

// The fastest rate of an elastic transmission alone (1/s): its spring and damper against the
// inertias on both ends.
double TransmissionRate(const Equations& equations);

// True when a rate can be resolved within MaxSubSteps sub-steps of a sample of timeStep.
bool Resolvable(double rate, double timeStep);

// The sub-steps per sample of timeStep that keep fastestRate within the accuracy limit; at least
// 1, at most MaxSubSteps.
int SubStepsPerSample(double fastestRate, double timeStep);

} // namespace kinetra
