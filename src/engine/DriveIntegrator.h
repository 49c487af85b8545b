#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

#include "Controller.h"
#include "DriveEquations.h"
#include "PhysicalReach.h"
#include "RungeKutta.h"
#include "SimulationRecord.h"
#include "Supply.h"

namespace kinetra {

// The cosine and sine of an angle, turned on by multiplying with the phasor of another angle: the
// integrator turns the mains sine and the thyristor bridge's sine from stage to stage this way,
// instead of evaluating them anew at every stage.
struct Phasor {
    double c = 1;
    double s = 0;

    static Phasor Of(double angle) { return {std::cos(angle), std::sin(angle)}; }
    Phasor turnedBy(const Phasor& turn) const
    {
        return {c * turn.c - s * turn.s, s * turn.c + c * turn.s};
    }
};

// The phasors that turn a sine of angular frequency omega over half a stretch and a whole one;
// the last stretch's are kept, since all but a few stretches of a run are equal sub-steps.
class StretchTurns {
public:
    explicit StretchTurns(double omega) : m_omega(omega) {}

    void set(double length)
    {
        if (length == m_length)
            return;
        m_length = length;
        half = Phasor::Of(0.5 * m_omega * length);
        whole = Phasor::Of(m_omega * length);
    }

    Phasor half;
    Phasor whole;

private:
    double m_omega;
    double m_length = -1;
};

// Integrates the samples of one run for one circuit on a rigid or an elastic transmission. Each
// sample of the time step is divided into the run's equal sub-steps; each Runge-Kutta stage sees
// the supply's voltage and the load at its own time and speed. A sub-step that holds a firing of
// the thyristor bridge is integrated up to it and on from it. Where the equations change within
// a sub-step (the drive breaks away or comes to rest against friction, the bridge's current
// starts or stops), the sub-step is integrated again in finer parts. After each sample the
// integrator stores it, watches it against the drive's physical reach and lets the controller
// set the voltage of the next sample.
template <VMotorCircuit circuit, bool Elastic> class DriveIntegrator {
public:
    DriveIntegrator(SimulationRecord& record, const Equations& equations, Supply& supply,
                    SupplyVoltages& u, Load& load)
        : m_record(record), m_params(record.params), m_run(record.run), m_e(equations),
          m_supply(supply), m_u(u), m_load(load), m_turns(supply.omega)
    {
    }

    // Integrates samples 1 .. SampleCount - 1, or up to the first sample beyond the run's reach,
    // where the run then ends. Leaves the energy account behind.
    void run()
    {
        ReachWatch watch(m_run.reach);
        const double timeStep = m_run.timeStep;
        for (int i = 1; i < m_run.SampleCount; ++i) {
            integrateSample(i, (i - 1) * timeStep);
            storeSample(i);
            if (const std::optional<RunDivergence> divergence =
                    watch.check(i * timeStep, largestCurrent(), m_X[StateIndex::Speed] / m_e.p1,
                                LoadSpeed<Elastic>(m_e, m_X), storedEnergy())) {
                m_run.divergence = divergence;
                m_run.SampleCount = i + 1;
                break;
            }
            if (m_run.controllerActive)
                ControllerStep(m_record, i);
        }
        storeEnergy();
    }

private:
    using enum VMotorCircuit;

    // The parts a sub-step is integrated in again when the equations change within it.
    static constexpr int EventRefinement = 16;

    void integrateSample(int index, double sampleStart)
    {
        SupplyOutput(m_supply, m_u, m_record);
        m_law = LoadLawOf(m_load.kind, index, m_record);
        if constexpr (circuit == Rotating)
            m_phase = Phasor::Of(m_supply.omega * sampleStart);
        const int subSteps = m_run.subSteps;
        const double subStep = m_run.timeStep / subSteps;
        // Rounding may put a firing a hair's breadth off a sub-step's bound; it then fires there.
        const double coincident = 1e-9 * subStep;
        for (int s = 0; s < subSteps; ++s) {
            const double start = sampleStart + s * subStep;
            if constexpr (circuit == Synchronous)
                SupplyFieldOriented(m_u, {m_X[0], m_X[1], m_X[4], m_e.L1s}, subStep, m_record);
            if constexpr (circuit == Rectified) {
                // The sub-steps are no longer than a pulse, so a sub-step holds one firing at
                // most, unless the finest sub-step is still longer: then the pulses it holds past
                // the first fire as one.
                const double end = sampleStart + (s + 1) * subStep;
                fireUpTo(start + coincident, start);
                const double firing = NextFiring(m_run);
                if (firing < end - coincident) {
                    advance(firing - start);
                    fireUpTo(end - coincident, firing);
                    advance(end - firing);
                    continue;
                }
            }
            advance(subStep);
        }
    }

    // Fires the thyristors due by time; the bridge's sine then continues at the new pulse's angle
    // from the instant now.
    void fireUpTo(double time, double now)
    {
        if (!(NextFiring(m_run) <= time))
            return;
        FireThyristorsUpTo(time, m_params, m_run);
        m_phase = Phasor::Of(BridgeAngle(m_run, now));
    }

    // Integrates over length; where the equations change within, again in finer parts, so that
    // the change falls between two of them.
    void advance(double length)
    {
        const DriveState state = m_X;
        const DriveState rates = m_D;
        const Phasor phase = m_phase;
        stretch(length);
        if (!modeChanged(state))
            return;
        m_X = state;
        m_D = rates;
        m_phase = phase;
        const double part = length / EventRefinement;
        for (int k = 0; k < EventRefinement; ++k)
            stretch(part);
    }

    // One Runge-Kutta step over length, the supply's voltages at each stage's own time and the
    // load at each stage's own speed.
    void stretch(double length)
    {
        SupplyVoltages stages[3] = {m_u, m_u, m_u};
        if constexpr (circuit == Rotating || circuit == Rectified) {
            m_turns.set(length);
            const Phasor phases[3] = {m_phase, m_phase.turnedBy(m_turns.half),
                                      m_phase.turnedBy(m_turns.whole)};
            for (int n = 0; n < 3; ++n) {
                if constexpr (circuit == Rotating) {
                    const double amplitude = SineAmplitude(m_run);
                    stages[n].u1a = amplitude * phases[n].c;
                    stages[n].u1b = amplitude * phases[n].s;
                } else {
                    stages[n].u2a = m_run.peakVoltage * phases[n].c;
                }
            }
            m_phase = phases[2];
        }
        const double speedBefore = LoadSpeed<Elastic>(m_e, m_X);
        RungeKuttaStep(
            length, m_X,
            m_D, [&](double fraction, DriveState& Y, DriveState& D) __attribute__((always_inline)) {
                m_load.actual = Derivatives<circuit, Elastic>(
                    m_e, stages[static_cast<int>(2 * fraction)], m_law, Y, D);
            });
        if constexpr (circuit == Rectified)
            m_X[2] = std::max(m_X[2], 0.0);
        if (HoldsAtRest(m_law))
            stopAtRest(speedBefore);
    }

    // A reactive load stops a drive whose speed passed zero within a stretch, unless the torque
    // that drives it at rest overcomes the load.
    void stopAtRest(double speedBefore)
    {
        namespace S = StateIndex;
        const double speedAfter = LoadSpeed<Elastic>(m_e, m_X);
        const bool passedZero = speedAfter == 0 || (speedBefore > 0) != (speedAfter > 0);
        if (speedBefore == 0 || !passedZero)
            return;
        double driving = 0;
        if constexpr (Elastic)
            driving = m_X[S::ShaftTorque];
        else
            driving = ElectromagneticTorque<circuit>(m_e, m_X);
        if (std::abs(driving) > std::abs(m_law.torque))
            return;
        m_X[S::MechanismSpeed] = 0;
        if constexpr (!Elastic)
            m_X[S::Speed] = 0;
    }

    // True when the equations changed since the state before: the load started holding the
    // drive at rest or let go of it, the drive passed through zero speed, or the bridge's current
    // started or stopped.
    bool modeChanged(const DriveState& before) const
    {
        if constexpr (circuit == Rectified) {
            if ((before[2] == 0) != (m_X[2] == 0))
                return true;
        }
        if (!HoldsAtRest(m_law))
            return false;
        const double speedBefore = LoadSpeed<Elastic>(m_e, before);
        const double speedAfter = LoadSpeed<Elastic>(m_e, m_X);
        return (speedBefore == 0) != (speedAfter == 0) || speedBefore * speedAfter < 0;
    }

    // Either way the torque equals the electromagnetic torque of the last stage. The servomotor
    // stores the torque of the stored state instead, so that its torque and current belong to
    // the same instant: the last stage's lies a step's prediction away, which alone would leave
    // its energy balance 0.35 % short.
    void storeSample(int index)
    {
        const DriveState& Y = m_X;
        const DriveState& D = m_D;
        ResultSample& sample = m_run.samples[index];
        sample.time = index * m_run.timeStep;
        if constexpr (circuit == Synchronous)
            sample.torque = m_e.kM * Y[1];
        else if constexpr (Elastic)
            sample.torque = D[4] / m_e.kJm + Y[5];
        else
            sample.torque = D[4] / m_e.kJ + m_load.actual;
        // An elastic transmission too stiff to integrate turns rigidly; its motor's speed is
        // shown all the same.
        if (Elastic || m_params.ElasticGear)
            sample.motorSpeed = Y[4] / m_params.p1;
        sample.mechSpeed = Y[6] / m_params.ii;
        if constexpr (IsDcLike(circuit))
            sample.current = sample.torque * m_run.invMachineConstant;
        else if constexpr (circuit == Synchronous)
            // The stator current's amplitude, signed like the torque-producing q current, so that
            // a current loop can regulate it through zero as it does a DC armature current.
            sample.current = std::copysign(std::hypot(Y[0], Y[1]), Y[1]);
        else
            sample.current = std::sqrt(Y[0] * Y[0] + Y[1] * Y[1]);
    }

    // The largest winding current of the state, A.
    double largestCurrent() const
    {
        if constexpr (IsDcLike(circuit))
            return std::abs(m_X[2]);
        else if constexpr (circuit == Synchronous)
            return std::hypot(m_X[0], m_X[1]);
        else
            return std::max(std::hypot(m_X[0], m_X[1]), std::hypot(m_X[2], m_X[3]));
    }

    double magneticEnergy() const { return MagneticEnergy<circuit>(m_e, m_X); }
    double storedEnergy() const { return magneticEnergy() + KineticEnergy<Elastic>(m_e, m_X); }

    void storeEnergy()
    {
        namespace S = StateIndex;
        EnergyAccount& energy = m_run.energy;
        energy.energyIn = m_X[S::EnergyIn];
        energy.copperLoss = m_X[S::CopperLoss];
        energy.loadWork = m_X[S::LoadWork];
        energy.transmissionWork = m_X[S::TransmissionWork];
        energy.magnetic = magneticEnergy();
        energy.kinetic = KineticEnergy<Elastic>(m_e, m_X);
    }

    SimulationRecord& m_record;
    const ModelParams& m_params;
    RunData& m_run;
    const Equations& m_e;
    Supply& m_supply;
    SupplyVoltages& m_u;
    Load& m_load;

    DriveState m_X{}; // the state at the start of a stretch
    DriveState m_D{}; // the rates; they keep their contents between evaluations
    LoadLaw m_law;
    Phasor m_phase; // of the supply's sine at the start of a stretch
    StretchTurns m_turns;
};

} // namespace kinetra
