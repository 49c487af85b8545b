#include "Summary.h"

#include <cmath>
#include <utility>

#include "FixedNumber.h"

namespace kinetra {
namespace {

namespace Label = SummaryLabels;

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

void AddFactors(SummaryText& text, const FinalValues& finals, const ModelParams& params,
                double supplyVoltage)
{
    const double torque = std::fabs(finals.torqueEnd);
    // The final shaft power in kW; the gear ratio turns the mechanism's speed into the motor's.
    const double power = std::fabs(finals.torqueEnd * finals.speedEnd) * 0.001 * params.ii;

    if (params.P != 0 && params.ii != 0)
        text.addValue(Label::MotorPowerFactor, power / params.P);
    if (params.P != 0 && params.w != 0)
        text.addValue(Label::MotorTorqueFactor, torque * 0.001 * params.w / params.P);
    if (params.I != 0)
        text.addValue(Label::MotorCurrentFactor, std::fabs(finals.currentEnd) / params.I);
    if (params.P0 != 0 && params.ii != 0)
        text.addValue(Label::ConverterPowerFactor, power / params.P0);
    if (params.U0 != 0)
        text.addValue(Label::ConverterVoltageFactor, std::fabs(supplyVoltage) / params.U0);
    if (params.Pi != 0)
        text.addValue(Label::GearPowerFactor, power / params.Pi);
    if (params.ii != 0 && params.Mi != 0)
        text.addValue(Label::GearTorqueFactor, torque * params.ii / params.Mi);
}

} // namespace

QStringList SummaryLines(const ChartRanges& ranges, const FinalValues& finals,
                         const ModelParams& params, double supplyVoltage, QChar decimalSeparator)
{
    SummaryText text(decimalSeparator);

    text.addHeading(Label::TimeHeading);
    text.addValue(Label::TimeMaximum, ranges.dynamicsTime.maximum());
    text.addValue(Label::TimeMinimum, ranges.dynamicsTime.minimum());

    const DataRange speed = ranges.dynamicsRight();
    text.addHeading(Label::SpeedHeading);
    text.addValue(Label::SpeedMaximum, speed.maximum());
    text.addValue(Label::SpeedMinimum, speed.minimum());
    text.addValue(Label::SpeedFinal, finals.speedEnd);

    const bool torqueMode = params.TorqueControl;
    text.addHeading(torqueMode ? Label::TorqueHeading : Label::CurrentHeading);
    text.addValue(Label::LoopMaximum, ranges.dynamicsLeft.maximum());
    text.addValue(Label::LoopMinimum, ranges.dynamicsLeft.minimum());
    text.addValue(Label::LoopFinal, torqueMode ? finals.torqueEnd : finals.currentEnd);

    text.addHeading(Label::FactorsHeading);
    AddFactors(text, finals, params, supplyVoltage);

    return std::move(text).lines();
}

} // namespace kinetra
