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

double DcInvMachineConstant(const ModelParams& params)
{
    return params.w / (params.U - params.I * params.R2);
}

void DefaultRatings(ModelParams& params)
{
    ReplaceUnlessPositive(params.w, DefaultSpeed);
    ReplaceUnlessPositive(params.U, DefaultVoltage);
    ReplaceUnlessPositive(params.p1, 1);
    ReplaceUnlessPositive(params.m1, 1);
}

double DcFieldMutualInductance(const ModelParams& params, double invMachineConstant)
{
    return 0.5 * params.m1 * params.R1 / (invMachineConstant * params.p1 * params.U10);
}

InductionInductances InductionInductancesOf(ModelParams& params, double omega)
{
    InductionInductances inductances;
    if (params.UseInductances) {
        ReplaceUnlessPositive(params.L1, DefaultInductance);
        ReplaceUnlessPositive(params.L2, DefaultInductance);
        inductances.statorLeakage = params.L1;
        inductances.rotorLeakage = params.L2;
        inductances.magnetising = params.L12 != 0 ? params.L12 : 10 * (params.L1 + params.L2);
    } else {
        ReplaceUnlessPositive(params.X1, DefaultInductance);
        ReplaceUnlessPositive(params.X2, DefaultInductance);
        inductances.statorLeakage = params.X1 / omega;
        inductances.rotorLeakage = params.X2 / omega;
        inductances.magnetising = params.X12 != 0
                                      ? params.X12 / omega
                                      : 30 * (inductances.statorLeakage + inductances.rotorLeakage);
    }
    return inductances;
}

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
    e.a1 = e.Lms / det;
    e.a2 = e.L2s / det;
    e.a3 = e.R1s * e.L2s / det;
    e.a4 = e.R2s * e.Lms / det;
    e.a5 = e.Lms * e.Lms / det;
    e.a6 = e.Lms * e.L2s / det;
    e.b1 = e.L1s / det;
    e.b2 = e.Lms / det;
    e.b3 = e.R1s * e.Lms / det;
    e.b4 = e.R2s * e.L1s / det;
    e.b5 = e.Lms * e.L1s / det;
    e.b6 = e.L1s * e.L2s / det;
    e.kM = 0.5 * params.m1 * params.p1 * e.Lms;
    e.kJ = params.p1 / (params.J + run.loadInertia);
    e.kJm = params.p1 / params.J;
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

    CompleteEquations();
    const bool elastic = params.ElasticGear && !ShaftTooStiff();
    if (params.ElasticGear && !elastic)
        e.kJ = params.p1 / (params.J + e.mechanismInertia);
    run.reach = Reach();
    run.subSteps = SubSteps(elastic);
    switch (CircuitOf(supply.model)) {
    case Circuit::DcLike:
        elastic ? IntegrateSteps<Circuit::DcLike, true>()
                : IntegrateSteps<Circuit::DcLike, false>();
        return;
    case Circuit::Rectified:
        elastic ? IntegrateSteps<Circuit::Rectified, true>()
                : IntegrateSteps<Circuit::Rectified, false>();
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

// A controlled run starts from zero converter voltage; the controller drives an induction
// motor through the DC-like controlled model, and the servomotor through its field-oriented one.
void VMotor::StartUnderController()
{
    run.supplyVoltage = 0;
    run.supplyFrequency = 0;
    if (CircuitOf(supply.model) == Circuit::Rotating)
        supply.model = SupplyModel::Controlled;
}

// What the equations read beside the windings: the mechanism, the field a DC-like drive holds,
// and the electrical power per product of voltage and current.
void VMotor::CompleteEquations()
{
    e.p1 = params.p1;
    e.fieldCurrent = run.fieldCurrent;
    e.stiffness = run.stiffness;
    e.damping = run.damping;
    e.mechanismInertia = MechanismInertia(params, run);
    // Three phases in amplitude-invariant d-q quantities, or m1 windings in two axes.
    e.powerScale = CircuitOf(supply.model) == Circuit::Synchronous ? 1.5 : 0.5 * params.m1;
}

// Worked out in a guarded section of its own: data that make a reach overflow or divide by zero
// leave that reach unbounded instead of failing the run.
PhysicalReach VMotor::Reach() const
{
    const FloatingPointGuard guard;
    const bool variableLoad = load.kind == LoadKind::Variable;
    const double loadTorque =
        std::abs(run.loadTorque) * (variableLoad && run.loadTorque != 0 ? LargestShape(record) : 1);
    switch (CircuitOf(supply.model)) {
    case Circuit::Rotating: {
        const bool overhauled = (params.ActiveLoad || variableLoad) && loadTorque != 0;
        const InductionCircuit motor{.voltage = run.supplyVoltage,
                                     .statorResistance = e.R1s,
                                     .rotorResistance = e.R2s,
                                     .reactance = run.shortCircuitReactance,
                                     .phases = params.m1,
                                     .syncSpeed = supply.omega / params.p1,
                                     .powerScale = e.powerScale};
        return InductionReach(motor, loadTorque, overhauled);
    }
    case Circuit::Synchronous: {
        const double fluxLinkage = e.a4 / e.a2;
        return MachineReach(FieldOrientedVoltageLimit(params), e.R1s, params.p1 * fluxLinkage, e.kM,
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
    return MachineReach(voltage, e.R2s, emfPerSpeed, e.kM * e.fieldCurrent, loadTorque,
                        e.powerScale);
}

// A transmission whose spring or damper is faster than the finest sub-step resolves (the damping
// of 99999999999 that an elastic transmission gets when none is given) settles within a
// microsecond: it turns the mechanism rigidly, and integrating it as a spring would only amplify
// rounding.
bool VMotor::ShaftTooStiff() const
{
    const FloatingPointGuard guard;
    return !Resolvable(TransmissionRate(e), run.timeStep);
}

// Chosen in a guarded section of its own, as the reach; a rate that is not finite comes from
// data the run will not survive, and gets the plain sample. The rotor frequency is taken at the
// speed the drive can reach: the method is accurate up to it and stable up to twice it, where the
// run ends. An induction motor that an active load may overhaul without bound is taken at twice
// its synchronous speed.
int VMotor::SubSteps(bool elastic) const
{
    if (record.subSteps > 0)
        return record.subSteps;
    const FloatingPointGuard guard;
    const Circuit circuit = CircuitOf(supply.model);
    double speedReach = e.p1 * run.reach.motorSpeed;
    if (!std::isfinite(speedReach))
        speedReach = ReachMargin * supply.omega;
    const bool sine = circuit == Circuit::Rotating || circuit == Circuit::Rectified;
    const double pulse = circuit == Circuit::Rectified ? run.thyristor.pulseDuration : 0;
    const double rate =
        FastestRate(e, {circuit, elastic, speedReach, sine ? supply.omega : 0, pulse});
    return std::isfinite(rate) ? SubStepsPerSample(rate, run.timeStep) : 1;
}

template <Circuit circuit, bool Elastic> void VMotor::IntegrateSteps()
{
    DriveIntegrator<circuit, Elastic>(record, e, supply, u, load).run();
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
    e.R1s = params.R1 + params.R10;
    ReplaceUnlessPositive(params.R2, DefaultResistance);
    e.R2s = params.R2 + params.R20;
    ReplaceUnlessPositive(params.U10, DefaultVoltage);
    u.u1b = params.U10;
    run.fieldCurrent = u.u1b / e.R1s;
    DefaultRatings(params);

    const FloatingPointGuard guard;
    run.invMachineConstant = DcInvMachineConstant(params);
    e.Lms = DcFieldMutualInductance(params, run.invMachineConstant);
    e.L1s = fieldLeakage + e.Lms;
    e.L2s = armatureLeakage + e.Lms;
    det = e.L1s * e.L2s - e.Lms * e.Lms;
    Tm = (params.J + run.loadInertia) * e.R2s * run.invMachineConstant * run.invMachineConstant;
    Te = e.L2s / e.R2s;
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
    e.R2s = params.R2 + params.R20;
    ReplaceUnlessPositive(params.L2, DefaultInductance);
    e.L2s = params.L2 + params.L20;
    DefaultRatings(params);

    const FloatingPointGuard guard;
    const double J = params.J + run.loadInertia;
    run.invMachineConstant = DcInvMachineConstant(params);
    Tm = J * e.R2s * run.invMachineConstant * run.invMachineConstant;
    Te = e.L2s / e.R2s;
    e.R1s = u.u1b;
    run.fieldCurrent = u.u1b / e.R1s;
    e.b1 = 1 / e.L2s;
    e.b2 = 0;
    e.b3 = 0;
    e.b4 = e.R2s / e.L2s;
    e.b5 = 1 / (e.L2s * run.invMachineConstant);
    e.b6 = 0;
    e.kM = params.m1 * params.p1 / (2 * run.invMachineConstant);
    e.kJ = params.p1 / J;
    e.kJm = params.p1 / params.J;
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
    e.R1s = params.R1 > 0 ? params.R1 + params.R10 : DefaultResistance;
    e.R2s = params.R2 > 0 ? params.R2 + params.R20 : DefaultResistance;
    ReplaceUnlessPositive(params.p1, 1);
    ReplaceUnlessPositive(params.m1, 1);

    const auto [statorLeakage, rotorLeakage, magnetising] = InductionInductancesOf(params, omega);
    const double Xk = (statorLeakage + params.L10 + rotorLeakage + params.L20) * omega;
    run.shortCircuitReactance = Xk;
    e.Lms = 0.5 * params.m1 * magnetising;
    e.L1s = statorLeakage + params.L10 + e.Lms;
    e.L2s = rotorLeakage + params.L20 + e.Lms;
    det = e.L1s * e.L2s - e.Lms * e.Lms;

    const FloatingPointGuard guard;
    run.syncSpeed = omega / params.p1;
    const double impedance = std::sqrt(e.R1s * e.R1s + Xk * Xk);
    const double breakdownTorque = params.m1 * run.supplyVoltage * run.supplyVoltage /
                                   (2 * run.syncSpeed * (e.R1s + impedance));
    Tm = (params.J + run.loadInertia) * run.syncSpeed / breakdownTorque;
    Te = impedance / (run.syncSpeed * e.R2s);
    run.invMachineConstant = e.L2s / (e.Lms * params.p1);
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
    e.R1s = circuit.resistance;
    e.L1s = circuit.inductance;
    run.invMachineConstant = 1 / (p1 * psi);
    e.a2 = 1 / e.L1s;
    e.a3 = e.R1s / e.L1s;
    e.a4 = psi / e.L1s;
    e.kM = circuit.torquePerAmpere();
    e.kJ = p1 / J;
    e.kJm = p1 / params.J;
    Tm = J * e.R1s / (e.kM * p1 * psi);
    Te = e.L1s / e.R1s;
    return ParametersDerived(guard);
}

} // namespace kinetra
