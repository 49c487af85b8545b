#include "SampledLoops.h"

#include <array>
#include <cmath>

namespace kinetra {

namespace {

using Complex = std::complex<double>;
using Matrix3 = std::array<std::array<double, 3>, 3>;

Matrix3 Product(const Matrix3& a, const Matrix3& b)
{
    Matrix3 c{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                c[i][j] += a[i][k] * b[k][j];
    return c;
}

// exp(M) by scaling, a Taylor series and squaring; M is small and well scaled here.
Matrix3 Exponential(Matrix3 m)
{
    double norm = 0;
    for (const auto& row : m)
        for (const double v : row)
            norm = std::max(norm, std::abs(v));
    int squarings = 0;
    while (norm > 0.25) {
        norm *= 0.5;
        ++squarings;
    }
    const double scale = std::ldexp(1.0, -squarings);
    for (auto& row : m)
        for (double& v : row)
            v *= scale;
    Matrix3 result{};
    Matrix3 term{};
    for (int i = 0; i < 3; ++i)
        result[i][i] = term[i][i] = 1;
    for (int n = 1; n <= 16; ++n) {
        term = Product(term, m);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                term[i][j] /= n;
                result[i][j] += term[i][j];
            }
    }
    for (int s = 0; s < squarings; ++s)
        result = Product(result, result);
    return result;
}

// A first-order lag as the controller samples it: y[k] = (1 - step / T) y[k-1] + step / T x[k].
Complex Lag(Complex zInverse, double time, double step)
{
    const double a = step / time;
    return a / (1.0 - (1 - a) * zInverse);
}

// The controller's PID: the integral on the error sum of the steps before, the derivative on the
// error's change over one step.
Complex Pid(Complex zInverse, const LoopSettings& loop, double step)
{
    const double integral = loop.integralTime >= step ? loop.gain * step / loop.integralTime : 0;
    const double derivative = loop.gain * loop.derivativeTime / step;
    return loop.gain + integral * zInverse / (1.0 - zInverse) + derivative * (1.0 - zInverse);
}

} // namespace

SampledPlant SamplePlant(const DrivePlant& plant)
{
    const double dt = plant.timeStep;
    const double L = plant.inductance;
    Matrix3 m{};
    m[0][0] = -plant.resistance / L * dt;
    m[0][1] = -plant.emfPerSpeed / L * dt;
    m[0][2] = plant.voltagePerCommand / L * dt;
    m[1][0] = plant.torquePerCurrent / plant.inertia * dt;
    const Matrix3 e = Exponential(m);
    return {{{e[0][0], e[0][1]}, {e[1][0], e[1][1]}}, {e[0][2], e[1][2]}};
}

Complex LoopTransfers::of(Loop loop) const
{
    switch (loop) {
    case Loop::Current:
        return current;
    case Loop::Speed:
        return speed;
    case Loop::Position:
        return position;
    }
    return {};
}

LoopTransfers OpenLoops(const CascadeModel& cascade, const SampledPlant& sampled, double omega)
{
    const DrivePlant& plant = cascade.plant;
    const double dt = plant.timeStep;
    const Complex z = std::polar(1.0, omega * dt);
    const Complex zInverse = 1.0 / z;

    // The plant from the command to the current and the speed readings, the converter's lag and
    // the bridge's wait for its firing before it.
    const auto& A = sampled.A;
    const auto& B = sampled.B;
    const Complex determinant = (z - A[0][0]) * (z - A[1][1]) - A[0][1] * A[1][0];
    const Complex current = ((z - A[1][1]) * B[0] + A[0][1] * B[1]) / determinant;
    const Complex speed = (A[1][0] * B[0] + (z - A[0][0]) * B[1]) / determinant;
    const Complex converter =
        Lag(zInverse, cascade.converterTime, dt) * std::polar(1.0, -omega * cascade.pulseDeadTime);
    const Complex toReading = converter * current * plant.readingPerCurrent;
    const Complex toSpeed = converter * speed / plant.gearRatio;

    LoopTransfers open{};
    const LoopSettings* I = cascade.find(Loop::Current);
    const Complex controllerI = Pid(zInverse, *I, dt);
    open.current = controllerI * toReading * I->sensorGain * Lag(zInverse, I->sensorTime, dt);
    const LoopSettings* W = cascade.find(Loop::Speed);
    if (!W)
        return open;
    // From the speed controller's output (the current reference) to the mechanism's speed.
    const Complex innerToSpeed = controllerI * toSpeed / (1.0 + open.current);
    const Complex controllerW = Pid(zInverse, *W, dt);
    open.speed = controllerW * innerToSpeed * W->sensorGain * Lag(zInverse, W->sensorTime, dt);
    const LoopSettings* F = cascade.find(Loop::Position);
    if (!F)
        return open;
    // The controller integrates the speed into the position once a step.
    const Complex closedSpeed = controllerW * innerToSpeed / (1.0 + open.speed);
    const Complex integrated = dt / (1.0 - zInverse);
    open.position = Pid(zInverse, *F, dt) * closedSpeed * integrated * F->sensorGain *
                    Lag(zInverse, F->sensorTime, dt);
    return open;
}

} // namespace kinetra
