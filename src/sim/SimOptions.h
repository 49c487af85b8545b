#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

#include "ReportForm.h"
#include "SignalSettings.h"
#include "Study.h"
#include "text/Status.h"

namespace kinetra {

// What the command-line simulator is asked to do.
struct SimOptions {
    enum class SignalTarget { Load, Reference };

    QString help; // the help text when it was asked for: printed instead of any run
    QString modelPath;
    std::optional<QChar> decimalSeparator; // the locale's when not given
    bool table = false;                    // the sample table instead of the summary
    bool modelText = false;                // the normalised model text after loading
    bool paramsAfter = false;              // every parameter as the run left it
    QString samplesPath;                   // CSV of the samples, when not empty
    QString staticPath;                    // CSV of the static characteristic, when not empty
    QString signalPath;                    // the series for a variable load or reference
    SignalTarget signalTarget = SignalTarget::Load;
    QString reportPath;                            // the one-page report, when not empty
    ReportSwitches reportParts;                    // what the report shows
    std::optional<SignalSettings> signalWorkbench; // a signal shaped in the workbench
    bool metrics = false;                          // the step-response figures as KEY=value lines
    bool tune = false;          // print the tuned controller keys and each loop's margins, no run
    QString tunedModelPath;     // with tune: the tuned model is written there, when not empty
    QString loopResponsePath;   // CSV of the loops' frequency responses, when not empty
    StudyRequest study;         // a sweep's or a study's keys: a CSV of every variant instead
    QString summaryPath;        // CSV of the sweep's closing summary, when not empty
    bool countVariants = false; // print how many variants the sweep would run, and run none

    bool sweeps() const { return !study.empty(); }
};

// The options the arguments ask for, the help text when they ask for it, or the usage error.
StatusOr<SimOptions> ParseSimOptions(const QStringList& arguments);

} // namespace kinetra
