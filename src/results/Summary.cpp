#include "Summary.h"

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <utility>

#include <QCoreApplication>

#include "CurrentRating.h"
#include "FixedNumber.h"

namespace kinetra {
namespace {

namespace Label = SummaryLabels;

// The smallest ratings that describe equipment: far below any motor, converter or gear, far
// above a value typed by mistake such as 1E-300. A rating below its floor gives no factor.
constexpr double PowerFloor = 1e-6;   // kW, a milliwatt
constexpr double CurrentFloor = 1e-6; // A
constexpr double VoltageFloor = 1e-3; // V
constexpr double SpeedFloor = 1e-3;   // rad/s
constexpr double TorqueFloor = 1e-6;  // Nm

// Collects the summary line by line, its texts translated.
class SummaryText {
public:
    explicit SummaryText(QChar decimalSeparator) : m_separator(decimalSeparator) {}

    void addHeading(const char* heading)
    {
        m_column.addHeading(QCoreApplication::translate("Summary", heading));
    }

    void addValue(const char* label, double value)
    {
        m_column.addFigure(QCoreApplication::translate("Summary", label),
                           Fixed(value, 2, m_separator), QString::fromUtf8(label).size());
    }

    void addFactor(const char* label, std::optional<double> factor)
    {
        if (factor)
            addValue(label, *factor);
    }

    FigureColumn column() && { return std::move(m_column); }

private:
    QChar m_separator;
    FigureColumn m_column;
};

} // namespace

SummaryFigures SummaryFiguresOf(const ChartRanges& ranges, const FinalValues& finals,
                                const ModelParams& params, double supplyVoltage)
{
    SummaryFigures figures;
    figures.timeMaximum = ranges.dynamicsTime.maximum();
    figures.timeMinimum = ranges.dynamicsTime.minimum();
    figures.speedMaximum = ranges.mechanismSpeed.maximum();
    figures.speedMinimum = ranges.mechanismSpeed.minimum();
    figures.speedFinal = finals.speedEnd;
    figures.loopMaximum = ranges.dynamicsLeft.maximum();
    figures.loopMinimum = ranges.dynamicsLeft.minimum();
    figures.loopFinal = params.TorqueControl ? finals.torqueEnd : finals.currentEnd;
    figures.motorSpeedShown = ranges.motorSpeedShown;
    figures.motorSpeedMaximum = ranges.motorSpeed.maximum();
    figures.motorSpeedMinimum = ranges.motorSpeed.minimum();
    figures.motorSpeedFinal = finals.motorSpeedEnd;

    const double torque = std::fabs(finals.torqueEnd);
    // The final shaft power in kW; the gear ratio turns the mechanism's speed into the motor's.
    const double power = std::fabs(finals.torqueEnd * finals.speedEnd) * 0.001 * params.ii;

    // A factor needs its ratings: none given (0) leaves it out; one that is negative, not finite
    // or below its floor leaves it out too, and the summary says why. With usable ratings the
    // factor is shown whatever it comes to: a drive can be driven far beyond its ratings.
    const auto factor = [&figures](std::initializer_list<std::pair<double, double>> ratings,
                                   double value) -> std::optional<double> {
        for (const auto& [rating, floor] : ratings) {
            if (rating == 0)
                return std::nullopt;
        }
        for (const auto& [rating, floor] : ratings) {
            if (!(rating >= floor) || !std::isfinite(rating)) {
                figures.ratingTooSmall = true;
                return std::nullopt;
            }
        }
        return std::isfinite(value) ? std::optional(value) : std::nullopt;
    };
    const double ratio = params.ii;
    const bool geared = ratio != 0;
    figures.motorPower = geared ? factor({{params.P, PowerFloor}}, power / params.P) : std::nullopt;
    figures.motorTorque = factor({{params.P, PowerFloor}, {params.w, SpeedFloor}},
                                 torque * 0.001 * params.w / params.P);
    const double ratedCurrent = RatedCurrentInRecord(params.I, params);
    figures.motorCurrent =
        factor({{params.I, CurrentFloor}}, std::fabs(finals.currentEnd) / ratedCurrent);
    figures.converterPower =
        geared ? factor({{params.P0, PowerFloor}}, power / params.P0) : std::nullopt;
    // The servomotor's converter voltage is the amplitude of a phase voltage rated in rms.
    const double voltagePerRating = params.MotorKind == 2 ? std::numbers::sqrt2 : 1;
    figures.converterVoltage = factor({{params.U0, VoltageFloor}},
                                      std::fabs(supplyVoltage) / (voltagePerRating * params.U0));
    figures.gearPower = factor({{params.Pi, PowerFloor}}, power / params.Pi);
    figures.gearTorque =
        geared ? factor({{params.Mi, TorqueFloor}}, torque * ratio / params.Mi) : std::nullopt;
    return figures;
}

std::array<SummaryField, 15> SummaryFields(const SummaryFigures& figures)
{
    return {{
        {"timeMaximum", figures.timeMaximum},
        {"timeMinimum", figures.timeMinimum},
        {"speedMaximum", figures.speedMaximum},
        {"speedMinimum", figures.speedMinimum},
        {"speedFinal", figures.speedFinal},
        {"loopMaximum", figures.loopMaximum},
        {"loopMinimum", figures.loopMinimum},
        {"loopFinal", figures.loopFinal},
        {"motorPowerFactor", figures.motorPower},
        {"motorTorqueFactor", figures.motorTorque},
        {"motorCurrentFactor", figures.motorCurrent},
        {"converterPowerFactor", figures.converterPower},
        {"converterVoltageFactor", figures.converterVoltage},
        {"gearPowerFactor", figures.gearPower},
        {"gearTorqueFactor", figures.gearTorque},
    }};
}

FigureColumn SummaryColumn(const SummaryFigures& figures, bool torqueControl,
                           QChar decimalSeparator)
{
    SummaryText text(decimalSeparator);

    text.addHeading(Label::TimeHeading);
    text.addValue(Label::TimeMaximum, figures.timeMaximum);
    text.addValue(Label::TimeMinimum, figures.timeMinimum);

    text.addHeading(figures.motorSpeedShown ? Label::MechanismSpeedHeading : Label::SpeedHeading);
    text.addValue(Label::SpeedMaximum, figures.speedMaximum);
    text.addValue(Label::SpeedMinimum, figures.speedMinimum);
    text.addValue(Label::SpeedFinal, figures.speedFinal);
    if (figures.motorSpeedShown) {
        text.addHeading(Label::MotorSpeedHeading);
        text.addValue(Label::SpeedMaximum, figures.motorSpeedMaximum);
        text.addValue(Label::SpeedMinimum, figures.motorSpeedMinimum);
        text.addValue(Label::SpeedFinal, figures.motorSpeedFinal);
    }

    text.addHeading(torqueControl ? Label::TorqueHeading : Label::CurrentHeading);
    text.addValue(Label::LoopMaximum, figures.loopMaximum);
    text.addValue(Label::LoopMinimum, figures.loopMinimum);
    text.addValue(Label::LoopFinal, figures.loopFinal);

    text.addHeading(Label::FactorsHeading);
    text.addFactor(Label::MotorPowerFactor, figures.motorPower);
    text.addFactor(Label::MotorTorqueFactor, figures.motorTorque);
    text.addFactor(Label::MotorCurrentFactor, figures.motorCurrent);
    text.addFactor(Label::ConverterPowerFactor, figures.converterPower);
    text.addFactor(Label::ConverterVoltageFactor, figures.converterVoltage);
    text.addFactor(Label::GearPowerFactor, figures.gearPower);
    text.addFactor(Label::GearTorqueFactor, figures.gearTorque);
    if (figures.ratingTooSmall)
        text.addHeading(Label::RatingTooSmall);
    if (figures.endsAtRest) {
        text.addHeading(Label::FinalStateOnly);
        text.addHeading(Label::SeeDuty);
    }

    return std::move(text).column();
}

QStringList SummaryLines(const SummaryFigures& figures, bool torqueControl, QChar decimalSeparator)
{
    return SummaryColumn(figures, torqueControl, decimalSeparator).asWritten();
}

} // namespace kinetra
