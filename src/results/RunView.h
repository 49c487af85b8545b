#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "ChartRanges.h"
#include "DriveChecks.h"
#include "ModelParams.h"
#include "RunCharts.h"
#include "RunData.h"
#include "Simulation.h"
#include "StaticCharacteristic.h"
#include "StepResponse.h"
#include "Summary.h"

namespace kinetra {

// Everything a run shows, as plain data: the results window, the report, the signals workbench,
// the sweep and the command-line simulator all read it.
struct RunView {
    RunOutcome outcome = RunOutcome::Completed;
    // The parameters as collected for the run, before the engine wrote its defaults back: the
    // report's columns test these, so a field left at 0 reads the same after any run.
    ModelParams collected;
    // The parameters as the run left them, defaults included: the figures are measured on these.
    ModelParams simulated;
    std::vector<StaticPoint> staticPoints;
    ChartRanges ranges; // this run's, joined to those of earlier runs kept on show
    SummaryFigures summaryFigures;
    QStringList summary;       // as designed, as the command-line simulator prints it
    QStringList summaryOnPage; // its values in one column, as the analysis page shows it
    StepResponse stepResponse;
    std::optional<ConverterLoad> converterLoad;
    std::optional<MotorDuty> motorDuty;
    std::vector<DriveWarning> warnings;
    // The run's energy balance: what it leaves unaccounted for, relative to its larger side.
    double energyBalanceError = 0;
    // The step-response figures, then the converter's load, the motor's duty and the warnings.
    QStringList stepResponseLines;
    // What the user must know about the run beside its results, such as a Tmax beyond the
    // result buffer; empty when nothing.
    QString runNotice;
    RunCharts charts;

    bool completed() const { return outcome == RunOutcome::Completed; }
    // A run that left the drive's physical reach keeps its samples up to there, to show how it
    // got there; they are no result.
    bool hasSamples() const { return completed() || outcome == RunOutcome::Diverged; }
};

// Why a run gave no result, in the words the program shows after "Ошибки ввода ": no motor, a
// supply the motor cannot run on, data its model cannot run on or derive its circuit from, a
// floating-point fault, or where the run left what the drive can physically reach; empty when the
// run completed. run is the record the view's run filled.
QString RunFailureReason(const RunView& view, const RunData& run, QChar decimalSeparator);

// What a view holds: everything, or for a sweep only the run's outcome, parameters, static
// points, ranges, summary figures and step response, without texts, checks or curves.
enum class RunViewParts { Whole, FiguresOnly };

// Runs the model as collected and views the run: for a completed or diverged one the static
// characteristic, the ranges, the summary, the step response, the converter's load, the warnings
// and the charts; a diverged run's reason is its notice. The engine fills run; the view only reads
// it. A run without samples shows the drive at rest. With earlier, the ranges include those of
// the runs whose curves stay on show. Numbers are written with decimalSeparator.
RunView SimulateAndView(const ModelParams& collected, RunData& run, const SignalSeries& signal,
                        QChar decimalSeparator, const ChartRanges* earlier = nullptr,
                        RunViewParts parts = RunViewParts::Whole);

} // namespace kinetra
