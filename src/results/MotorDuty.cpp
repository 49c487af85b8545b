#include "MotorDuty.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>

#include "CurrentRating.h"
#include "FixedNumber.h"
#include "RunSamples.h"

namespace kinetra {

namespace {

constexpr std::int32_t InductionMotor = 0;
constexpr std::int32_t Servomotor = 2;

} // namespace

double ShortTimeOverload(std::int32_t motorKind)
{
    switch (motorKind) {
    case InductionMotor:
        return 2;
    case Servomotor:
        return 3;
    default:
        return 2.5;
    }
}

MotorDuty MotorDutyOf(const RunData& run, const ModelParams& params)
{
    MotorDuty duty;
    duty.shortTimeFactor = ShortTimeOverload(params.MotorKind);
    const std::span<const ResultSample> samples = ValidSamples(run);
    if (samples.empty())
        return duty;
    double torqueSquares = 0;
    double currentSquares = 0;
    for (const ResultSample& sample : samples) {
        torqueSquares += sample.torque * sample.torque;
        currentSquares += sample.current * sample.current;
        duty.peakTorque = std::max(duty.peakTorque, std::fabs(sample.torque));
    }
    const double count = double(samples.size());
    duty.rmsTorque = std::sqrt(torqueSquares / count);
    // An amplitude's mean square is twice the phase current's.
    const double currentMeanSquare = currentSquares / count;
    duty.rmsCurrent =
        std::sqrt(CurrentIsAmplitude(params) ? currentMeanSquare / 2 : currentMeanSquare);
    duty.rmsCurrentToRated = Ratio(duty.rmsCurrent, params.I);
    if (params.P > 0 && params.w > 0) {
        const double ratedTorque = 1000 * params.P / params.w;
        duty.rmsTorqueToRated = Ratio(duty.rmsTorque, ratedTorque);
        duty.peakTorqueToShortTime = Ratio(duty.peakTorque, duty.shortTimeFactor * ratedTorque);
    }
    return duty;
}

FigureColumn MotorDutyColumn(const MotorDuty& duty, QChar decimalSeparator)
{
    FigureColumn column;
    column.addLine(QCoreApplication::translate("MotorDuty", "Двигатель за цикл"));
    const auto add = [&](const QString& label, std::optional<double> value) {
        if (value)
            column.addFigure(label, Fixed(*value, 2, decimalSeparator));
    };
    add(QCoreApplication::translate("MotorDuty", " момент действующий, Нм"), duty.rmsTorque);
    add(QCoreApplication::translate("MotorDuty", " к номинальному"), duty.rmsTorqueToRated);
    add(QCoreApplication::translate("MotorDuty", " ток действующий, А"), duty.rmsCurrent);
    add(QCoreApplication::translate("MotorDuty", " к номинальному"), duty.rmsCurrentToRated);
    add(QCoreApplication::translate("MotorDuty", " пик момента к %1 Мн")
            .arg(Fixed(duty.shortTimeFactor, 1, decimalSeparator)),
        duty.peakTorqueToShortTime);
    return column;
}

QList<StepResponseField> MotorDutyFields(const MotorDuty& duty)
{
    return {
        FigureField("rmsTorque", duty.rmsTorque),
        FigureField("rmsTorqueToRated", duty.rmsTorqueToRated),
        FigureField("rmsCurrent", duty.rmsCurrent),
        FigureField("rmsCurrentToRated", duty.rmsCurrentToRated),
        FigureField("peakTorqueToShortTime", duty.peakTorqueToShortTime),
    };
}

} // namespace kinetra
