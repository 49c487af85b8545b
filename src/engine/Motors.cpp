#include "Motors.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "Controller.h"
#include "Defaults.h"
#include "RungeKutta.h"
#include "SynchronousCircuit.h"

namespace kinetra {

namespace {

// Each state is kept within this range, so that an unstable model saturates instead of
// overflowing.
constexpr double StateLimit = 10000;

// Inductances, resistances, voltages and speeds the motor classes assume when none is given.
constexpr double DefaultInductance = 0.001;
constexpr double DefaultResistance = 1;
constexpr double DefaultVoltage = 100;
constexpr double DefaultSpeed = 100;

// The number of samples of a run: the run length in steps, truncated and limited to the result
// buffer. The quotient is formed in extended precision, where the stored step (slightly above
// 1 ms) makes a whole number of milliseconds give one sample fewer.
std::int32_t SampleCountFor(double runLength, double timeStep)
{
    const long double steps = static_cast<long double>(runLength) / timeStep;
    if (!(steps > 0))
        return 0;
    if (steps >= ResultCapacity)
        return ResultCapacity;
    return static_cast<std::int32_t>(steps);
}

// The rated speed per volt of back-EMF of a DC motor (rad/s per V, also A per Nm).
double DcInvMachineConstant(const ModelParams& params)
{
    return params.w / (params.U - params.I * params.R2);
}

// The catalogue data every motor class defaults and writes back.
void DefaultRatings(ModelParams& params)
{
    ReplaceUnlessPositive(params.w, DefaultSpeed);
    ReplaceUnlessPositive(params.U, DefaultVoltage);
    ReplaceUnlessPositive(params.p1, 1);
    ReplaceUnlessPositive(params.m1, 1);
}

// The seven state variables or their rates (see VMotor).
using State = std::array<double, 7>;

// What the equations read during the steps of a run, gathered once before the first step so a
// step finds them on its own stack instead of reading them through the records after every
// call to the supply, the load and the controller.
struct Equations {
    double a1, a2, a3, a4, a5, a6; // first winding's equations
    double b1, b2, b3, b4, b5, b6; // second winding's equations
    double kM;                     // torque coefficient
    double kJ, kJm;                // speed gains of the rigid drive and of the motor alone
    double p1;                     // pole pairs
    double fieldCurrent;           // the field current a DC-like drive holds in state 1
    double stiffness, damping;     // of the transmission, referred to the motor shaft
    double mechanismInertia;       // of the mechanism on an elastic transmission
    double timeStep;
};

// A mechanism without inertia of its own is integrated with a tenth of the motor's.
double MechanismInertia(const ModelParams& params, const RunData& run)
{
    return run.loadInertia != 0 ? run.loadInertia : 0.1 * params.J;
}

using Circuit = VMotorCircuit;

// The circuit a supply model drives.
constexpr Circuit CircuitOf(SupplyModel model)
{
    if (model == SupplyModel::FieldOriented)
        return Circuit::Synchronous;
    return IsDcLike(model) ? Circuit::DcLike : Circuit::Rotating;
}

// The rates of the state, compiled once for each shape of drive: a DC-like, rotating or
// synchronous circuit, a rigid or an elastic transmission.
template <Circuit circuit, bool Elastic>
void Derivatives(const Equations& e, const SupplyVoltages& u, double load, State& Y, State& D);
template <Circuit circuit>
double ElectricalRates(const Equations& e, const SupplyVoltages& u, const State& Y, State& D);
template <bool Elastic>
void MechanicalRates(const Equations& e, double load, const State& Y, State& D, double torque);

} // namespace

VMotor::VMotor(SimulationRecord& simulation, SupplyModel supplyModel, LoadKind loadKind)
    : record(simulation), params(simulation.params),
      run(simulation.run), supply{supplyModel, 0}, load{loadKind, 0}
{
    SupplyOutput(supply, u, 0, record);
}

bool VMotor::ParametersDerived(const FloatingPointGuard& guard)
{
    if (!guard.failed())
        return true;
    record.circuitDerived = false;
    return false;
}

void VMotor::ComputeCoefficients()
{
    a1 = Lms / det;
    a2 = L2s / det;
    a3 = R1s * L2s / det;
    a4 = R2s * Lms / det;
    a5 = Lms * Lms / det;
    a6 = Lms * L2s / det;
    b1 = L1s / det;
    b2 = Lms / det;
    b3 = R1s * Lms / det;
    b4 = R2s * L1s / det;
    b5 = Lms * L1s / det;
    b6 = L1s * L2s / det;
    kM = 0.5 * params.m1 * params.p1 * Lms;
    kJ = params.p1 / (params.J + run.loadInertia);
    kJm = params.p1 / params.J;
}

void VMotor::Integrate()
{
    const double J = params.J;
    const double Jl = run.loadInertia;
    elasticTime = params.ElasticGear ? std::sqrt(J * Jl / ((J + Jl) * run.stiffness)) : 0;
    const double runLength = params.Tmax != 0 ? params.Tmax : 4 * (Tm + Te + elasticTime);
    // An error in building the model ends the run before the controller writes its defaults
    // back into the parameters.
    if (FloatingPointGuard::errorRaised())
        return;
    run.SampleCount = SampleCountFor(runLength, run.timeStep);

    run.controllerActive = ControllerSetup(record);
    if (run.controllerActive)
        StartUnderController();

    const bool elastic = params.ElasticGear;
    switch (CircuitOf(supply.model)) {
    case Circuit::DcLike:
        elastic ? IntegrateSteps<Circuit::DcLike, true>()
                : IntegrateSteps<Circuit::DcLike, false>();
        return;
    case Circuit::Rotating:
        elastic ? IntegrateSteps<Circuit::Rotating, true>()
                : IntegrateSteps<Circuit::Rotating, false>();
        return;
    case Circuit::Synchronous:
        elastic ? IntegrateSteps<Circuit::Synchronous, true>()
                : IntegrateSteps<Circuit::Synchronous, false>();
        return;
    }
}

template <Circuit circuit, bool Elastic> void VMotor::IntegrateSteps()
{
    const Equations equations{a1,
                              a2,
                              a3,
                              a4,
                              a5,
                              a6,
                              b1,
                              b2,
                              b3,
                              b4,
                              b5,
                              b6,
                              kM,
                              kJ,
                              kJm,
                              params.p1,
                              run.fieldCurrent,
                              run.stiffness,
                              run.damping,
                              MechanismInertia(params, run),
                              run.timeStep};
    State X{}; // the state at the start of a step
    State D{}; // the rates; they keep their contents between evaluations
    for (int i = 1; i < run.SampleCount; ++i) {
        if constexpr (circuit == Circuit::Synchronous)
            SupplyFieldOriented(u, {X[0], X[1], X[4], L1s}, record);
        else
            SupplyOutput(supply, u, i, record);
        LoadTorque(load, X[4], i, record);
        // The supply voltages and the load torque stay fixed through the step's four stages. A
        // run is a chain of some 40 000 derivative evaluations, so the rates are inlined.
        RungeKuttaStep(equations.timeStep, X, D, [&](State& Y, State& rates) {
            Derivatives<circuit, Elastic>(equations, u, load.actual, Y, rates);
        });
        StoreSample<circuit, Elastic>(i, X, D);
        if (run.controllerActive)
            ControllerStep(record, i);
    }
}

// A controlled run starts from zero converter voltage; the controller drives an induction
// motor through the DC-like controlled model, and the servomotor through its field-oriented one.
void VMotor::StartUnderController()
{
    run.supplyVoltage = 0;
    run.supplyFrequency = 0;
    if (CircuitOf(supply.model) == Circuit::Rotating)
        supply.model = SupplyModel::Controlled;
}

namespace {

// Limits the trial state in place, then computes the rates.
template <Circuit circuit, bool Elastic>
[[gnu::always_inline]] inline void Derivatives(const Equations& e, const SupplyVoltages& u,
                                               double load, State& Y, State& D)
{
#pragma GCC unroll 7
    for (double& y : Y)
        y = std::clamp(y, -StateLimit, StateLimit);
    // A DC-like drive holds its field current in state 1 and moves only the armature current.
    if constexpr (circuit == Circuit::DcLike)
        Y[1] = e.fieldCurrent;
    MechanicalRates<Elastic>(e, load, Y, D, ElectricalRates<circuit>(e, u, Y, D));
}

// Fills the current rates D[0..3] and gives the electromagnetic torque.
template <Circuit circuit>
[[gnu::always_inline]] inline double ElectricalRates(const Equations& e, const SupplyVoltages& u,
                                                     const State& Y, State& D)
{
    const auto [a1, a2, a3, a4, a5, a6] = std::tie(e.a1, e.a2, e.a3, e.a4, e.a5, e.a6);
    const auto [b1, b2, b3, b4, b5, b6] = std::tie(e.b1, e.b2, e.b3, e.b4, e.b5, e.b6);
    const double we = Y[4];
    if constexpr (circuit == Circuit::Synchronous) {
        // The servomotor's stator in the rotor's frame: d current 0, q current 1.
        D[0] = a2 * u.u1a - a3 * Y[0] + we * Y[1];
        D[1] = a2 * u.u1b - a3 * Y[1] - we * Y[0] - a4 * we;
        D[2] = 0;
        D[3] = 0;
        return e.kM * Y[1];
    }
    if constexpr (circuit == Circuit::DcLike) {
        D[0] = 0;
        D[1] = 0;
        D[3] = 0;
    } else {
        D[0] = -a1 * u.u2a + a2 * u.u1a - a3 * Y[0] + a4 * Y[2] + a5 * we * Y[1] + a6 * we * Y[3];
        D[1] = -a1 * u.u2b + a2 * u.u1b - a3 * Y[1] + a4 * Y[3] - a5 * we * Y[0] - a6 * we * Y[2];
        D[3] = b1 * u.u2b - b2 * u.u1b + b3 * Y[1] - b4 * Y[3] + b5 * we * Y[0] + b6 * we * Y[2];
    }
    D[2] = b1 * u.u2a - b2 * u.u1a + b3 * Y[0] - b4 * Y[2] - b5 * we * Y[1] - b6 * we * Y[3];
    return e.kM * (Y[1] * Y[2] - Y[0] * Y[3]);
}

// Fills D[4..6]. On an elastic transmission state 5 is the shaft torque; its rate uses the
// mechanism's acceleration D[6] of the previous evaluation, so the order of the lines matters.
template <bool Elastic>
[[gnu::always_inline]] inline void MechanicalRates(const Equations& e, double load, const State& Y,
                                                   State& D, double torque)
{
    const double p1 = e.p1;
    if constexpr (!Elastic) {
        D[4] = (torque - load) * e.kJ;
        D[6] = D[4] / p1;
        return;
    }
    D[4] = (torque - Y[5]) * e.kJm;
    D[5] = (Y[4] / p1 - Y[6]) * e.stiffness + (D[4] / p1 - D[6]) * e.damping;
    D[6] = (Y[5] - load) / e.mechanismInertia;
}

} // namespace

// Either way the torque equals the electromagnetic torque of the fourth stage. The servomotor
// stores the torque of the stored state instead, so that its torque and current belong to the
// same instant: the fourth stage's lies a step's prediction away, which alone would leave its
// energy balance 0.35 % short.
template <Circuit circuit, bool Elastic>
void VMotor::StoreSample(int index, const State& Y, const State& D)
{
    ResultSample& sample = run.samples[index];
    sample.time = index * run.timeStep;
    if constexpr (circuit == Circuit::Synchronous)
        sample.torque = kM * Y[1];
    else if constexpr (Elastic)
        sample.torque = D[4] / kJm + Y[5];
    else
        sample.torque = D[4] / kJ + load.actual;
    if constexpr (Elastic)
        sample.motorSpeed = Y[4] / params.p1;
    sample.mechSpeed = Y[6] / params.ii;
    if constexpr (circuit == Circuit::DcLike)
        sample.current = sample.torque * run.invMachineConstant;
    else if constexpr (circuit == Circuit::Synchronous)
        // The stator current's amplitude, signed like the torque-producing q current, so that a
        // current loop can regulate it through zero as it does a DC armature current.
        sample.current = std::copysign(std::hypot(Y[0], Y[1]), Y[1]);
    else
        sample.current = std::sqrt(Y[0] * Y[0] + Y[1] * Y[1]);
}

VMotorDCEX::VMotorDCEX(SimulationRecord& simulation, SupplyModel supplyModel, LoadKind loadKind)
    : VMotor(simulation, supplyModel, loadKind)
{
    if (!SetParameters() || FloatingPointGuard::errorRaised())
        return;
    ComputeCoefficients();
    Integrate();
}

bool VMotorDCEX::SetParameters()
{
    const double fieldLeakage = PositiveOr(params.L1, DefaultInductance);
    const double armatureLeakage = PositiveOr(params.L2, DefaultInductance);
    ReplaceUnlessPositive(params.R1, DefaultResistance);
    R1s = params.R1 + params.R10;
    ReplaceUnlessPositive(params.R2, DefaultResistance);
    R2s = params.R2 + params.R20;
    ReplaceUnlessPositive(params.U10, DefaultVoltage);
    u.u1b = params.U10;
    run.fieldCurrent = u.u1b / R1s;
    DefaultRatings(params);

    const FloatingPointGuard guard;
    run.invMachineConstant = DcInvMachineConstant(params);
    // The mutual inductance that makes the rated field current give the rated back-EMF.
    Lms = 0.5 * params.m1 * params.R1 / (run.invMachineConstant * params.p1 * params.U10);
    L1s = fieldLeakage + Lms;
    L2s = armatureLeakage + Lms;
    det = L1s * L2s - Lms * Lms;
    Tm = (params.J + run.loadInertia) * R2s * run.invMachineConstant * run.invMachineConstant;
    Te = L2s / R2s;
    return ParametersDerived(guard);
}

VMotorDCPM::VMotorDCPM(SimulationRecord& simulation, SupplyModel supplyModel, LoadKind loadKind)
    : VMotor(simulation, supplyModel, loadKind)
{
    if (!SetParameters() || FloatingPointGuard::errorRaised())
        return;
    Integrate();
}

// Sets the armature coefficients itself; the first winding's do not apply.
bool VMotorDCPM::SetParameters()
{
    ReplaceUnlessPositive(params.R2, DefaultResistance);
    R2s = params.R2 + params.R20;
    ReplaceUnlessPositive(params.L2, DefaultInductance);
    L2s = params.L2 + params.L20;
    DefaultRatings(params);

    const FloatingPointGuard guard;
    const double J = params.J + run.loadInertia;
    run.invMachineConstant = DcInvMachineConstant(params);
    Tm = J * R2s * run.invMachineConstant * run.invMachineConstant;
    Te = L2s / R2s;
    R1s = u.u1b;
    run.fieldCurrent = u.u1b / R1s;
    b1 = 1 / L2s;
    b2 = 0;
    b3 = 0;
    b4 = R2s / L2s;
    b5 = 1 / (L2s * run.invMachineConstant);
    b6 = 0;
    kM = params.m1 * params.p1 / (2 * run.invMachineConstant);
    kJ = params.p1 / J;
    kJm = params.p1 / params.J;
    return ParametersDerived(guard);
}

VMotorACI::VMotorACI(SimulationRecord& simulation, SupplyModel supplyModel, LoadKind loadKind)
    : VMotor(simulation, supplyModel, loadKind)
{
    if (!SetParameters() || FloatingPointGuard::errorRaised())
        return;
    ComputeCoefficients();
    Integrate();
}

// Resistances default without being written back; the leakage inductances or reactances the
// switch UseInductances selects are written back.
bool VMotorACI::SetParameters()
{
    const double omega = supply.omega;
    R1s = params.R1 > 0 ? params.R1 + params.R10 : DefaultResistance;
    R2s = params.R2 > 0 ? params.R2 + params.R20 : DefaultResistance;
    ReplaceUnlessPositive(params.p1, 1);
    ReplaceUnlessPositive(params.m1, 1);

    double statorLeakage = 0;
    double rotorLeakage = 0;
    double magnetising = 0;
    if (params.UseInductances) {
        ReplaceUnlessPositive(params.L1, DefaultInductance);
        ReplaceUnlessPositive(params.L2, DefaultInductance);
        statorLeakage = params.L1;
        rotorLeakage = params.L2;
        magnetising = params.L12 != 0 ? params.L12 : 10 * (params.L1 + params.L2);
    } else {
        ReplaceUnlessPositive(params.X1, DefaultInductance);
        ReplaceUnlessPositive(params.X2, DefaultInductance);
        statorLeakage = params.X1 / omega;
        rotorLeakage = params.X2 / omega;
        magnetising = params.X12 != 0 ? params.X12 / omega : 30 * (statorLeakage + rotorLeakage);
    }
    const double Xk = (statorLeakage + params.L10 + rotorLeakage + params.L20) * omega;
    run.shortCircuitReactance = Xk;
    Lms = 0.5 * params.m1 * magnetising;
    L1s = statorLeakage + params.L10 + Lms;
    L2s = rotorLeakage + params.L20 + Lms;
    det = L1s * L2s - Lms * Lms;

    const FloatingPointGuard guard;
    run.syncSpeed = omega / params.p1;
    const double impedance = std::sqrt(R1s * R1s + Xk * Xk);
    const double breakdownTorque =
        params.m1 * run.supplyVoltage * run.supplyVoltage / (2 * run.syncSpeed * (R1s + impedance));
    Tm = (params.J + run.loadInertia) * run.syncSpeed / breakdownTorque;
    Te = impedance / (run.syncSpeed * R2s);
    run.invMachineConstant = L2s / (Lms * params.p1);
    // Only the controlled model uses it, holding the field at the rated current.
    if (params.I != 0)
        run.fieldCurrent = params.I;
    else
        run.fieldCurrent = params.U != 0 ? 500 * params.P / params.U : 0;
    return ParametersDerived(guard);
}

VMotorPMSM::VMotorPMSM(SimulationRecord& simulation, SupplyModel supplyModel, LoadKind loadKind)
    : VMotor(simulation, supplyModel, loadKind)
{
    if (!SetParameters() || FloatingPointGuard::errorRaised())
        return;
    Integrate();
}

// The stator's resistance and its inductance or reactance (by UseInductances) and the ratings
// default and are written back; the coefficients are set here, the second winding's do not
// apply.
bool VMotorPMSM::SetParameters()
{
    ReplaceUnlessPositive(params.R1, DefaultResistance);
    if (params.UseInductances)
        ReplaceUnlessPositive(params.L1, DefaultInductance);
    else
        ReplaceUnlessPositive(params.X1, DefaultInductance);
    DefaultRatings(params);

    const FloatingPointGuard guard;
    const SynchronousCircuit circuit = SynchronousCircuitOf(params);
    const double psi = circuit.fluxLinkage;
    const double p1 = params.p1;
    const double J = params.J + run.loadInertia;
    R1s = circuit.resistance;
    L1s = circuit.inductance;
    run.invMachineConstant = 1 / (p1 * psi);
    a2 = 1 / L1s;
    a3 = R1s / L1s;
    a4 = psi / L1s;
    kM = circuit.torquePerAmpere();
    kJ = p1 / J;
    kJm = p1 / params.J;
    Tm = J * R1s / (kM * p1 * psi);
    Te = L1s / R1s;
    return ParametersDerived(guard);
}

} // namespace kinetra
