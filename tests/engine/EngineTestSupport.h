#pragma once

#include <memory>
#include <numbers>

#include "Simulation.h"
#include "StaticCharacteristic.h"

namespace kinetra::test {

// One drive with everything a run works on. The run record and the signal series live on the
// heap: together they hold 160 000 doubles.
struct Drive {
    ModelParams params;
    std::unique_ptr<RunData> run = std::make_unique<RunData>();
    std::unique_ptr<SignalSeries> signal = std::make_unique<SignalSeries>(UnitSignal());
    RunOutcome outcome = RunOutcome::Completed;
    // The sub-steps of a sample; 0 lets the engine choose them.
    int subSteps = 0;

    SimulationRecord record() { return {params, *run, *signal, true, subSteps}; }

    bool simulate()
    {
        SimulationRecord simulation = record();
        outcome = RunSimulation(simulation);
        return outcome == RunOutcome::Completed;
    }

    std::vector<StaticPoint> characteristic() const { return StaticCharacteristic(params, *run); }

    const ResultSample& last() const { return run->samples[run->SampleCount - 1]; }

    // The mean of a sample field over the samples from..to - 1.
    double mean(double ResultSample::*field, int from, int to) const
    {
        double sum = 0;
        for (int i = from; i < to; ++i)
            sum += run->samples[i].*field;
        return sum / (to - from);
    }
};

// A 220 V, 10 A, 100 rad/s permanent-magnet DC motor with a 2 ohm armature: its inverse machine
// constant is 100 / (220 - 10 * 2) = 0.5 rad/s per V, its rated torque 20 Nm. 2 s on the mains.
inline Drive DcMotor()
{
    Drive drive;
    ModelParams& p = drive.params;
    p.MotorKind = 1;
    p.SupplyKind = 0;
    p.U = 220;
    p.I = 10;
    p.R2 = 2;
    p.w = 100;
    p.L2 = 0.01;
    p.J = 0.05;
    p.Tmax = 2;
    return drive;
}

// A 220 V four-pole three-phase induction motor on the 50 Hz mains: synchronous speed
// 2 pi 50 / 2 rad/s. 2 s.
inline Drive InductionMotor()
{
    Drive drive;
    ModelParams& p = drive.params;
    p.MotorKind = 0;
    p.SupplyKind = 0;
    p.U = 220;
    p.R1 = 0.5;
    p.R2 = 0.4;
    p.L1 = 0.002;
    p.L2 = 0.002;
    p.L12 = 0.05;
    p.p1 = 2;
    p.m1 = 3;
    p.J = 0.05;
    p.Tmax = 2;
    return drive;
}

// The DC motor on a converter with U0 = 220 V at F0 = 50 Hz, the values a controller needs.
inline Drive DcMotorOnConverter(std::int32_t supplyKind)
{
    Drive drive = DcMotor();
    drive.params.SupplyKind = supplyKind;
    drive.params.U0 = 220;
    drive.params.F0 = 50;
    return drive;
}

// A 1.5 kW, 314 rad/s, 4.78 Nm servomotor with four pole pairs, rated 3 A rms at 230 V per
// phase, on a transistor converter of 230 V: the flux linkage that gives the rated torque at the
// rated current is 4.78 / (1.5 * 4 * sqrt(2) * 3) Wb. 0.5 s; a reference switches the
// controller on.
inline Drive Servomotor()
{
    Drive drive;
    ModelParams& p = drive.params;
    p.MotorKind = 2;
    p.SupplyKind = 1;
    p.P = 1.5;
    p.w = 314;
    p.I = 3;
    p.U = 230;
    p.R1 = 1.2;
    p.L1 = 0.006;
    p.p1 = 4;
    p.J = 0.001;
    p.U0 = 230;
    p.F0 = 50;
    p.Tmax = 0.5;
    return drive;
}

// The servomotor's flux linkage and torque per ampere, worked out from its rated point.
inline double ServoFluxLinkage()
{
    return 1000 * 1.5 / 314 / (1.5 * 4 * std::numbers::sqrt2 * 3);
}

} // namespace kinetra::test
