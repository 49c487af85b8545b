#pragma once

#include <cstdint>
#include <optional>

#include <QChar>
#include <QList>
#include <QStringList>

#include "FigureColumn.h"
#include "ModelParams.h"
#include "RunData.h"
#include "StepResponse.h"

namespace kinetra {

// How hard a run drove its motor over the whole run, the way an engineer sizes a drive by its
// duty cycle rather than by where it ends: the rms torque and current against their ratings
// (the motor's heating) and the peak torque against the short-time torque the motor stands.
// Currents are as the run record measures them; the rms current is a phase current's, as the
// rated current is.
struct MotorDuty {
    double rmsTorque = 0;       // Nm
    double rmsCurrent = 0;      // A
    double peakTorque = 0;      // Nm, largest magnitude
    double shortTimeFactor = 0; // the short-time torque over the rated torque
    std::optional<double> rmsTorqueToRated;
    std::optional<double> rmsCurrentToRated;
    std::optional<double> peakTorqueToShortTime;
};

// The short-time torque a motor of the kind stands, over its rated torque: a DC motor's
// commutation limits it to 2.5, an induction motor's breakdown torque to about 2 (the
// catalogues' smallest maximum torque of 2.2, less a margin for the mains voltage), a servomotor
// is built for 3.
double ShortTimeOverload(std::int32_t motorKind);

// The duty of the valid samples of run, with params as the run left them.
MotorDuty MotorDutyOf(const RunData& run, const ModelParams& params);

// The block of the analysis page and the report, titled "Двигатель за цикл".
FigureColumn MotorDutyColumn(const MotorDuty& duty, QChar decimalSeparator);

// The figures for the command-line simulator, numbers with a point; a ratio without its rating
// reads "none".
QList<StepResponseField> MotorDutyFields(const MotorDuty& duty);

} // namespace kinetra
