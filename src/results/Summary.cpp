#include "Summary.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "CurrentRating.h"
#include "FixedNumber.h"

namespace kinetra {
namespace {

namespace Label = SummaryLabels;

// Far beyond any drive's overload; a factor above it comes from a rating typed wrong.
constexpr double MaximumFactor = 1e6;

// Collects the summary line by line.
class SummaryText {
public:
    explicit SummaryText(QChar decimalSeparator) : m_separator(decimalSeparator) {}

    void addHeading(QStringView heading)
    {
        if (heading.startsWith(u'\n')) {
            m_lines.append(QString());
            heading = heading.sliced(1);
        }
        m_lines.append(heading.toString());
    }

    void addValue(QStringView label, double value)
    {
        QString line = label.toString();
        AppendFixed(line, value, 2, m_separator);
        m_lines.append(line);
    }

    QStringList lines() && { return std::move(m_lines); }

private:
    QChar m_separator;
    QStringList m_lines;
};

void AddFactor(SummaryText& text, QStringView label, std::optional<double> factor)
{
    if (factor)
        text.addValue(label, *factor);
}

} // namespace

SummaryFigures SummaryFiguresOf(const ChartRanges& ranges, const FinalValues& finals,
                                const ModelParams& params, double supplyVoltage)
{
    SummaryFigures figures;
    figures.timeMaximum = ranges.dynamicsTime.maximum();
    figures.timeMinimum = ranges.dynamicsTime.minimum();
    const DataRange speed = ranges.dynamicsRight();
    figures.speedMaximum = speed.maximum();
    figures.speedMinimum = speed.minimum();
    figures.speedFinal = finals.speedEnd;
    figures.loopMaximum = ranges.dynamicsLeft.maximum();
    figures.loopMinimum = ranges.dynamicsLeft.minimum();
    figures.loopFinal = params.TorqueControl ? finals.torqueEnd : finals.currentEnd;

    const double torque = std::fabs(finals.torqueEnd);
    // The final shaft power in kW; the gear ratio turns the mechanism's speed into the motor's.
    const double power = std::fabs(finals.torqueEnd * finals.speedEnd) * 0.001 * params.ii;

    // A rating so small that the factor comes out beyond any sense (1E-300 kW gives inf) tells
    // nothing: the factor is left out as for no rating, and the summary says why.
    const auto factor = [&figures](bool rated, double value) -> std::optional<double> {
        if (!rated)
            return std::nullopt;
        if (!std::isfinite(value) || std::fabs(value) > MaximumFactor) {
            figures.ratingTooSmall = true;
            return std::nullopt;
        }
        return value;
    };
    figures.motorPower = factor(params.P != 0 && params.ii != 0, power / params.P);
    figures.motorTorque =
        factor(params.P != 0 && params.w != 0, torque * 0.001 * params.w / params.P);
    figures.motorCurrent = factor(params.I != 0, std::fabs(finals.currentEnd) /
                                                     RatedCurrentInRecord(params.I, params));
    figures.converterPower = factor(params.P0 != 0 && params.ii != 0, power / params.P0);
    // The servomotor's converter voltage is the amplitude of a phase voltage rated in rms.
    const double voltagePerRating = params.MotorKind == 2 ? std::numbers::sqrt2 : 1;
    figures.converterVoltage =
        factor(params.U0 != 0, std::fabs(supplyVoltage) / (voltagePerRating * params.U0));
    figures.gearPower = factor(params.Pi != 0, power / params.Pi);
    figures.gearTorque = factor(params.ii != 0 && params.Mi != 0, torque * params.ii / params.Mi);
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

QStringList SummaryLines(const SummaryFigures& figures, bool torqueControl, QChar decimalSeparator)
{
    SummaryText text(decimalSeparator);

    text.addHeading(Label::TimeHeading);
    text.addValue(Label::TimeMaximum, figures.timeMaximum);
    text.addValue(Label::TimeMinimum, figures.timeMinimum);

    text.addHeading(Label::SpeedHeading);
    text.addValue(Label::SpeedMaximum, figures.speedMaximum);
    text.addValue(Label::SpeedMinimum, figures.speedMinimum);
    text.addValue(Label::SpeedFinal, figures.speedFinal);

    text.addHeading(torqueControl ? Label::TorqueHeading : Label::CurrentHeading);
    text.addValue(Label::LoopMaximum, figures.loopMaximum);
    text.addValue(Label::LoopMinimum, figures.loopMinimum);
    text.addValue(Label::LoopFinal, figures.loopFinal);

    text.addHeading(Label::FactorsHeading);
    AddFactor(text, Label::MotorPowerFactor, figures.motorPower);
    AddFactor(text, Label::MotorTorqueFactor, figures.motorTorque);
    AddFactor(text, Label::MotorCurrentFactor, figures.motorCurrent);
    AddFactor(text, Label::ConverterPowerFactor, figures.converterPower);
    AddFactor(text, Label::ConverterVoltageFactor, figures.converterVoltage);
    AddFactor(text, Label::GearPowerFactor, figures.gearPower);
    AddFactor(text, Label::GearTorqueFactor, figures.gearTorque);
    if (figures.ratingTooSmall)
        text.addHeading(Label::RatingTooSmall);

    return std::move(text).lines();
}

} // namespace kinetra
