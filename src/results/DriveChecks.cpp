#include "DriveChecks.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>

#include <QCoreApplication>

#include "CurrentRating.h"
#include "FixedNumber.h"
#include "RunSamples.h"

namespace kinetra {

namespace {

constexpr double ReferenceTolerance = 0.05; // steady-state error that still reaches the reference
constexpr double LimitTolerance = 1.1;      // peak over the current limit still in hand
constexpr double SpeedTolerance = 1.2;      // motor speed over its rated one
constexpr double RatingMismatch = 3;        // converter rating this many times off the motor's
constexpr double BalanceTolerance = 0.01;   // energy balance residual a sound run stays within
// A loop rings when, once its quantity has reached the reference, the quantity swings more than
// this often beyond 5 % of the reference about it, or the current beyond a fifth of its peak about
// its final mean. A thyristor converter's ripple stays within that, a loop that rings does not.
constexpr int MostSwings = 3;
constexpr double QuantityBand = 0.05;
constexpr double CurrentBand = 0.2;

constexpr std::int32_t InductionMotor = 0;
constexpr std::int32_t DcMotor = 1;
constexpr std::int32_t ThyristorConverter = 2;

bool Above(std::optional<double> ratio, double bound)
{
    return ratio && *ratio > bound;
}

bool FarApart(double converter, double motor)
{
    return converter > 0 && motor > 0 &&
           (converter > RatingMismatch * motor || motor > RatingMismatch * converter);
}

// The motor shaft's speed: recorded on an elastic transmission, otherwise the mechanism's speed
// through the gear.
double MotorSpeed(const ResultSample& sample, const ModelParams& params)
{
    return params.ElasticGear ? sample.motorSpeed : sample.mechSpeed * params.ii;
}

bool Overspeed(std::span<const ResultSample> samples, const ModelParams& params)
{
    if (!(params.w > 0))
        return false;
    return std::ranges::any_of(samples, [&params](const ResultSample& sample) {
        return std::fabs(MotorSpeed(sample, params)) > SpeedTolerance * params.w;
    });
}

// A speed or position loop asks the converter for the speed wref at the mechanism; at no load
// the converter's largest voltage gives the speed below. A thyristor converter feeding a DC motor
// rectifies up to U0 itself; the others are capped at U0 * converterGain.
bool ReferenceAboveSupply(const RunData& run, const ModelParams& params)
{
    if (!run.controllerActive || !(run.loopW || run.loopF) || params.ii == 0)
        return false;
    const bool rectifier = params.MotorKind == DcMotor && params.SupplyKind == ThyristorConverter;
    const double largestVoltage = rectifier ? params.U0 : params.U0 * run.converterGain;
    const double noLoadSpeed = std::fabs(largestVoltage * run.invMachineConstant / params.ii);
    return std::fabs(params.wref) > noLoadSpeed;
}

// How often a series passes from beyond a band about its centre on one side to beyond it on the
// other.
int Swings(std::span<const double> values, double centre, double band)
{
    int swings = 0;
    int side = 0;
    for (const double value : values) {
        const int now = value > centre + band ? 1 : (value < centre - band ? -1 : 0);
        if (now == 0 || now == side)
            continue;
        swings += side != 0 ? 1 : 0;
        side = now;
    }
    return swings;
}

// The sample from which a closed loop's quantity has reached its reference: where it first
// comes to the reference, or to 90 % of it when a proportional loop's droop keeps it below.
std::optional<std::size_t> ReferenceReached(std::span<const double> values, double target)
{
    const auto at = [&](double share) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (values[i] / target >= share)
                return i;
        }
        return std::nullopt;
    };
    if (const std::optional<std::size_t> reached = at(1))
        return reached;
    return at(0.9);
}

bool Oscillates(const RunData& run, const StepResponse& response)
{
    if (!response.closedLoop || response.target == 0)
        return false;
    const std::vector<double> quantity = MeasuredValues(run, response.quantity);
    const std::optional<std::size_t> reached = ReferenceReached(quantity, response.target);
    if (!reached)
        return false;
    const std::span<const double> after = std::span(quantity).subspan(*reached);
    if (Swings(after, response.target, QuantityBand * std::fabs(response.target)) > MostSwings)
        return true;
    const std::vector<double> current = MeasuredValues(run, ControlledQuantity::Current);
    const std::span<const double> tail = std::span(current).subspan(current.size() * 9 / 10);
    const double finalMean = std::accumulate(tail.begin(), tail.end(), 0.0) / double(tail.size());
    return Swings(std::span(current).subspan(*reached), finalMean,
                  CurrentBand * response.peakCurrent) > MostSwings;
}

bool NotSettled(const StepResponse& response)
{
    return response.closedLoop && response.figures.step && !response.figures.settling2;
}

bool ReferenceNotReached(const StepResponse& response)
{
    return response.closedLoop && response.steadyStateError &&
           std::fabs(*response.steadyStateError) > ReferenceTolerance * std::fabs(response.target);
}

} // namespace

bool ConverterLoad::ratingExceeded() const
{
    return Above(peakCurrentToRated, 1) || Above(rmsCurrentToRated, 1) || Above(powerToRated, 1);
}

std::optional<ConverterLoad> ConverterLoadOf(const RunData& run, const ModelParams& params)
{
    const std::span<const ResultSample> samples = ValidSamples(run);
    if (params.SupplyKind < 1 || samples.empty())
        return std::nullopt;
    ConverterLoad load;
    double squares = 0;
    for (const ResultSample& sample : samples) {
        load.peakCurrent = std::max(load.peakCurrent, std::fabs(sample.current));
        squares += sample.current * sample.current;
        load.peakPower =
            std::max(load.peakPower, std::fabs(sample.torque * MotorSpeed(sample, params)) * 0.001);
    }
    // An amplitude's rms over the run is the phase current's rms times sqrt(2).
    const double meanSquare = squares / double(samples.size());
    load.rmsCurrent = std::sqrt(CurrentIsAmplitude(params) ? meanSquare / 2 : meanSquare);
    load.peakCurrentToRated = Ratio(load.peakCurrent, RatedCurrentInRecord(params.I0, params));
    load.rmsCurrentToRated = Ratio(load.rmsCurrent, params.I0);
    load.powerToRated = Ratio(load.peakPower, params.P0);
    return load;
}

std::vector<DriveWarning> DriveWarningsOf(const RunData& run, const ModelParams& params,
                                          const StepResponse& response,
                                          const std::optional<ConverterLoad>& converter)
{
    const bool converterFitted = params.SupplyKind >= 1;
    const std::pair<DriveWarning, bool> checks[] = {
        {DriveWarning::ReferenceNotReached, ReferenceNotReached(response)},
        {DriveWarning::CurrentLimitExceeded, Above(response.peakToLimit, LimitTolerance)},
        {DriveWarning::ConverterRatingExceeded, converter && converter->ratingExceeded()},
        {DriveWarning::MotorOverspeed, Overspeed(ValidSamples(run), params)},
        {DriveWarning::ReferenceAboveSupply, ReferenceAboveSupply(run, params)},
        {DriveWarning::ConverterVoltageMismatch, converterFitted && FarApart(params.U0, params.U)},
        {DriveWarning::ConverterCurrentMismatch, converterFitted && FarApart(params.I0, params.I)},
        {DriveWarning::InductionOnRectifier,
         params.MotorKind == InductionMotor && params.SupplyKind == ThyristorConverter},
        {DriveWarning::EnergyBalanceOpen, run.energy.balanceError() > BalanceTolerance},
        {DriveWarning::Oscillation, Oscillates(run, response)},
        {DriveWarning::NotSettled, NotSettled(response)},
    };
    std::vector<DriveWarning> warnings;
    for (const auto& [warning, holds] : checks) {
        if (holds)
            warnings.push_back(warning);
    }
    return warnings;
}

QString DriveWarningText(DriveWarning warning)
{
    switch (warning) {
    case DriveWarning::ReferenceNotReached:
        return QCoreApplication::translate("DriveChecks",
                                           "задание не достигнуто: статическая ошибка больше 5 %");
    case DriveWarning::CurrentLimitExceeded:
        return QCoreApplication::translate("DriveChecks",
                                           "ограничение Imax превышено больше чем на 10 %");
    case DriveWarning::ConverterRatingExceeded:
        return QCoreApplication::translate(
            "DriveChecks", "преобразователь работает сверх номинала по току или мощности");
    case DriveWarning::MotorOverspeed:
        return QCoreApplication::translate(
            "DriveChecks", "скорость двигателя выше номинальной больше чем на 20 %");
    case DriveWarning::ReferenceAboveSupply:
        return QCoreApplication::translate(
            "DriveChecks", "задание выше скорости холостого хода при напряжении U0");
    case DriveWarning::ConverterVoltageMismatch:
        return QCoreApplication::translate(
            "DriveChecks", "напряжение преобразователя U0 далеко от напряжения двигателя U");
    case DriveWarning::ConverterCurrentMismatch:
        return QCoreApplication::translate("DriveChecks",
                                           "ток преобразователя I0 далеко от тока двигателя I");
    case DriveWarning::InductionOnRectifier:
        return QCoreApplication::translate(
            "DriveChecks", "тиристорный преобразователь выпрямляет: асинхронному двигателю нужен "
                           "преобразователь частоты");
    case DriveWarning::EnergyBalanceOpen:
        return QCoreApplication::translate("DriveChecks",
                                           "баланс энергии расчёта не сходится больше чем на 1 %");
    case DriveWarning::Oscillation:
        return QCoreApplication::translate(
            "DriveChecks", "контур колеблется: после выхода на задание больше трёх качаний");
    case DriveWarning::NotSettled:
        return QCoreApplication::translate("DriveChecks",
                                           "регулируемая величина не входит в зону ±2 % задания");
    }
    return {};
}

const char* DriveWarningKey(DriveWarning warning)
{
    switch (warning) {
    case DriveWarning::ReferenceNotReached:
        return "referenceNotReached";
    case DriveWarning::CurrentLimitExceeded:
        return "currentLimitExceeded";
    case DriveWarning::ConverterRatingExceeded:
        return "converterRatingExceeded";
    case DriveWarning::MotorOverspeed:
        return "motorOverspeed";
    case DriveWarning::ReferenceAboveSupply:
        return "referenceAboveSupply";
    case DriveWarning::ConverterVoltageMismatch:
        return "converterVoltageMismatch";
    case DriveWarning::ConverterCurrentMismatch:
        return "converterCurrentMismatch";
    case DriveWarning::InductionOnRectifier:
        return "inductionOnRectifier";
    case DriveWarning::EnergyBalanceOpen:
        return "energyBalanceOpen";
    case DriveWarning::Oscillation:
        return "oscillation";
    case DriveWarning::NotSettled:
        return "notSettled";
    }
    return "";
}

FigureColumn DriveCheckColumn(const std::optional<ConverterLoad>& converter,
                              const std::optional<MotorDuty>& duty,
                              const std::vector<DriveWarning>& warnings, QChar decimalSeparator)
{
    FigureColumn column;
    if (converter) {
        FigureColumn block;
        const auto add = [&](const QString& label, std::optional<double> value) {
            if (value)
                block.addFigure(label, Fixed(*value, 2, decimalSeparator));
        };
        block.addLine(QCoreApplication::translate("DriveChecks", "Преобразователь"));
        add(QCoreApplication::translate("DriveChecks", " ток пиковый, А"), converter->peakCurrent);
        add(QCoreApplication::translate("DriveChecks", " к номиналу I0"),
            converter->peakCurrentToRated);
        add(QCoreApplication::translate("DriveChecks", " ток действующий, А"),
            converter->rmsCurrent);
        add(QCoreApplication::translate("DriveChecks", " к номиналу I0"),
            converter->rmsCurrentToRated);
        add(QCoreApplication::translate("DriveChecks", " мощность пиковая, кВт"),
            converter->peakPower);
        add(QCoreApplication::translate("DriveChecks", " к номиналу P0"), converter->powerToRated);
        column = std::move(block);
    }
    if (duty)
        column.appendBlock(MotorDutyColumn(*duty, decimalSeparator));
    if (!warnings.empty()) {
        FigureColumn block;
        block.addLine(QCoreApplication::translate("DriveChecks", "Предупреждения"));
        for (const DriveWarning warning : warnings)
            block.addLine(QStringLiteral(" ") + DriveWarningText(warning));
        column.appendBlock(block);
    }
    return column;
}

QList<StepResponseField> ConverterLoadFields(const std::optional<ConverterLoad>& converter)
{
    if (!converter)
        return {};
    return {
        FigureField("converterPeakCurrent", converter->peakCurrent),
        FigureField("converterPeakCurrentToRated", converter->peakCurrentToRated),
        FigureField("converterRmsCurrent", converter->rmsCurrent),
        FigureField("converterRmsCurrentToRated", converter->rmsCurrentToRated),
        FigureField("converterPeakPower", converter->peakPower),
        FigureField("converterPowerToRated", converter->powerToRated),
    };
}

} // namespace kinetra
