#pragma once

#include "ModelParams.h"

namespace kinetra {

// The servomotor's stator circuit and magnet, as the model and its static characteristic see
// them. Currents and voltages are amplitudes of the phase quantities (amplitude-invariant d-q
// frame), so a three-phase machine's torque is 1.5 p1 psi iq.
struct SynchronousCircuit {
    double resistance;  // R1 + R10, ohm
    double inductance;  // synchronous inductance L1 (or X1 at the converter frequency) + L10, H
    double fluxLinkage; // psi, magnet flux linkage amplitude, Wb
    double polePairs;   // p1

    // Torque per ampere of q current, Nm/A.
    double torquePerAmpere() const { return 1.5 * polePairs * fluxLinkage; }
};

// The circuit from the parameters as a run leaves them. The flux linkage makes the rated current
// I (rms, a vector of amplitude sqrt(2) I on the q axis) give the rated torque 1000 P / w; when
// P or I is not given, it makes the rated voltage U (rms) the back-EMF at the rated speed w.
// A reactance X1 is taken at the converter frequency F0, 50 Hz when none is given.
SynchronousCircuit SynchronousCircuitOf(const ModelParams& params);

} // namespace kinetra
