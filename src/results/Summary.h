#pragma once

#include <QChar>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <optional>

#include "ChartRanges.h"
#include "FigureColumn.h"
#include "ModelParams.h"
#include "RunSamples.h"

namespace kinetra {

// The summary's fixed texts, translated in the context "Summary"; each value label ends in the
// blanks it was designed with. A text that begins with a line break opens a block after an empty
// line.
namespace SummaryLabels {

inline constexpr const char* TimeHeading = QT_TRANSLATE_NOOP("Summary", "Время t, с");
inline constexpr const char* TimeMaximum = QT_TRANSLATE_NOOP("Summary", " максимальное           ");
inline constexpr const char* TimeMinimum =
    QT_TRANSLATE_NOOP("Summary", " минимальное             ");

inline constexpr const char* SpeedHeading = QT_TRANSLATE_NOOP("Summary", "\nСкорость w, рад/с");
inline constexpr const char* SpeedMaximum =
    QT_TRANSLATE_NOOP("Summary", " максимальная            ");
inline constexpr const char* SpeedMinimum =
    QT_TRANSLATE_NOOP("Summary", " минимальная             ");
inline constexpr const char* SpeedFinal = QT_TRANSLATE_NOOP("Summary", " установившаяся         ");

inline constexpr const char* TorqueHeading = QT_TRANSLATE_NOOP("Summary", "\nМомент М, Нм");
inline constexpr const char* CurrentHeading = QT_TRANSLATE_NOOP("Summary", "\nТок I, А");
inline constexpr const char* LoopMaximum =
    QT_TRANSLATE_NOOP("Summary", " максимальный            ");
inline constexpr const char* LoopMinimum =
    QT_TRANSLATE_NOOP("Summary", " минимальный              ");
inline constexpr const char* LoopFinal = QT_TRANSLATE_NOOP("Summary", " установившийся         ");

inline constexpr const char* FactorsHeading =
    QT_TRANSLATE_NOOP("Summary", "\nКоэффициент использования");
inline constexpr const char* MotorPowerFactor =
    QT_TRANSLATE_NOOP("Summary", " двигателя по мощности P ");
inline constexpr const char* MotorTorqueFactor =
    QT_TRANSLATE_NOOP("Summary", " двигателя по моменту M     ");
inline constexpr const char* MotorCurrentFactor =
    QT_TRANSLATE_NOOP("Summary", " двигателя по току I     ");
inline constexpr const char* ConverterPowerFactor =
    QT_TRANSLATE_NOOP("Summary", " преобразователя по P            ");
inline constexpr const char* ConverterVoltageFactor =
    QT_TRANSLATE_NOOP("Summary", " преобразователя по U           ");
inline constexpr const char* GearPowerFactor =
    QT_TRANSLATE_NOOP("Summary", " редуктора по мощности P   ");
inline constexpr const char* GearTorqueFactor =
    QT_TRANSLATE_NOOP("Summary", " редуктора по моменту M      ");
inline constexpr const char* RatingTooSmall =
    QT_TRANSLATE_NOOP("Summary", " не все определены: номинальные данные слишком малы");

// Where the motor's speed is shown beside the mechanism's, each has a speed block of its own.
inline constexpr const char* MechanismSpeedHeading =
    QT_TRANSLATE_NOOP("Summary", "\nСкорость механизма w, рад/с");
inline constexpr const char* MotorSpeedHeading =
    QT_TRANSLATE_NOOP("Summary", "\nСкорость двигателя w, рад/с");

// Lines the summary adds where its fixed blocks would mislead: the factors of a drive that ends
// at rest.
inline constexpr const char* FinalStateOnly =
    QT_TRANSLATE_NOOP("Summary", " это конечное состояние: привод стоит;");
inline constexpr const char* SeeDuty =
    QT_TRANSLATE_NOOP("Summary", " за цикл см. «Двигатель за цикл»");

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

// The analysis summary, its numbers with the given separator.
FigureColumn SummaryColumn(const SummaryFigures& figures, bool torqueControl,
                           QChar decimalSeparator);

// The summary's lines as designed, each value after its label's designed blanks: what the
// command-line simulator prints.
QStringList SummaryLines(const SummaryFigures& figures, bool torqueControl, QChar decimalSeparator);

} // namespace kinetra
