#include "StepComparison.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "SampledLoops.h"
#include "Simulation.h"

namespace kinetra {

namespace {

// One loop of the linear cascade, stepped as the engine's controller steps it, without limits.
class LinearLoop {
public:
    LinearLoop(const LoopSettings& settings, double step)
        : m_gain(settings.gain),
          m_integral(settings.integralTime >= step ? settings.gain * step / settings.integralTime
                                                   : 0),
          m_derivative(settings.gain * settings.derivativeTime / step),
          m_sensorPole(1 - step / settings.sensorTime),
          m_sensorGain(settings.sensorGain * step / settings.sensorTime)
    {
    }

    // The loop's output from its reference and its measured value; the integral works on the sum
    // of the errors of the steps before, the derivative on the error's change.
    double step(double reference, double measured)
    {
        m_feedback = m_feedback * m_sensorPole + m_sensorGain * measured;
        m_errorSum += m_error;
        const double previous = m_error;
        m_error = reference - m_feedback;
        return m_error * m_gain + m_errorSum * m_integral + (m_error - previous) * m_derivative;
    }

private:
    double m_gain, m_integral, m_derivative, m_sensorPole, m_sensorGain;
    double m_feedback = 0, m_error = 0, m_errorSum = 0;
};

// The cascade's linear model in time: the sampled plant, the converter's lag, the bridge's wait
// for its firing, and the loops from the outermost one asked for inwards.
class LinearCascade {
public:
    LinearCascade(const CascadeModel& cascade, Loop outer)
        : m_cascade(cascade), m_plant(SamplePlant(cascade.plant)), m_outer(outer)
    {
        const double dt = cascade.plant.timeStep;
        for (const LoopSettings& settings : cascade.loops) {
            if (static_cast<int>(settings.loop) <= static_cast<int>(outer))
                m_loops.emplace_back(settings, dt);
        }
        m_converterPole = 1 - dt / cascade.converterTime;
        const double wait = cascade.pulseDeadTime / dt;
        m_waitSteps = static_cast<int>(wait);
        m_waitShare = wait - m_waitSteps;
        m_commands.assign(m_waitSteps + 2, 0.0);
        const LoopSettings* current = cascade.find(Loop::Current);
        const LoopSettings* speed = cascade.find(Loop::Speed);
        m_currentLimit = current->limit * current->sensorGain;
        m_speedLimit = speed ? speed->limit * speed->sensorGain : 0;
    }

    // Integrates one step under the command in effect, then lets the controller act on the new
    // sample. reference is the outer loop's; positionRate adds the compensator's feed-forward
    // of a position reference that changed by referenceChange since the step before.
    void step(double reference, double referenceChange, double compensator)
    {
        const DrivePlant& plant = m_cascade.plant;
        const double dt = plant.timeStep;
        const double applied =
            (1 - m_waitShare) * m_commands[m_waitSteps] + m_waitShare * m_commands[m_waitSteps + 1];
        const double i = m_x[0];
        const double w = m_x[1];
        m_x[0] = m_plant.A[0][0] * i + m_plant.A[0][1] * w + m_plant.B[0] * applied;
        m_x[1] = m_plant.A[1][0] * i + m_plant.A[1][1] * w + m_plant.B[1] * applied;

        const double speed = this->speed();
        m_position += speed * dt;
        double value = reference;
        std::size_t loop = m_loops.size();
        if (m_outer == Loop::Position) {
            value = m_loops[--loop].step(value, m_position) + referenceChange * compensator / dt;
            m_limitReached |= m_speedLimit > 0 && std::abs(value) > m_speedLimit;
        }
        if (m_outer != Loop::Current) {
            value = m_loops[--loop].step(value, speed);
            m_limitReached |= m_currentLimit > 0 && std::abs(value) > m_currentLimit;
        }
        const double command = m_loops[0].step(value, reading());
        m_lagged = m_lagged * m_converterPole + command * (1 - m_converterPole);
        m_limitReached |= std::abs(m_lagged * plant.voltagePerCommand) > plant.voltageLimit;
        std::rotate(m_commands.rbegin(), m_commands.rbegin() + 1, m_commands.rend());
        m_commands[0] = m_lagged;
    }

    double reading() const { return m_x[0] * m_cascade.plant.readingPerCurrent; }
    double speed() const { return m_x[1] / m_cascade.plant.gearRatio; }
    double position() const { return m_position; }
    bool limitReached() const { return m_limitReached; }

private:
    const CascadeModel& m_cascade;
    SampledPlant m_plant;
    Loop m_outer;
    std::vector<LinearLoop> m_loops;
    double m_converterPole = 0;
    int m_waitSteps = 0;
    double m_waitShare = 0;
    std::vector<double> m_commands; // the lagged commands, newest first
    double m_x[2] = {0, 0};
    double m_position = 0;
    double m_lagged = 0;
    double m_currentLimit = 0;
    double m_speedLimit = 0;
    bool m_limitReached = false;
};

double ReadingOf(Loop loop, const LinearCascade& linear)
{
    switch (loop) {
    case Loop::Current:
        return linear.reading();
    case Loop::Speed:
        return linear.speed();
    case Loop::Position:
        return linear.position();
    }
    return 0;
}

// The first time after which a series stays within 2 % of its last value.
std::size_t SettlingIndex(const std::vector<double>& series)
{
    const double end = series.back();
    const double band = 0.02 * std::abs(end);
    std::size_t settled = series.size() - 1;
    while (settled > 0 && std::abs(series[settled - 1] - end) <= band)
        --settled;
    return settled;
}

// The engine's run of the comparison: the references at 1 %, no load, no position limit.
std::vector<double> EngineRun(const ModelParams& collected, Loop loop, int samples)
{
    const auto run = std::make_unique<RunData>();
    const auto signal = std::make_unique<SignalSeries>(UnitSignal());
    ModelParams params = collected;
    params.wref *= 0.01;
    params.Iref *= 0.01;
    params.Mref *= 0.01;
    params.Mc = 0;
    params.fmax = 0;
    params.VariableLoad = false;
    params.VariableReference = false;
    params.Tmax = (samples + 0.5) * 0.001;
    SimulationRecord record{params, *run, *signal};
    if (RunSimulation(record) != RunOutcome::Completed)
        return {};
    std::vector<double> readings;
    for (int k = 0; k < run->SampleCount; ++k) {
        const ResultSample& sample = run->samples[k];
        if (loop == Loop::Current)
            readings.push_back(collected.Mref != 0 ? sample.torque : sample.current);
        else
            readings.push_back(sample.mechSpeed);
    }
    return readings;
}

} // namespace

std::vector<double> LinearLoopStep(const CascadeModel& cascade, Loop loop, int steps)
{
    LinearCascade linear(cascade, loop);
    std::vector<double> readings{0};
    for (int k = 1; k <= steps; ++k) {
        linear.step(1, 0, 0);
        readings.push_back(ReadingOf(loop, linear));
    }
    return readings;
}

StepComparison CompareStep(const ModelParams& collected, const CascadeModel& cascade)
{
    StepComparison comparison;
    comparison.loop = cascade.outermost();
    comparison.caveats = cascade.caveats;
    const double dt = cascade.plant.timeStep;
    const Loop loop = comparison.loop;

    // The references as the engine's controller takes them: the speed and the current in their
    // sensors' units, the position as a ramp at the speed wref, whose speed is compared.
    const LoopSettings& outer = cascade.loops.back();
    double reference = 0.01 * (collected.Mref != 0 ? collected.Mref : collected.Iref);
    if (loop != Loop::Current)
        reference = 0.01 * collected.wref;
    comparison.reference = reference;
    const double sensed = reference * outer.sensorGain;
    const double ramp = loop == Loop::Position ? sensed * dt : 0;

    const int capacity = ResultCapacity - 1;
    LinearCascade linear(cascade, loop);
    std::vector<double> readings{0};
    double positionRef = 0;
    for (int k = 1; k < capacity; ++k) {
        positionRef += ramp;
        linear.step(loop == Loop::Position ? positionRef : sensed, ramp, collected.Kk);
        readings.push_back(loop == Loop::Current ? linear.reading() : linear.speed());
    }
    const std::size_t settled = SettlingIndex(readings);
    const int samples = std::min(capacity, std::max(100, static_cast<int>(3 * settled)));
    readings.resize(samples);
    comparison.settlingTime = settled * dt;
    if (linear.limitReached())
        comparison.caveats.push_back(Caveat::LimitReached);

    comparison.engine = EngineRun(collected, loop, samples);
    comparison.linear = readings;
    for (int k = 0; k < samples; ++k)
        comparison.time.push_back(k * dt);
    if (comparison.engine.size() < readings.size()) {
        comparison.engine.clear();
        comparison.deviation = std::numeric_limits<double>::quiet_NaN();
        return comparison;
    }
    comparison.engine.resize(readings.size());
    const std::size_t span = std::max<std::size_t>(settled, 20);
    double largest = 0;
    for (std::size_t k = 0; k <= span && k < readings.size(); ++k)
        largest = std::max(largest, std::abs(readings[k] - comparison.engine[k]));
    comparison.deviation = largest / std::abs(readings.back());
    if (comparison.deviation > 0.05)
        comparison.caveats.push_back(Caveat::LargeDeviation);
    return comparison;
}

} // namespace kinetra
