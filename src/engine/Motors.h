#pragma once

#include "DriveEquations.h"
#include "FloatingPointGuard.h"
#include "Load.h"
#include "PhysicalReach.h"
#include "SimulationRecord.h"
#include "Supply.h"

namespace kinetra {

// The catalogue data every motor class defaults and writes back: rated speed and voltage, p1, m1.
void DefaultRatings(ModelParams& params);

// The rated speed per volt of back-EMF of a DC motor (rad/s per V, also A per Nm).
double DcInvMachineConstant(const ModelParams& params);

// The mutual inductance that makes a separately excited DC motor's rated field current give its
// rated back-EMF.
double DcFieldMutualInductance(const ModelParams& params, double invMachineConstant);

// An induction motor's leakage and magnetising inductances per phase: the inductances, or by
// UseInductances the reactances at the supply's angular frequency omega. The leakages' defaults
// are written back.
struct InductionInductances {
    double statorLeakage = 0;
    double rotorLeakage = 0;
    double magnetising = 0;
};
InductionInductances InductionInductancesOf(ModelParams& params, double omega);

// One drive during one run: the two-axis machine model that the DC and induction motors share,
// fed by its supply, loaded by its mechanism and integrated over time with the fourth-order
// Runge-Kutta method into the result buffer, one sample per time step, each sample in as many
// equal sub-steps as the drive's dynamics need. A derived class only turns the catalogue data
// into circuit parameters; its constructor carries out the whole run. A model therefore lives on
// the stack for one RunSimulation call and is never deleted through a VMotor pointer: the
// destructor is protected and not virtual.
//
// The first winding is the induction motor's stator or a DC motor's field; the second is the
// rotor referred to the stator or the armature.
class VMotor {
public:
    VMotor(const VMotor&) = delete;
    VMotor& operator=(const VMotor&) = delete;

protected:
    using Circuit = VMotorCircuit;

    // Initialises the supply: it sets its frequency or resets the thyristor converter.
    VMotor(SimulationRecord& simulation, SupplyModel supplyModel, LoadKind loadKind);
    ~VMotor() = default;

    // Derives the circuit parameters, writing the defaults it uses back into the parameter set.
    // False, with the record's circuitDerived cleared, when they cannot be derived.
    virtual bool SetParameters() = 0;

    // Ends the guarded part of SetParameters: true when it met no floating-point error.
    bool ParametersDerived(const FloatingPointGuard& guard);

    // The coefficients of both windings' equations from the circuit parameters.
    void ComputeCoefficients();

    // Chooses the run length and the sub-steps and integrates the run into the result buffer.
    void Integrate();

    SimulationRecord& record;
    ModelParams& params;
    RunData& run;

    double elasticTime = 0; // s; 0 for a rigid transmission
    Supply supply;
    Load load;
    // The equations' coefficients and circuit parameters: SetParameters and ComputeCoefficients
    // fill the windings' part, Integrate the rest.
    Equations e{};
    SupplyVoltages u;
    double det = 0;        // L1s * L2s - Lms^2
    double Tm = 0, Te = 0; // electromechanical and electromagnetic time constants, s

private:
    void StartUnderController();
    void CompleteEquations();
    bool ShaftTooStiff() const;
    PhysicalReach Reach() const;
    int SubSteps(bool elastic) const;
    // The steps of a run for one circuit, on a rigid or an elastic transmission; neither
    // changes during the steps.
    template <Circuit circuit, bool Elastic> void IntegrateSteps();
};

// A permanent-magnet synchronous servomotor with surface magnets (equal d and q inductances),
// three-phase, modelled in the rotor's d-q frame with amplitude-invariant quantities: currents
// and voltages are the amplitudes of the phase quantities. It runs only on the transistor
// converter, which orients the stator voltage by the rotor position (SupplyFieldOriented).
// Its magnet flux linkage follows from the rated point, so that the rated current gives the
// rated torque. The first winding's coefficients carry the stator equations:
//   did/dt = a2 ud - a3 id + we iq
//   diq/dt = a2 uq - a3 iq - we id - a4 we
//   torque = kM iq, kM = 1.5 p1 psi.
class VMotorPMSM final : public VMotor {
public:
    VMotorPMSM(SimulationRecord& simulation, SupplyModel supplyModel, LoadKind loadKind);

private:
    bool SetParameters() override;
};

// A DC motor with separate excitation: the field circuit is held at the current that the
// excitation voltage U10 drives through R1 + R10.
class VMotorDCEX final : public VMotor {
public:
    VMotorDCEX(SimulationRecord& simulation, SupplyModel supplyModel, LoadKind loadKind);

private:
    bool SetParameters() override;
};

// A DC motor with permanent magnets: a unit field and the armature circuit alone.
class VMotorDCPM final : public VMotor {
public:
    VMotorDCPM(SimulationRecord& simulation, SupplyModel supplyModel, LoadKind loadKind);

private:
    bool SetParameters() override;
};

// An AC induction motor: the full two-axis model fed with a rotating stator voltage, or under a
// controller a DC-like drive whose field is held at the rated current.
class VMotorACI final : public VMotor {
public:
    VMotorACI(SimulationRecord& simulation, SupplyModel supplyModel, LoadKind loadKind);

private:
    bool SetParameters() override;
};

} // namespace kinetra
