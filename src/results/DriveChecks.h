#pragma once

#include <optional>
#include <vector>

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include "FigureColumn.h"
#include "ModelParams.h"
#include "MotorDuty.h"
#include "RunData.h"
#include "StepResponse.h"

namespace kinetra {

// How hard a run drove its converter: its current's peak and rms over the run against the rated
// current I0, and the peak shaft power against P0. Currents are as the run record measures them
// (amplitudes for an induction motor); the rms is the phase current's.
struct ConverterLoad {
    double peakCurrent = 0; // A
    double rmsCurrent = 0;  // A
    double peakPower = 0;   // kW, at the motor shaft
    std::optional<double> peakCurrentToRated;
    std::optional<double> rmsCurrentToRated;
    std::optional<double> powerToRated;

    bool ratingExceeded() const;
};

// The load of the run's converter; none when the drive runs on the mains.
std::optional<ConverterLoad> ConverterLoadOf(const RunData& run, const ModelParams& params);

// What an engineer should know before trusting a run, each only when it holds.
enum class DriveWarning {
    ReferenceNotReached,      // the steady-state error is beyond 5 % of the reference
    CurrentLimitExceeded,     // the loop quantity's peak is more than 10 % above Imax
    ConverterRatingExceeded,  // the converter's current or power is above its rating
    MotorOverspeed,           // the motor runs more than 20 % above its rated speed
    ReferenceAboveSupply,     // the reference asks for more than the supply's no-load speed
    ConverterVoltageMismatch, // the converter's voltage is far from the motor's
    ConverterCurrentMismatch, // the converter's current is far from the motor's
    InductionOnRectifier,     // an induction motor on a thyristor converter, a DC supply
    EnergyBalanceOpen,        // the run's energy balance leaves more than 1 % unaccounted for
    Oscillation,              // the loop quantity or the current keeps swinging at the reference
    NotSettled,               // the loop quantity never stays within 2 % of its reference
};

// The warnings of a run, with params as the run left it, in the order of DriveWarning: what the
// run did, then the combinations of equipment that cannot work as intended.
std::vector<DriveWarning> DriveWarningsOf(const RunData& run, const ModelParams& params,
                                          const StepResponse& response,
                                          const std::optional<ConverterLoad>& converter);

QString DriveWarningText(DriveWarning warning);
// The warning's key as the command-line simulator prints it.
const char* DriveWarningKey(DriveWarning warning);

// The converter block, the motor's duty block and the warnings block as the analysis page shows
// them under the step-response figures, each after an empty line; empty blocks are left out.
FigureColumn DriveCheckColumn(const std::optional<ConverterLoad>& converter,
                              const std::optional<MotorDuty>& duty,
                              const std::vector<DriveWarning>& warnings, QChar decimalSeparator);

// The converter's figures for the command-line simulator, numbers with a point.
QList<StepResponseField> ConverterLoadFields(const std::optional<ConverterLoad>& converter);

} // namespace kinetra
