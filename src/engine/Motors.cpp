#include "Motors.h"

#include <algorithm>
#include <cmath>

#include "Controller.h"
#include "Defaults.h"
#include "DriveIntegrator.h"
#include "SubSteps.h"
#include "SynchronousCircuit.h"

namespace kinetra {

namespace {

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

// A mechanism without inertia of its own is integrated with a tenth of the motor's.
double MechanismInertia(const ModelParams& params, const RunData& run)
{
    return run.loadInertia != 0 ? run.loadInertia : 0.1 * params.J;
}

// The largest magnitude the signal series scales a variable load by over a run.
double LargestShape(const SimulationRecord& record)
{
    double largest = 0;
    for (std::int32_t i = 1; i < record.run.SampleCount; ++i)
        largest = std::max(largest, std::abs(record.signal[i]));
    return largest;
}

using Circuit = VMotorCircuit;

} // namespace

VMotor::VMotor(SimulationRecord& simulation, SupplyModel supplyModel, LoadKind loadKind)
    : record(simulation), params(simulation.params),
      run(simulation.run), supply{supplyModel, 0}, load{loadKind, 0}
{
    StartSupply(supply, u, record);
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

    Equations equations = RunEquations();
    const bool elastic = params.ElasticGear && !ShaftTooStiff(equations);
    if (params.ElasticGear && !elastic)
        equations.kJ = params.p1 / (params.J + equations.mechanismInertia);
    run.reach = Reach(equations);
    run.subSteps = SubSteps(equations, run.reach, elastic);
    switch (CircuitOf(supply.model)) {
    case Circuit::DcLike:
        elastic ? IntegrateSteps<Circuit::DcLike, true>(equations)
                : IntegrateSteps<Circuit::DcLike, false>(equations);
        return;
    case Circuit::Rectified:
        elastic ? IntegrateSteps<Circuit::Rectified, true>(equations)
                : IntegrateSteps<Circuit::Rectified, false>(equations);
        return;
    case Circuit::Rotating:
        elastic ? IntegrateSteps<Circuit::Rotating, true>(equations)
                : IntegrateSteps<Circuit::Rotating, false>(equations);
        return;
    case Circuit::Synchronous:
        elastic ? IntegrateSteps<Circuit::Synchronous, true>(equations)
                : IntegrateSteps<Circuit::Synchronous, false>(equations);
        return;
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

Equations VMotor::RunEquations() const
{
    const bool synchronous = CircuitOf(supply.model) == Circuit::Synchronous;
    return {
        .a1 = a1,
        .a2 = a2,
        .a3 = a3,
        .a4 = a4,
        .a5 = a5,
        .a6 = a6,
        .b1 = b1,
        .b2 = b2,
        .b3 = b3,
        .b4 = b4,
        .b5 = b5,
        .b6 = b6,
        .kM = kM,
        .kJ = kJ,
        .kJm = kJm,
        .p1 = params.p1,
        .fieldCurrent = run.fieldCurrent,
        .stiffness = run.stiffness,
        .damping = run.damping,
        .mechanismInertia = MechanismInertia(params, run),
        .R1s = R1s,
        .R2s = R2s,
        .L1s = L1s,
        .L2s = L2s,
        .Lms = Lms,
        // Three phases in amplitude-invariant d-q quantities, or m1 windings in two axes.
        .powerScale = synchronous ? 1.5 : 0.5 * params.m1,
    };
}

// Worked out in a guarded section of its own: data that make a reach overflow or divide by zero
// leave that reach unbounded instead of failing the run.
PhysicalReach VMotor::Reach(const Equations& e) const
{
    const FloatingPointGuard guard;
    const bool variableLoad = load.kind == LoadKind::Variable;
    const double loadTorque =
        std::abs(run.loadTorque) * (variableLoad && run.loadTorque != 0 ? LargestShape(record) : 1);
    switch (CircuitOf(supply.model)) {
    case Circuit::Rotating: {
        const bool overhauled = (params.ActiveLoad || variableLoad) && loadTorque != 0;
        const InductionCircuit motor{.voltage = run.supplyVoltage,
                                     .statorResistance = R1s,
                                     .rotorResistance = R2s,
                                     .reactance = run.shortCircuitReactance,
                                     .phases = params.m1,
                                     .syncSpeed = supply.omega / params.p1,
                                     .powerScale = e.powerScale};
        return InductionReach(motor, loadTorque, overhauled);
    }
    case Circuit::Synchronous: {
        const double fluxLinkage = a4 / a2;
        return MachineReach(FieldOrientedVoltageLimit(params), R1s, params.p1 * fluxLinkage, kM,
                            loadTorque, e.powerScale);
    }
    case Circuit::DcLike:
    case Circuit::Rectified:
        break;
    }
    // The transistor converter's output range; without a controller it holds one voltage. The
    // thyristor bridge puts out segments of a sine of the peak voltage.
    double voltage = std::abs(u.u2a);
    if (supply.model == SupplyModel::Thyristor)
        voltage = run.peakVoltage;
    else if (run.controllerActive)
        voltage = std::max(voltage, std::abs(params.U0) + std::abs(0.001 / run.converterGain));
    const double emfPerSpeed = params.p1 * e.fieldCurrent * e.b5 / e.b1;
    return MachineReach(voltage, R2s, emfPerSpeed, kM * e.fieldCurrent, loadTorque, e.powerScale);
}

// A transmission whose spring or damper is faster than the finest sub-step resolves (the damping
// of 99999999999 that an elastic transmission gets when none is given) settles within a
// microsecond: it turns the mechanism rigidly, and integrating it as a spring would only amplify
// rounding.
bool VMotor::ShaftTooStiff(const Equations& e) const
{
    const FloatingPointGuard guard;
    return !Resolvable(TransmissionRate(e), run.timeStep);
}

// Chosen in a guarded section of its own, as the reach; a rate that is not finite comes from
// data the run will not survive, and gets the plain sample. The rotor frequency is taken at the
// speed the drive can reach: the method is accurate up to it and stable up to twice it, where the
// run ends. An induction motor that an active load may overhaul without bound is taken at twice
// its synchronous speed.
int VMotor::SubSteps(const Equations& e, const PhysicalReach& reach, bool elastic) const
{
    if (record.subSteps > 0)
        return record.subSteps;
    const FloatingPointGuard guard;
    const Circuit circuit = CircuitOf(supply.model);
    double speedReach = e.p1 * reach.motorSpeed;
    if (!std::isfinite(speedReach))
        speedReach = ReachMargin * supply.omega;
    const bool sine = circuit == Circuit::Rotating || circuit == Circuit::Rectified;
    const double pulse = circuit == Circuit::Rectified ? run.thyristor.pulseDuration : 0;
    const double rate =
        FastestRate(e, {circuit, elastic, speedReach, sine ? supply.omega : 0, pulse});
    return std::isfinite(rate) ? SubStepsPerSample(rate, run.timeStep) : 1;
}

template <Circuit circuit, bool Elastic> void VMotor::IntegrateSteps(const Equations& equations)
{
    DriveIntegrator<circuit, Elastic>(record, equations, supply, u, load, L1s).run();
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
