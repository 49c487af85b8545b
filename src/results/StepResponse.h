#pragma once

#include <optional>
#include <span>
#include <vector>

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include "FigureColumn.h"
#include "ModelParams.h"
#include "RunData.h"

namespace kinetra {

// The figures of one step response, measured against a target: the reference of a closed loop,
// or the value an open-loop run ends at. A figure the response does not reach stays empty.
struct StepFigures {
    bool step = false;               // the target is not 0: there is a step to measure
    std::optional<double> riseTime;  // s, from 10 % to 90 % of the target
    std::optional<double> overshoot; // %, the peak beyond the target; 0 when it stays below
    std::optional<double> settling2; // s, into the ±2 % band about the target for good
    std::optional<double> settling5; // s, into the ±5 % band
};

// The run's last tenth is the proof of settling: a response that still leaves its band there has
// not settled. Without a step (a target of 0) no figure exists. time and value run in parallel.
StepFigures MeasureStep(std::span<const double> time, std::span<const double> value, double target);

// The quantity the outermost closed loop controls.
enum class ControlledQuantity {
    MechanismSpeed, // the speed loop against wref, or an open-loop run against its final value
    Current,        // the current loop against Iref
    Torque,         // the torque loop against Mref
    Position,       // the position loop against its limit fmax
};

// The step-response figures of a run and the peaks of current and torque against the motor's
// ratings and the controller's current limit.
struct StepResponse {
    ControlledQuantity quantity = ControlledQuantity::MechanismSpeed;
    bool closedLoop = false; // measured against a reference rather than the final value
    bool unbounded = false;  // a position loop without a limit: its ramp has no target
    double target = 0;       // the reference, or the final value of an open-loop run
    double finalValue = 0;   // the last sample's value
    StepFigures figures;
    std::optional<double> steadyStateError;   // reference - final value; closed loops only
    double peakCurrent = 0;                   // A, largest magnitude
    double peakTorque = 0;                    // Nm, largest magnitude
    std::optional<double> peakCurrentToRated; // to the rated current I as the record measures it
    std::optional<double> peakTorqueToRated;  // to the rated torque 1000 * P / w
    std::optional<double> peakToLimit;        // the loop quantity's peak to Imax
};

// The figures of the valid samples of run, with params and the loop flags as the run left them.
// A position loop is measured on the recorded position against the limit where it stops; without
// a limit it has no target.
StepResponse StepResponseOf(const RunData& run, const ModelParams& params);

// The values of the quantity over the valid samples of run: the recorded position, or the sample
// field the quantity is.
std::vector<double> MeasuredValues(const RunData& run, ControlledQuantity quantity);

// The position, in rad at the mechanism, where the position loop stops its ramp: the limit fmax
// as the loop's setup left it, divided by the sensor gain; none without a limit.
std::optional<double> PositionTarget(const ModelParams& params);

// The limit Imax the speed loop puts on its loop quantity, in the unit of the quantity: the
// current loop's setup has scaled it by its sensor gain KI in the parameter set the run left.
// None without a speed loop or a limit.
std::optional<double> LoopLimit(const RunData& run, const ModelParams& params);

// The step figures and the error left at the end, each with its unit, numbers with the given
// separator: the block the report prints.
FigureColumn StepTransientColumn(const StepResponse& response, QChar decimalSeparator);

// The step figures, then the peaks of current and torque: the block the analysis page shows.
FigureColumn StepResponseColumn(const StepResponse& response, QChar decimalSeparator);

// One figure as the command-line simulator prints it: its key and its value with a point, or the
// word that stands for a missing figure ("never" for a rise or settling not reached, "none" for a
// figure that does not apply). A script that reads the figures as numbers (the Python module) gets
// number, every digit of what value shows; it is empty where value is a word.
struct StepResponseField {
    const char* key;
    QString value;
    std::optional<double> number = std::nullopt;
};

QList<StepResponseField> StepResponseFields(const StepResponse& response);

// A figure as the fields give it: ten significant digits with a point. A figure beyond 1E30 in
// magnitude, which only data far outside any drive produce (a rating of 1E-300, a voltage of
// 1E300), reads "outOfRange" instead of a number that would look like a measurement.
QString FigureText(double value);

// The field of a figure: its FigureText and number, or the word missing when there is none.
StepResponseField FigureField(const char* key, std::optional<double> value,
                              const char* missing = "none");

} // namespace kinetra
