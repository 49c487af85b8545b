#pragma once

#include <QChar>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

#include "ChartRanges.h"
#include "ModelParams.h"
#include "RunSamples.h"

namespace kinetra {

// The summary's fixed texts; each value label ends in the blanks that align its value. A text
// that begins with a line break opens a block after an empty line.
namespace SummaryLabels {

inline constexpr QStringView TimeHeading = u"Время t, с";
inline constexpr QStringView TimeMaximum = u" максимальное           ";
inline constexpr QStringView TimeMinimum = u" минимальное             ";

inline constexpr QStringView SpeedHeading = u"\nСкорость w, рад/с";
inline constexpr QStringView SpeedMaximum = u" максимальная            ";
inline constexpr QStringView SpeedMinimum = u" минимальная             ";
inline constexpr QStringView SpeedFinal = u" установившаяся         ";

inline constexpr QStringView TorqueHeading = u"\nМомент М, Нм";
inline constexpr QStringView CurrentHeading = u"\nТок I, А";
inline constexpr QStringView LoopMaximum = u" максимальный            ";
inline constexpr QStringView LoopMinimum = u" минимальный              ";
inline constexpr QStringView LoopFinal = u" установившийся         ";

inline constexpr QStringView FactorsHeading = u"\nКоэффициент использования";
inline constexpr QStringView MotorPowerFactor = u" двигателя по мощности P ";
inline constexpr QStringView MotorTorqueFactor = u" двигателя по моменту M     ";
inline constexpr QStringView MotorCurrentFactor = u" двигателя по току I     ";
inline constexpr QStringView ConverterPowerFactor = u" преобразователя по P            ";
inline constexpr QStringView ConverterVoltageFactor = u" преобразователя по U           ";
inline constexpr QStringView GearPowerFactor = u" редуктора по мощности P   ";
inline constexpr QStringView GearTorqueFactor = u" редуктора по моменту M      ";
inline constexpr QStringView RatingTooSmall =
    u" не все определены: номинальные данные слишком малы";

// Where the motor's speed is shown beside the mechanism's, each has a speed block of its own.
inline constexpr QStringView MechanismSpeedHeading = u"\nСкорость механизма w, рад/с";
inline constexpr QStringView MotorSpeedHeading = u"\nСкорость двигателя w, рад/с";

// Lines the summary adds where its fixed blocks would mislead: the factors of a drive that ends
// at rest.
inline constexpr QStringView FinalStateOnly = u" это конечное состояние: привод стоит;";
inline constexpr QStringView SeeDuty = u" за цикл см. «Двигатель за цикл»";

} // namespace SummaryLabels

// The numbers of the analysis summary: the extremes of time, speed and the controlled quantity
// (torque in torque mode, current in current mode) from the chart ranges, the final values, and
// the utilisation factors of motor, converter and gear for which params give a rating. The
// converter's voltage factor compares supplyVoltage, as the run left it, with U0; the motor's
// current factor compares the final current with the rated current as the record measures it.
struct SummaryFigures {
    double timeMaximum = 0, timeMinimum = 0;
    double speedMaximum = 0, speedMinimum = 0, speedFinal = 0;
    double loopMaximum = 0, loopMinimum = 0, loopFinal = 0;
    std::optional<double> motorPower, motorTorque, motorCurrent;
    std::optional<double> converterPower, converterVoltage;
    std::optional<double> gearPower, gearTorque;
    // A factor was left out because its rating is too small for a sensible value.
    bool ratingTooSmall = false;
    // The speed block is the mechanism's; where the motor's speed is shown beside it, the motor
    // has a block of its own.
    bool motorSpeedShown = false;
    double motorSpeedMaximum = 0, motorSpeedMinimum = 0, motorSpeedFinal = 0;
    // The run ends at rest, so the factors, taken at its end, describe a drive standing still.
    bool endsAtRest = false;
};

SummaryFigures SummaryFiguresOf(const ChartRanges& ranges, const FinalValues& finals,
                                const ModelParams& params, double supplyVoltage);

// One number of the summary under a name for tables; factors without a rating are empty.
struct SummaryField {
    const char* key;
    std::optional<double> value;
};

std::array<SummaryField, 15> SummaryFields(const SummaryFigures& figures);

// The lines of the analysis summary, its numbers with the given separator.
QStringList SummaryLines(const SummaryFigures& figures, bool torqueControl, QChar decimalSeparator);

} // namespace kinetra
