#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "ReportForm.h"
#include "SignalSettings.h"
#include "Sweep.h"
#include "ToleranceStudy.h"

namespace kinetra {

// What the command-line simulator is asked to do.
struct SimOptions {
    enum class SignalTarget { Load, Reference };

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
    std::vector<SweepAxis> sweep;      // swept keys: a CSV of every variant instead of one run
    std::vector<Tolerance> tolerances; // a tolerance study's keys, instead of a grid
    std::size_t sampleCount = 0;       // the study's samples
    std::uint64_t seed = 1;            // the study's draws
    std::size_t shard = 1;             // which of shardCount equal parts of the variants to run
    std::size_t shardCount = 1;
    QString summaryPath;        // CSV of the sweep's closing summary, when not empty
    bool countVariants = false; // print how many variants the sweep would run, and run none
    unsigned jobs = 0;          // threads of a sweep; 0 for one per core

    bool sweeps() const { return !sweep.empty() || !tolerances.empty(); }
};

// The processor cores this machine offers, at least one: a sweep's threads by default.
unsigned CoreCount();
// The most threads a sweep runs: beyond a few a core they only cost memory.
unsigned MaximumSweepJobs();

struct SimOptionsParse {
    std::optional<SimOptions> options; // nullopt on a usage error or when help was asked for
    QString message;                   // the usage error, or the help text
    bool helpRequested = false;
};

SimOptionsParse ParseSimOptions(const QStringList& arguments);

} // namespace kinetra
