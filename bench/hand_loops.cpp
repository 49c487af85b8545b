#include "hand_loops.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace hand {

namespace {

using kinetra::ModelParams;
using kinetra::ResultCapacity;
using kinetra::ResultSample;
using kinetra::RunData;

// The drive's seven states and the four energy flows the engine integrates with them.
using State = std::array<double, 11>;

constexpr double Limit = 10000;
constexpr double Pi = std::numbers::pi;
constexpr int Refinement = 16;

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

// Friction without backlash: it opposes the motion and holds the drive at rest up to its torque.
inline double Friction(double speed, double torque, double driving)
{
    if (speed < 0)
        return -torque;
    if (speed != 0)
        return torque;
    return driving < -torque ? -torque : (torque < driving ? torque : driving);
}

struct Phasor {
    double c = 1, s = 0;
};

inline Phasor Of(double angle)
{
    return {std::cos(angle), std::sin(angle)};
}

inline Phasor Turned(Phasor a, Phasor b)
{
    return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s};
}

// The turns of a sine over half a stretch and a whole one, kept for the last stretch's length.
struct Turns {
    double omega;
    double length = -1;
    Phasor half{}, whole{};

    void set(double l)
    {
        if (l == length)
            return;
        length = l;
        half = Of(0.5 * omega * l);
        whole = Of(omega * l);
    }
};

// One classical Runge-Kutta step, as the engine's: rates(stage, Y, D) with stage 0, 1, 1, 2.
template <typename Rates>
[[gnu::always_inline]] inline void Step(double h, State& X, State& D, Rates&& rates)
{
    const State X0 = X;
    State Y = X0, A;
    A.fill(-0.0);
    rates(0, Y, D);
#pragma GCC unroll 12
    for (int j = 0; j < 11; ++j) {
        const double k = h * D[j];
        A[j] = A[j] + k;
        Y[j] = X0[j] + 0.5 * k;
    }
    rates(1, Y, D);
#pragma GCC unroll 12
    for (int j = 0; j < 11; ++j) {
        const double k = h * D[j];
        A[j] = A[j] + 2 * k;
        Y[j] = X0[j] + 0.5 * k;
    }
    rates(1, Y, D);
#pragma GCC unroll 12
    for (int j = 0; j < 11; ++j) {
        const double k = h * D[j];
        A[j] = A[j] + 2 * k;
        Y[j] = X0[j] + k;
    }
    rates(2, Y, D);
#pragma GCC unroll 12
    for (int j = 0; j < 11; ++j)
        X[j] = (A[j] + h * D[j]) / 6 + X0[j];
}

// The reach check after each sample; the bench drives never pass it.
struct Watch {
    kinetra::PhysicalReach reach;
    double fastest = 0, last = 0, loadWork = 0;

    bool passed(double time, double current, double speed, double loadSpeed, double stored)
    {
        fastest = std::max(fastest, std::abs(loadSpeed));
        loadWork += reach.loadTorque * fastest * (time - last);
        last = time;
        const double energy = reach.supplyPower * time + loadWork;
        return std::isgreater(std::abs(current), 2 * reach.current) ||
               std::isgreater(std::abs(speed), 2 * reach.motorSpeed) ||
               std::isgreater(stored, 2 * energy);
    }
};

} // namespace

// The DC motor with permanent magnets on the thyristor converter under the position, speed and
// current loops; rigid transmission, friction.
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
    const double f = 0.5 * p.m1;
    const double field = prepared.fieldCurrent;
    const double u1a = 0;
    const auto& c = prepared.coefficients;
    const double halfPulse = prepared.halfPulseAngle;
    const double peak = prepared.peakVoltage;
    const double pulseTime = prepared.thyristor.pulseDuration;
    double pulse = -1, margin = 0;
    double supplyVoltage = 0;
    Phasor phase;
    Turns turns{2 * Pi * 50};

    long double posRef = 0, posRefPrev = 0, posErrPrev = 0, posErr = 0, posErrSum = 0;
    long double position = 0, posFeedback = 0;
    long double speedFeedback = 0, speedErrSum = 0, speedErr = 0, speedErrPrev = 0;
    long double torqueFeedback = 0, torqueErrSum = 0, torqueErr = 0, torqueErrPrev = 0;
    long double ctrlOutPrev = 0;
    const long double sensorGainF = p.Kf != 0 ? p.Kf : 1;
    const long double wmax = p.wmax, imax = p.Imax;

    const double friction = prepared.loadTorque;
    const double ratio = p.ii;
    const int count = SampleCount(p.Tmax, h);
    const int subSteps = prepared.subSteps;
    const double sub = h / subSteps;
    const double coincident = 1e-9 * sub;
    Watch watch{prepared.reach};
    State X{}, D{};
    double load = 0;

    const auto fire = [&](double time, double now) {
        if (!((pulse + 1) * pulseTime <= time))
            return;
        pulse = std::max(pulse + 1, std::floor(time / pulseTime));
        double rel = 0.95;
        if (supplyVoltage < p.U0)
            rel = supplyVoltage / p.U0;
        rel = rel <= -1 ? -0.95 : rel;
        const double firingAngle = Pi / 2 - std::atan(rel / std::sqrt(1 - rel * rel));
        margin = firingAngle - halfPulse;
        phase = Of(margin + 2 * halfPulse * ((now - pulse * pulseTime) / pulseTime));
    };
    const auto stretch = [&](double length) {
        turns.set(length);
        const Phasor phases[3] = {phase, Turned(phase, turns.half), Turned(phase, turns.whole)};
        const double u2a[3] = {peak * phases[0].c, peak * phases[1].c, peak * phases[2].c};
        phase = phases[2];
        const double before = X[4] / p1;
        Step(
            length, X, D, [&](int stage, State& Y, State& R) __attribute__((always_inline)) {
#pragma GCC unroll 7
                for (int j = 0; j < 7; ++j)
                    Y[j] = Clamp(Y[j]);
                Y[1] = field;
                Y[2] = std::max(Y[2], 0.0);
                const double we = Y[4];
                const double u = u2a[stage];
                R[0] = 0;
                R[1] = 0;
                R[3] = 0;
                R[2] = b1 * u - b2 * u1a + b3 * Y[0] - b4 * Y[2] - b5 * we * Y[1] - b6 * we * Y[3];
                if (Y[2] == 0 && R[2] < 0)
                    R[2] = 0;
                R[7] = f * u * Y[2];
                R[8] = f * R2s * Y[2] * Y[2];
                const double torque = kM * (Y[1] * Y[2] - Y[0] * Y[3]);
                load = Friction(Y[4], friction, torque);
                R[4] = (torque - load) * kJ;
                R[6] = R[4] / p1;
                R[9] = load * (Y[4] / p1);
            });
        X[2] = std::max(X[2], 0.0);
        const double after = X[4] / p1;
        if (before != 0 && (after == 0 || (before > 0) != (after > 0)) &&
            !(std::abs(kM * (field * X[2] - X[0] * X[3])) > friction)) {
            X[6] = 0;
            X[4] = 0;
        }
    };
    const auto advance = [&](double length) {
        const State state = X, rates = D;
        const Phasor start = phase;
        stretch(length);
        const double before = state[4] / p1, after = X[4] / p1;
        if ((state[2] == 0) == (X[2] == 0) && (before == 0) == (after == 0) && before * after >= 0)
            return;
        X = state;
        D = rates;
        phase = start;
        for (int k = 0; k < Refinement; ++k)
            stretch(length / Refinement);
    };

    for (int i = 1; i < count; ++i) {
        const double sampleStart = (i - 1) * h;
        for (int s = 0; s < subSteps; ++s) {
            const double start = sampleStart + s * sub;
            const double end = sampleStart + (s + 1) * sub;
            fire(start + coincident, start);
            const double firing = (pulse + 1) * pulseTime;
            if (firing < end - coincident) {
                advance(firing - start);
                fire(end - coincident, firing);
                advance(end - firing);
            } else {
                advance(sub);
            }
        }

        ResultSample& s = out.samples[i];
        s.time = i * h;
        s.torque = D[4] / kJ + load;
        s.mechSpeed = X[6] / ratio;
        s.current = s.torque * imc;
        const double speed = X[4] / p1;
        if (watch.passed(s.time, X[2], speed, speed,
                         f * 0.5 * X[2] * X[2] / b1 + 0.5 * (p1 / kJ) * speed * speed))
            return i + 1;

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

// The induction motor started direct on line, driving the mechanism through an elastic shaft
// against friction.
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
    const double f = 0.5 * p.m1;
    const double stiffness = prepared.stiffness, damping = prepared.damping;
    const double inertia = prepared.loadInertia != 0 ? prepared.loadInertia : 0.1 * p.J;
    const double omega = 2 * Pi * prepared.supplyFrequency;
    const double amplitude = std::numbers::sqrt2 * prepared.supplyVoltage;
    const double u2a = 0, u2b = 0;
    Phasor phase;
    Turns turns{omega};

    const double friction = prepared.loadTorque;
    const double ratio = p.ii;
    const int count = SampleCount(p.Tmax, h);
    const int subSteps = prepared.subSteps;
    const double sub = h / subSteps;
    Watch watch{prepared.reach};
    State X{}, D{};

    const auto stretch = [&](double length) {
        turns.set(length);
        const Phasor phases[3] = {phase, Turned(phase, turns.half), Turned(phase, turns.whole)};
        phase = phases[2];
        const double before = X[6];
        Step(
            length, X, D, [&](int stage, State& Y, State& R) __attribute__((always_inline)) {
#pragma GCC unroll 7
                for (int j = 0; j < 7; ++j)
                    Y[j] = Clamp(Y[j]);
                const double we = Y[4];
                const double u1a = amplitude * phases[stage].c;
                const double u1b = amplitude * phases[stage].s;
                R[0] =
                    -a1 * u2a + a2 * u1a - a3 * Y[0] + a4 * Y[2] + a5 * we * Y[1] + a6 * we * Y[3];
                R[1] =
                    -a1 * u2b + a2 * u1b - a3 * Y[1] + a4 * Y[3] - a5 * we * Y[0] - a6 * we * Y[2];
                R[3] =
                    b1 * u2b - b2 * u1b + b3 * Y[1] - b4 * Y[3] + b5 * we * Y[0] + b6 * we * Y[2];
                R[2] =
                    b1 * u2a - b2 * u1a + b3 * Y[0] - b4 * Y[2] - b5 * we * Y[1] - b6 * we * Y[3];
                R[7] = f * (u1a * Y[0] + u1b * Y[1] + u2a * Y[2] + u2b * Y[3]);
                R[8] = f * (R1s * (Y[0] * Y[0] + Y[1] * Y[1]) + R2s * (Y[2] * Y[2] + Y[3] * Y[3]));
                const double torque = kM * (Y[1] * Y[2] - Y[0] * Y[3]);
                const double load = Friction(p1 * Y[6], friction, Y[5]);
                R[4] = (torque - Y[5]) * kJm;
                R[5] = (Y[4] / p1 - Y[6]) * stiffness + (R[4] / p1 - R[6]) * damping;
                R[6] = (Y[5] - load) / inertia;
                R[9] = load * Y[6];
                R[10] = Y[5] * (Y[4] / p1 - Y[6]);
            });
        const double after = X[6];
        if (before != 0 && (after == 0 || (before > 0) != (after > 0)) &&
            !(std::abs(X[5]) > friction))
            X[6] = 0;
    };
    const auto advance = [&](double length) {
        const State state = X, rates = D;
        const Phasor start = phase;
        stretch(length);
        const double before = state[6], after = X[6];
        if ((before == 0) == (after == 0) && before * after >= 0)
            return;
        X = state;
        D = rates;
        phase = start;
        for (int k = 0; k < Refinement; ++k)
            stretch(length / Refinement);
    };

    for (int i = 1; i < count; ++i) {
        const double sampleStart = (i - 1) * h;
        phase = Of(omega * sampleStart);
        for (int s = 0; s < subSteps; ++s)
            advance(sub);

        ResultSample& s = out.samples[i];
        s.time = i * h;
        s.torque = D[4] / kJm + X[5];
        s.motorSpeed = X[4] / p1;
        s.mechSpeed = X[6] / ratio;
        s.current = std::sqrt(X[0] * X[0] + X[1] * X[1]);
        const double magnetic =
            f * 0.5 *
            (L1s * (X[0] * X[0] + X[1] * X[1]) + L2s * (X[2] * X[2] + X[3] * X[3]) +
             2 * Lm * (X[0] * X[2] + X[1] * X[3]));
        const double kinetic =
            0.5 * (p1 / kJm) * s.motorSpeed * s.motorSpeed + 0.5 * inertia * X[6] * X[6];
        if (watch.passed(s.time, std::max(std::hypot(X[0], X[1]), std::hypot(X[2], X[3])),
                         s.motorSpeed, X[6], magnetic + kinetic))
            return i + 1;
    }
    return FiniteCount(out, count);
}

// The induction motor on a transistor converter under the speed and current loops, driven like
// a DC motor with its field held at the rated current; rigid transmission, friction.
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
    const double f = 0.5 * p.m1;
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

    const double friction = prepared.loadTorque;
    const double ratio = p.ii;
    const int count = SampleCount(p.Tmax, h);
    const int subSteps = prepared.subSteps;
    const double sub = h / subSteps;
    Watch watch{prepared.reach};
    State X{}, D{};
    double load = 0;
    double u2a = 0;

    const auto stretch = [&](double length) {
        const double before = X[4] / p1;
        Step(
            length, X, D, [&](int, State& Y, State& R) __attribute__((always_inline)) {
#pragma GCC unroll 7
                for (int j = 0; j < 7; ++j)
                    Y[j] = Clamp(Y[j]);
                Y[1] = field;
                const double we = Y[4];
                R[0] = 0;
                R[1] = 0;
                R[3] = 0;
                R[2] =
                    b1 * u2a - b2 * u1a + b3 * Y[0] - b4 * Y[2] - b5 * we * Y[1] - b6 * we * Y[3];
                R[7] = f * u2a * Y[2];
                R[8] = f * R2s * Y[2] * Y[2];
                const double torque = kM * (Y[1] * Y[2] - Y[0] * Y[3]);
                load = Friction(Y[4], friction, torque);
                R[4] = (torque - load) * kJ;
                R[6] = R[4] / p1;
                R[9] = load * (Y[4] / p1);
            });
        const double after = X[4] / p1;
        if (before != 0 && (after == 0 || (before > 0) != (after > 0)) &&
            !(std::abs(kM * (field * X[2] - X[0] * X[3])) > friction)) {
            X[6] = 0;
            X[4] = 0;
        }
    };
    const auto advance = [&](double length) {
        const State state = X, rates = D;
        stretch(length);
        const double before = state[4] / p1, after = X[4] / p1;
        if ((before == 0) == (after == 0) && before * after >= 0)
            return;
        X = state;
        D = rates;
        for (int k = 0; k < Refinement; ++k)
            stretch(length / Refinement);
    };

    for (int i = 1; i < count; ++i) {
        const double outputLimit = p.U0 * gain;
        if (outputLimit < supplyVoltage)
            supplyVoltage = outputLimit + 0.001;
        u2a = supplyVoltage / gain;
        for (int s = 0; s < subSteps; ++s)
            advance(sub);

        ResultSample& s = out.samples[i];
        s.time = i * h;
        s.torque = D[4] / kJ + load;
        s.mechSpeed = X[6] / ratio;
        s.current = s.torque * imc;
        const double speed = X[4] / p1;
        if (watch.passed(s.time, X[2], speed, speed,
                         f * 0.5 * X[2] * X[2] / b1 + 0.5 * (p1 / kJ) * speed * speed))
            return i + 1;

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
