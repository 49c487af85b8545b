#include "hand_loops.h"

#include <array>
#include <cmath>
#include <numbers>

namespace hand {

namespace {

using kinetra::ModelParams;
using kinetra::ResultCapacity;
using kinetra::ResultSample;
using kinetra::RunData;

using State = std::array<double, 7>;

constexpr double Limit = 10000;

inline double Clamp(double y)
{
    return y < -Limit ? -Limit : (Limit < y ? Limit : y);
}

int SampleCount(double runLength, double timeStep)
{
    const long double steps = static_cast<long double>(runLength) / timeStep;
    if (!(steps > 0))
        return 0;
    return steps >= ResultCapacity ? ResultCapacity : static_cast<int>(steps);
}

void Clear(RunData& out)
{
    for (ResultSample& sample : out.samples)
        sample = {};
}

int FiniteCount(const RunData& out, int count)
{
    for (int i = 0; i < count; ++i) {
        const ResultSample& s = out.samples[i];
        for (const double value : {s.time, s.torque, s.mechSpeed, s.current, s.motorSpeed})
            if (!std::isfinite(value))
                return 0;
    }
    return count;
}

double Load(double speed, double backlash, bool active, double torque)
{
    if (std::abs(speed) < backlash)
        return 0;
    if (speed < -backlash && !active)
        return -torque;
    return torque;
}

} // namespace

// The DC motor with permanent magnets on the thyristor converter under the position, speed and
// current loops; rigid transmission, constant load.
int ThyristorCascade(const ModelParams& p, const RunData& prepared, RunData& out)
{
    Clear(out);
    const double h = prepared.timeStep;
    const long double dt = h;
    const double imc = prepared.invMachineConstant;
    const double R2s = p.R2 + p.R20;
    const double L2s = p.L2 + p.L20;
    const double J = p.J + prepared.loadInertia;
    const double b1 = 1 / L2s, b2 = 0, b3 = 0, b4 = R2s / L2s, b5 = 1 / (L2s * imc), b6 = 0;
    const double kM = p.m1 * p.p1 / (2 * imc);
    const double kJ = p.p1 / J;
    const double p1 = p.p1;
    const double field = prepared.fieldCurrent;
    const double u1a = 0;
    double u2a = 0;
    const auto& c = prepared.coefficients;
    const double halfPulse = prepared.halfPulseAngle;
    const double peak = prepared.peakVoltage;
    const double phaseStep = prepared.thyristor.phaseStep;
    double phase = 0, nextFiring = 0;
    double supplyVoltage = 0;

    long double posRef = 0, posRefPrev = 0, posErrPrev = 0, posErr = 0, posErrSum = 0;
    long double position = 0, posFeedback = 0;
    long double speedFeedback = 0, speedErrSum = 0, speedErr = 0, speedErrPrev = 0;
    long double torqueFeedback = 0, torqueErrSum = 0, torqueErr = 0, torqueErrPrev = 0;
    long double ctrlOutPrev = 0;
    const long double sensorGainF = p.Kf != 0 ? p.Kf : 1;
    const long double wmax = p.wmax, imax = p.Imax;

    const double backlash = p.gi;
    const bool activeLoad = p.ActiveLoad;
    const double loadTorque = prepared.loadTorque;
    const double ratio = p.ii;
    const int count = SampleCount(p.Tmax, h);
    State X{}, D{};
    for (int i = 1; i < count; ++i) {
        phase += phaseStep;
        if (phase >= nextFiring) {
            double rel = 0.95;
            if (supplyVoltage < p.U0)
                rel = supplyVoltage / p.U0;
            rel = rel <= -1 ? -0.95 : rel;
            const double pulseAngle = 2 * halfPulse;
            const double pastFiring = std::fmod(phase - nextFiring, pulseAngle);
            const double firingAngle =
                std::numbers::pi / 2 - std::atan(rel / std::sqrt(1 - rel * rel));
            nextFiring = std::numbers::pi / 2 + halfPulse + firingAngle;
            phase = nextFiring - pulseAngle + pastFiring;
        }
        u2a = peak * std::sin(phase);
        const double load = Load(X[4], backlash, activeLoad, loadTorque);

        State Y = X, A;
        const auto rates = [&]() __attribute__((always_inline)) {
#pragma GCC unroll 7
            for (double& y : Y)
                y = Clamp(y);
            Y[1] = field;
            const double we = Y[4];
            D[0] = 0;
            D[1] = 0;
            D[3] = 0;
            D[2] = b1 * u2a - b2 * u1a + b3 * Y[0] - b4 * Y[2] - b5 * we * Y[1] - b6 * we * Y[3];
            const double torque = kM * (Y[1] * Y[2] - Y[0] * Y[3]);
            D[4] = (torque - load) * kJ;
            D[6] = D[4] / p1;
        };
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            A[j] = k;
            Y[j] = X[j] + k / 2;
        }
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            A[j] = A[j] + 2 * k;
            Y[j] = X[j] + k / 2;
        }
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            A[j] = A[j] + 2 * k;
            Y[j] = X[j] + k;
        }
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            X[j] = (A[j] + k) / 6 + X[j];
        }

        ResultSample& s = out.samples[i];
        s.time = i * h;
        s.torque = D[4] / kJ + load;
        s.mechSpeed = X[6] / ratio;
        s.current = s.torque * imc;

        // Position loop.
        const long double prevRef = posRefPrev;
        const long double prevErr = posErrPrev;
        position = position + s.mechSpeed * dt;
        posFeedback = posFeedback * c.sensFPole + position * c.sensFGain;
        long double reference = posRef + p.wref * dt * sensorGainF * 1.0L;
        if (p.fmax > 0 && posFeedback >= p.fmax)
            reference = prevRef;
        posErrSum = posErrSum + posErr;
        posErr = reference - posFeedback;
        long double speedRef = posErr * p.Kpf + posErrSum * c.intF + (posErr - prevErr) * c.difF +
                               (reference - prevRef) * c.compF;
        if (p.wmax > 0)
            speedRef = speedRef < -wmax ? -wmax : (wmax < speedRef ? wmax : speedRef);
        posRef = reference;
        posErrPrev = posErr;
        posRefPrev = reference;
        // Speed loop.
        speedFeedback = speedFeedback * c.sensWPole + c.sensWGain * (long double)s.mechSpeed;
        speedErrSum = speedErrSum + speedErr;
        speedErr = speedRef - speedFeedback;
        long double torqueRef =
            speedErr * p.Kpw + speedErrSum * c.intW + (speedErr - speedErrPrev) * c.difW;
        if (p.Imax > 0)
            torqueRef = torqueRef < -imax ? -imax : (imax < torqueRef ? imax : torqueRef);
        speedErrPrev = speedErr;
        // Current loop.
        torqueFeedback = torqueFeedback * c.sensIPole + c.sensIGain * (long double)s.current;
        torqueErrSum = torqueErrSum + torqueErr;
        torqueErr = torqueRef - torqueFeedback;
        const long double output =
            torqueErr * p.KpI + torqueErrSum * c.intI + (torqueErr - torqueErrPrev) * c.difI;
        torqueErrPrev = torqueErr;
        const long double lagged = ctrlOutPrev * c.convPole + output * c.convGain;
        ctrlOutPrev = lagged;
        supplyVoltage = lagged * p.ii / imc;
    }
    return FiniteCount(out, count);
}

// The induction motor started direct on line, driving the mechanism through an elastic shaft.
int InductionElastic(const ModelParams& p, const RunData& prepared, RunData& out)
{
    Clear(out);
    const double h = prepared.timeStep;
    const double R1s = p.R1 + p.R10;
    const double R2s = p.R2 + p.R20;
    const double Lm = 0.5 * p.m1 * p.L12;
    const double L1s = p.L1 + p.L10 + Lm;
    const double L2s = p.L2 + p.L20 + Lm;
    const double det = L1s * L2s - Lm * Lm;
    const double a1 = Lm / det, a2 = L2s / det, a3 = R1s * L2s / det, a4 = R2s * Lm / det,
                 a5 = Lm * Lm / det, a6 = Lm * L2s / det;
    const double b1 = L1s / det, b2 = Lm / det, b3 = R1s * Lm / det, b4 = R2s * L1s / det,
                 b5 = Lm * L1s / det, b6 = L1s * L2s / det;
    const double kM = 0.5 * p.m1 * p.p1 * Lm;
    const double kJm = p.p1 / p.J;
    const double p1 = p.p1;
    const double stiffness = prepared.stiffness, damping = prepared.damping;
    const double inertia = prepared.loadInertia != 0 ? prepared.loadInertia : 0.1 * p.J;
    const double omega = 2 * std::numbers::pi * prepared.supplyFrequency;
    const double voltage = prepared.supplyVoltage;
    const double u2a = 0, u2b = 0;

    const double backlash = p.gi;
    const bool activeLoad = p.ActiveLoad;
    const double loadTorque = prepared.loadTorque;
    const double ratio = p.ii;
    const int count = SampleCount(p.Tmax, h);
    State X{}, D{};
    for (int i = 1; i < count; ++i) {
        const double t = i * h;
        const double u1a = std::numbers::sqrt2 * voltage * std::cos(omega * t);
        const double u1b = std::numbers::sqrt2 * voltage * std::sin(omega * t);
        const double load = Load(X[4], backlash, activeLoad, loadTorque);

        State Y = X, A;
        const auto rates = [&]() __attribute__((always_inline)) {
#pragma GCC unroll 7
            for (double& y : Y)
                y = Clamp(y);
            const double we = Y[4];
            D[0] = -a1 * u2a + a2 * u1a - a3 * Y[0] + a4 * Y[2] + a5 * we * Y[1] + a6 * we * Y[3];
            D[1] = -a1 * u2b + a2 * u1b - a3 * Y[1] + a4 * Y[3] - a5 * we * Y[0] - a6 * we * Y[2];
            D[3] = b1 * u2b - b2 * u1b + b3 * Y[1] - b4 * Y[3] + b5 * we * Y[0] + b6 * we * Y[2];
            D[2] = b1 * u2a - b2 * u1a + b3 * Y[0] - b4 * Y[2] - b5 * we * Y[1] - b6 * we * Y[3];
            const double torque = kM * (Y[1] * Y[2] - Y[0] * Y[3]);
            D[4] = (torque - Y[5]) * kJm;
            D[5] = (Y[4] / p1 - Y[6]) * stiffness + (D[4] / p1 - D[6]) * damping;
            D[6] = (Y[5] - load) / inertia;
        };
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            A[j] = k;
            Y[j] = X[j] + k / 2;
        }
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            A[j] = A[j] + 2 * k;
            Y[j] = X[j] + k / 2;
        }
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            A[j] = A[j] + 2 * k;
            Y[j] = X[j] + k;
        }
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            X[j] = (A[j] + k) / 6 + X[j];
        }

        ResultSample& s = out.samples[i];
        s.time = t;
        s.torque = D[4] / kJm + X[5];
        s.motorSpeed = X[4] / p1;
        s.mechSpeed = X[6] / ratio;
        s.current = std::sqrt(X[0] * X[0] + X[1] * X[1]);
    }
    return FiniteCount(out, count);
}

// The induction motor on a transistor converter under the speed and current loops, driven like
// a DC motor with its field held at the rated current; rigid transmission, constant load.
int InductionControlled(const ModelParams& p, const RunData& prepared, RunData& out)
{
    Clear(out);
    const double h = prepared.timeStep;
    const double R1s = p.R1 + p.R10;
    const double R2s = p.R2 + p.R20;
    const double Lm = 0.5 * p.m1 * p.L12;
    const double L1s = p.L1 + p.L10 + Lm;
    const double L2s = p.L2 + p.L20 + Lm;
    const double det = L1s * L2s - Lm * Lm;
    const double b1 = L1s / det, b2 = Lm / det, b3 = R1s * Lm / det, b4 = R2s * L1s / det,
                 b5 = Lm * L1s / det, b6 = L1s * L2s / det;
    const double kM = 0.5 * p.m1 * p.p1 * Lm;
    const double kJ = p.p1 / (p.J + prepared.loadInertia);
    const double p1 = p.p1;
    const double imc = prepared.invMachineConstant;
    const double field = prepared.fieldCurrent;
    const double gain = prepared.converterGain;
    const double u1a = 0;
    const auto& c = prepared.coefficients;
    double supplyVoltage = 0;

    const long double reference = p.wref;
    const long double speedRef = p.Kw != 0 ? reference * p.Kw : reference;
    long double speedFeedback = 0, speedErrSum = 0, speedErr = 0, speedErrPrev = 0;
    long double torqueFeedback = 0, torqueErrSum = 0, torqueErr = 0, torqueErrPrev = 0;
    long double ctrlOutPrev = 0;
    const long double imax = p.Imax;

    const double backlash = p.gi;
    const bool activeLoad = p.ActiveLoad;
    const double loadTorque = prepared.loadTorque;
    const double ratio = p.ii;
    const int count = SampleCount(p.Tmax, h);
    State X{}, D{};
    for (int i = 1; i < count; ++i) {
        const double outputLimit = p.U0 * gain;
        if (outputLimit < supplyVoltage)
            supplyVoltage = outputLimit + 0.001;
        const double u2a = supplyVoltage / gain;
        const double load = Load(X[4], backlash, activeLoad, loadTorque);

        State Y = X, A;
        const auto rates = [&]() __attribute__((always_inline)) {
#pragma GCC unroll 7
            for (double& y : Y)
                y = Clamp(y);
            Y[1] = field;
            const double we = Y[4];
            D[0] = 0;
            D[1] = 0;
            D[3] = 0;
            D[2] = b1 * u2a - b2 * u1a + b3 * Y[0] - b4 * Y[2] - b5 * we * Y[1] - b6 * we * Y[3];
            const double torque = kM * (Y[1] * Y[2] - Y[0] * Y[3]);
            D[4] = (torque - load) * kJ;
            D[6] = D[4] / p1;
        };
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            A[j] = k;
            Y[j] = X[j] + k / 2;
        }
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            A[j] = A[j] + 2 * k;
            Y[j] = X[j] + k / 2;
        }
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            A[j] = A[j] + 2 * k;
            Y[j] = X[j] + k;
        }
        rates();
#pragma GCC unroll 7
        for (int j = 0; j < 7; ++j) {
            const double k = h * D[j];
            X[j] = (A[j] + k) / 6 + X[j];
        }

        ResultSample& s = out.samples[i];
        s.time = i * h;
        s.torque = D[4] / kJ + load;
        s.mechSpeed = X[6] / ratio;
        s.current = s.torque * imc;

        speedFeedback = speedFeedback * c.sensWPole + c.sensWGain * (long double)s.mechSpeed;
        speedErrSum = speedErrSum + speedErr;
        speedErr = speedRef * 1.0L - speedFeedback;
        long double torqueRef =
            speedErr * p.Kpw + speedErrSum * c.intW + (speedErr - speedErrPrev) * c.difW;
        if (p.Imax > 0)
            torqueRef = torqueRef < -imax ? -imax : (imax < torqueRef ? imax : torqueRef);
        speedErrPrev = speedErr;
        torqueFeedback = torqueFeedback * c.sensIPole + c.sensIGain * (long double)s.current;
        torqueErrSum = torqueErrSum + torqueErr;
        torqueErr = torqueRef - torqueFeedback;
        const long double output =
            torqueErr * p.KpI + torqueErrSum * c.intI + (torqueErr - torqueErrPrev) * c.difI;
        torqueErrPrev = torqueErr;
        const long double lagged = ctrlOutPrev * c.convPole + output * c.convGain;
        ctrlOutPrev = lagged;
        supplyVoltage = lagged * p.ii / imc;
    }
    return FiniteCount(out, count);
}

} // namespace hand
