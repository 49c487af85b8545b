#include "CascadeModel.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "Defaults.h"
#include "Motors.h"
#include "RunPreparation.h"
#include "Simulation.h"
#include "SynchronousCircuit.h"

namespace kinetra {

namespace {

// The drive's electrical circuit in the form the cascade sees, before the converter and the
// mechanism are added.
struct Circuit {
    double resistance = 0;
    double inductance = 0;
    double emfPerSpeed = 0;
    double torquePerCurrent = 0;
    double invMachineConstant = 0;
};

// The DC-like armature equation di/dt = b1 u - b4 i - b5 If we with b1 = L1s / det,
// b4 = R2s L1s / det, b5 = Lms L1s / det, the torque kM If i with kM = m1 p1 Lms / 2: the
// separately excited DC motor and the induction motor under the controller.
Circuit HeldFieldCircuit(double L1s, double L2s, double Lms, double R2s, double fieldCurrent,
                         const ModelParams& p, double invMachineConstant)
{
    const double det = L1s * L2s - Lms * Lms;
    return {R2s, det / L1s, p.p1 * Lms * fieldCurrent, 0.5 * p.m1 * p.p1 * Lms * fieldCurrent,
            invMachineConstant};
}

// A DC motor runs with separate excitation on a converter when U10 and R1 are given.
Circuit DcCircuit(ModelParams& p)
{
    if (p.U10 != 0 && p.R1 != 0) {
        const double fieldLeakage = PositiveOr(p.L1, DefaultInductance);
        const double armatureLeakage = PositiveOr(p.L2, DefaultInductance);
        ReplaceUnlessPositive(p.R1, DefaultResistance);
        ReplaceUnlessPositive(p.R2, DefaultResistance);
        ReplaceUnlessPositive(p.U10, DefaultVoltage);
        const double fieldCurrent = p.U10 / (p.R1 + p.R10);
        DefaultRatings(p);
        const double invK = DcInvMachineConstant(p);
        const double Lms = DcFieldMutualInductance(p, invK);
        return HeldFieldCircuit(fieldLeakage + Lms, armatureLeakage + Lms, Lms, p.R2 + p.R20,
                                fieldCurrent, p, invK);
    }
    // Permanent magnets: a unit field, the back-EMF p1 speed / invK.
    ReplaceUnlessPositive(p.R2, DefaultResistance);
    ReplaceUnlessPositive(p.L2, DefaultInductance);
    DefaultRatings(p);
    const double invK = DcInvMachineConstant(p);
    return {p.R2 + p.R20, p.L2 + p.L20, p.p1 / invK, p.m1 * p.p1 / (2 * invK), invK};
}

// Under the controller the field is held at the rated current, I or 500 P / U.
Circuit HeldFieldInduction(ModelParams& p, double supplyFrequency)
{
    const double omega = 2 * std::numbers::pi * supplyFrequency;
    const double R2s = p.R2 > 0 ? p.R2 + p.R20 : DefaultResistance;
    ReplaceUnlessPositive(p.p1, 1);
    ReplaceUnlessPositive(p.m1, 1);
    const auto [statorLeakage, rotorLeakage, magnetising] = InductionInductancesOf(p, omega);
    const double Lms = 0.5 * p.m1 * magnetising;
    const double L1s = statorLeakage + p.L10 + Lms;
    const double L2s = rotorLeakage + p.L20 + Lms;
    const double fieldCurrent = p.I != 0 ? p.I : (p.U != 0 ? 500 * p.P / p.U : 0);
    return HeldFieldCircuit(L1s, L2s, Lms, R2s, fieldCurrent, p, L2s / (Lms * p.p1));
}

// The servomotor's q axis with the d current held at zero: torque 1.5 p1 psi iq.
Circuit ServoCircuit(ModelParams& p)
{
    ReplaceUnlessPositive(p.R1, DefaultResistance);
    if (p.UseInductances)
        ReplaceUnlessPositive(p.L1, DefaultInductance);
    else
        ReplaceUnlessPositive(p.X1, DefaultInductance);
    DefaultRatings(p);
    const SynchronousCircuit c = SynchronousCircuitOf(p);
    return {c.resistance, c.inductance, p.p1 * c.fluxLinkage, c.torquePerAmpere(),
            1 / (p.p1 * c.fluxLinkage)};
}

std::optional<Refusal> ControllerRefusal(const ModelParams& p)
{
    if (p.MotorKind < 0 || p.MotorKind > 2)
        return Refusal::NoMotor;
    if (SupplyRefusalOf(p) || DataFaultOf(p))
        return Refusal::MotorNotRunnable;
    if (p.SupplyKind < 1 || p.SupplyKind > 2)
        return Refusal::NoConverter;
    if (p.U0 == 0 || p.F0 == 0)
        return Refusal::NoConverterVoltage;
    if (p.wref == 0 && p.Iref == 0 && p.Mref == 0)
        return Refusal::NoReference;
    if (p.Kpf == 0 && p.Kpw == 0 && p.KpI == 0)
        return Refusal::NoLoopSwitchedOn;
    return std::nullopt;
}

// The loops the engine runs: an outer loop switches on the loops inside it at gain 1, and a
// sensor lag below one step is raised to the step.
std::vector<LoopSettings> RunningLoops(const ModelParams& p, double step)
{
    const bool position = p.Kpf != 0;
    const bool speed = position || p.Kpw != 0;
    const auto settings = [step](Loop loop, double gain, double integral, double derivative,
                                 double sensorGain, double sensorTime, double limit) {
        return LoopSettings{
            loop, gain, integral, derivative, sensorGain, std::max(sensorTime, step), limit};
    };
    std::vector<LoopSettings> loops;
    loops.push_back(settings(Loop::Current, p.KpI != 0 || !speed ? p.KpI : 1, p.TpIint, p.TpIdif,
                             p.KI, p.TI, p.Imax));
    if (speed)
        loops.push_back(
            settings(Loop::Speed, p.Kpw != 0 ? p.Kpw : 1, p.Tpwint, p.Tpwdif, p.Kw, p.Tw, p.wmax));
    if (position)
        loops.push_back(settings(Loop::Position, p.Kpf, p.Tpfint, p.Tpfdif, p.Kf, p.Tf, p.fmax));
    return loops;
}

bool Usable(double value)
{
    return std::isfinite(value) && value > 0;
}

} // namespace

double DrivePlant::mechanicalTime() const
{
    return inertia * resistance / (emfPerSpeed * torquePerCurrent);
}

const LoopSettings* CascadeModel::find(Loop loop) const
{
    for (const LoopSettings& settings : loops) {
        if (settings.loop == loop)
            return &settings;
    }
    return nullptr;
}

CascadeModelResult CascadeModelOf(const ModelParams& collected)
{
    if (const std::optional<Refusal> refusal = ControllerRefusal(collected))
        return {std::nullopt, TuningRefusal{*refusal, std::nullopt}};

    ModelParams p = collected;
    const auto run = std::make_unique<RunData>();
    const auto signal = std::make_unique<SignalSeries>();
    SimulationRecord record{p, *run, *signal};
    PrepareRun(record);
    const double step = run->timeStep;

    std::vector<LoopSettings> loops = RunningLoops(p, step);
    for (const LoopSettings& loop : loops) {
        if (loop.sensorGain == 0)
            return {std::nullopt, TuningRefusal{Refusal::NoSensorGain, loop.loop}};
    }

    Circuit circuit;
    switch (p.MotorKind) {
    case 0:
        circuit = HeldFieldInduction(p, run->supplyFrequency);
        break;
    case 1:
        circuit = DcCircuit(p);
        break;
    default:
        circuit = ServoCircuit(p);
        break;
    }

    for (const double value : {circuit.resistance, circuit.inductance, circuit.emfPerSpeed,
                               circuit.torquePerCurrent, circuit.invMachineConstant}) {
        if (!std::isfinite(value))
            return {std::nullopt, TuningRefusal{Refusal::CircuitNotDerived, std::nullopt}};
    }

    const bool thyristor = p.SupplyKind == 2 && p.MotorKind == 1;
    CascadeModel cascade;
    DrivePlant& plant = cascade.plant;
    plant.timeStep = step;
    // The controller's output is a speed at the mechanism shaft; the converter turns it into the
    // voltage that gives that speed at no load. The transistor converter takes its gain out
    // again; the thyristor bridge relates the command to U0 and puts out U0 + 0.001 at full.
    plant.voltagePerCommand = p.ii / circuit.invMachineConstant;
    if (thyristor)
        plant.voltagePerCommand *= run->converterGain * (p.U0 + 0.001) / p.U0;
    plant.resistance = circuit.resistance;
    plant.inductance = circuit.inductance;
    plant.emfPerSpeed = circuit.emfPerSpeed;
    plant.torquePerCurrent = circuit.torquePerCurrent;
    cascade.torqueFeedback = p.Mref != 0;
    // A DC-like drive reads its current as the torque times the inverse machine constant; the
    // servomotor reads its stator current.
    const bool servo = p.MotorKind == 2;
    if (cascade.torqueFeedback)
        plant.readingPerCurrent = circuit.torquePerCurrent;
    else
        plant.readingPerCurrent = servo ? 1 : circuit.torquePerCurrent * circuit.invMachineConstant;
    plant.inertia = p.J + run->loadInertia;
    plant.gearRatio = p.ii;
    plant.loadTorque = run->loadTorque;
    // The transistor converter caps at U0, the bridge fires for 0.95 of U0 + 0.001 at most, the
    // servo amplifier's vector reaches sqrt(2) U0.
    plant.voltageLimit = p.U0;
    if (thyristor)
        plant.voltageLimit = 0.95 * (p.U0 + 0.001);
    else if (servo)
        plant.voltageLimit = std::numbers::sqrt2 * p.U0;

    for (const double value :
         {plant.voltagePerCommand, plant.resistance, plant.inductance, plant.emfPerSpeed,
          plant.torquePerCurrent, plant.readingPerCurrent, plant.inertia}) {
        if (!Usable(value))
            return {std::nullopt, TuningRefusal{Refusal::PlantNotDerived, std::nullopt}};
    }

    cascade.converterTime = std::max(p.T0, step);
    if (thyristor) {
        const double pulseDuration = 2 * run->halfPulseAngle / (2 * std::numbers::pi * 50);
        cascade.pulseDeadTime = 0.5 * pulseDuration;
        cascade.caveats.push_back(Caveat::ThyristorPulses);
        cascade.caveats.push_back(Caveat::OneWayConduction);
    }
    if (p.ElasticGear)
        cascade.caveats.push_back(Caveat::ElasticTransmission);
    if (p.gi != 0)
        cascade.caveats.push_back(Caveat::Backlash);
    cascade.loops = std::move(loops);
    return {std::move(cascade), std::nullopt};
}

} // namespace kinetra
