#include "Controller.h"

#include <algorithm>

#include "Defaults.h"

namespace kinetra {

namespace {

// A sensor or converter lag faster than the sampling period follows its input within one step.
void RaiseToStep(double& timeConstant, double timeStep)
{
    if (timeConstant < timeStep)
        timeConstant = timeStep;
}

// A positive limit bounds a loop's output on both sides; any other limit leaves it free.
long double Limited(long double value, double limit)
{
    if (!(limit > 0))
        return value;
    const long double bound = limit;
    return std::clamp(value, -bound, bound);
}

// A loop's sensor (a lag of gain sensorGain, its time constant raised to the step) and its
// controller's integral and derivative coefficients; without integration time there is no
// integral action.
struct LoopCoefficients {
    double& sensorPole;
    double& sensorGain;
    double& integral;
    double& derivative;
};

void SetupLoopCoefficients(double gain, double integrationTime, double differentiationTime,
                           double sensorGain, double& sensorTime, double timeStep,
                           LoopCoefficients coefficients)
{
    const long double dt = timeStep;
    RaiseToStep(sensorTime, timeStep);
    coefficients.sensorPole = 1 - dt / sensorTime;
    coefficients.sensorGain = sensorGain * dt / sensorTime;
    coefficients.integral = integrationTime >= timeStep ? gain * dt / integrationTime : 0;
    coefficients.derivative = static_cast<long double>(gain) * differentiationTime / dt;
}

bool ControllerApplies(const ModelParams& params)
{
    const bool hasReference = params.wref != 0 || params.Iref != 0 || params.Mref != 0;
    return params.SupplyKind >= 1 && params.U0 != 0 && params.F0 != 0 && hasReference;
}

void SetupPositionLoop(ModelParams& params, RunData& run)
{
    run.loopF = params.Kpf != 0;
    if (!run.loopF)
        return;
    ReplaceZero(params.Kpw, 1);
    ReplaceZero(params.KpI, 1);
    const long double dt = run.timeStep;
    ControllerCoefficients& c = run.coefficients;
    c.compF = params.Kk / dt;
    params.fmax = params.Kf * params.fmax;
    SetupLoopCoefficients(params.Kpf, params.Tpfint, params.Tpfdif, params.Kf, params.Tf,
                          run.timeStep, {c.sensFPole, c.sensFGain, c.intF, c.difF});
}

void SetupSpeedLoop(ModelParams& params, RunData& run)
{
    run.loopW = params.Kpw != 0;
    if (!run.loopW)
        return;
    ReplaceZero(params.KpI, 1);
    if (!run.loopF) {
        const long double reference = params.wref;
        run.memory.speedRef = params.Kw != 0 ? reference * params.Kw : reference;
    }
    if (params.Kw != 0)
        params.wmax = params.Kw * params.wmax;
    ControllerCoefficients& c = run.coefficients;
    SetupLoopCoefficients(params.Kpw, params.Tpwint, params.Tpwdif, params.Kw, params.Tw,
                          run.timeStep, {c.sensWPole, c.sensWGain, c.intW, c.difW});
}

void SetupCurrentLoop(ModelParams& params, RunData& run)
{
    run.loopI = params.KpI != 0;
    if (!run.loopI)
        return;
    if (!run.loopW && !run.loopF) {
        const long double reference = params.Mref != 0 ? params.Mref : params.Iref;
        run.memory.torqueRef = params.KI != 0 ? reference * params.KI : reference;
    }
    if (params.KI != 0)
        params.Imax = params.KI * params.Imax;
    ControllerCoefficients& c = run.coefficients;
    SetupLoopCoefficients(params.KpI, params.TpIint, params.TpIdif, params.KI, params.TI,
                          run.timeStep, {c.sensIPole, c.sensIGain, c.intI, c.difI});
}

void SetupConverter(ModelParams& params, RunData& run)
{
    const long double dt = run.timeStep;
    ControllerCoefficients& c = run.coefficients;
    RaiseToStep(params.T0, run.timeStep);
    c.convPole = 1 - dt / params.T0;
    c.convGain = run.converterGain * dt / params.T0;
}

// Each loop step reads its memory once, works on locals and stores the memory once: extended
// values passed on through memory would stall on the store just made.

// The position reference is a ramp at the speed wref, scaled like the sensor; it stops while the
// measured position stands at the limit fmax. The compensator adds the reference's rate. Gives
// the speed reference.
long double StepPositionLoop(const ModelParams& params, RunData& run, long double speed,
                             long double shape)
{
    ControllerMemory& m = run.memory;
    const ControllerCoefficients& c = run.coefficients;
    const long double dt = run.timeStep;
    const long double sensorGain = params.Kf != 0 ? params.Kf : 1;
    const long double previousRef = m.posRefPrev;
    const long double previousErr = m.posErrPrev;
    const long double position = m.position + speed * dt;
    const long double feedback = m.posFeedback * c.sensFPole + position * c.sensFGain;
    long double reference = m.posRef + params.wref * dt * sensorGain * shape;
    if (params.fmax > 0 && feedback >= params.fmax)
        reference = previousRef;
    const long double errSum = m.posErrSum + m.posErr;
    const long double err = reference - feedback;
    const long double speedRef =
        Limited(err * params.Kpf + errSum * c.intF + (err - previousErr) * c.difF +
                    (reference - previousRef) * c.compF,
                params.wmax);
    m.posRef = reference;
    m.position = position;
    m.posFeedback = feedback;
    m.posErrSum = errSum;
    m.posErr = err;
    m.posErrPrev = err;
    m.posRefPrev = reference;
    m.speedRef = speedRef;
    return speedRef;
}

// Gives the torque (current) reference.
long double StepSpeedLoop(const ModelParams& params, RunData& run, long double speedRef,
                          long double speed, long double shape)
{
    ControllerMemory& m = run.memory;
    const ControllerCoefficients& c = run.coefficients;
    const long double previousErr = m.speedErrPrev;
    const long double feedback = m.speedFeedback * c.sensWPole + c.sensWGain * speed;
    const long double errSum = m.speedErrSum + m.speedErr;
    const long double reference = params.Kpf == 0 ? speedRef * shape : speedRef;
    const long double err = reference - feedback;
    const long double torqueRef =
        Limited(err * params.Kpw + errSum * c.intW + (err - previousErr) * c.difW, params.Imax);
    m.speedFeedback = feedback;
    m.speedErrSum = errSum;
    m.speedErr = err;
    m.speedErrPrev = err;
    m.torqueRef = torqueRef;
    return torqueRef;
}

// Under a torque reference the loop feeds back the torque, otherwise the current. Gives the
// controller output before the converter lag.
long double StepCurrentLoop(const ModelParams& params, RunData& run, long double torqueRef,
                            const ResultSample& measured, long double shape)
{
    ControllerMemory& m = run.memory;
    const ControllerCoefficients& c = run.coefficients;
    const long double previousErr = m.torqueErrPrev;
    const long double measuredValue = params.Mref != 0 ? measured.torque : measured.current;
    const long double feedback = m.torqueFeedback * c.sensIPole + c.sensIGain * measuredValue;
    const long double errSum = m.torqueErrSum + m.torqueErr;
    const long double reference = params.Kpw == 0 ? torqueRef * shape : torqueRef;
    const long double err = reference - feedback;
    m.torqueFeedback = feedback;
    m.torqueErrSum = errSum;
    m.torqueErr = err;
    m.torqueErrPrev = err;
    return err * params.KpI + errSum * c.intI + (err - previousErr) * c.difI;
}

} // namespace

bool ControllerSetup(SimulationRecord& record)
{
    ModelParams& params = record.params;
    RunData& run = record.run;
    run.memory = {};
    run.coefficients = {};
    run.loopF = false;
    run.loopW = false;
    run.loopI = false;
    if (!ControllerApplies(params))
        return false;
    SetupPositionLoop(params, run);
    SetupSpeedLoop(params, run);
    SetupCurrentLoop(params, run);
    SetupConverter(params, run);
    return true;
}

void ControllerStep(SimulationRecord& record, int index)
{
    const ModelParams& params = record.params;
    RunData& run = record.run;
    ControllerMemory& m = run.memory;
    const ControllerCoefficients& c = run.coefficients;
    const ResultSample& measured = run.samples[index];
    const long double shape = params.VariableReference ? record.signal[index] : 1.0L;

    long double speedRef = m.speedRef;
    if (run.loopF) {
        speedRef = StepPositionLoop(params, run, measured.mechSpeed, shape);
        run.positions[index] = static_cast<double>(m.position);
    }
    long double torqueRef = m.torqueRef;
    if (run.loopW)
        torqueRef = StepSpeedLoop(params, run, speedRef, measured.mechSpeed, shape);
    const long double output =
        run.loopI ? StepCurrentLoop(params, run, torqueRef, measured, shape) : params.wref;

    const long double lagged = m.ctrlOutPrev * c.convPole + output * c.convGain;
    m.ctrlOut = lagged;
    m.ctrlOutPrev = lagged;
    // The chain's output is a speed at the mechanism shaft; the voltage that gives it at no load.
    run.supplyVoltage = lagged * params.ii / run.invMachineConstant;
}

} // namespace kinetra
