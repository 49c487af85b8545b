#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

#include "ChartRanges.h"
#include "DriveChecks.h"
#include "RunData.h"
#include "Simulation.h"
#include "StepResponse.h"
#include "text/KeyValueText.h"

namespace kinetra {

class MessageSink;
class ModelSession;

// What the results window does each time it becomes active, apart from drawing: it collects the
// model, simulates unless the model is unchanged since the last run, and produces the static
// characteristic, the chart ranges, the sample table and the summary. The results window draws
// from it, and the command-line simulator prints from it, so both show the same results.
class ResultsActivation final {
public:
    enum class Outcome {
        CollectionFailed, // the collection has shown its input errors
        Unchanged,        // the model is the one last simulated: the old results stay
        RunFailed,        // "Ошибки ввода " was shown; the report is disabled
        Simulated,        // new results are ready
    };

    ResultsActivation(ModelSession& session, RunData& run, const SignalSeries& signal,
                      MessageSink& messages);

    // With refreshScreen ("Обновлять экран") a run first clears the old results; without it the
    // new table, points and ranges are added to the old ones.
    Outcome FormActivate(bool refreshScreen);

    // Makes the signal series cover the sample count the last run set; true when it changed
    // the series. A run with a variable load or reference that finds the signal prepared for
    // another count runs once more with the fitted signal, so a run never reads leftovers.
    using SignalFit = std::function<bool()>;
    void setSignalFit(SignalFit fit) { m_signalFit = std::move(fit); }

    // Empties the sample table, the static characteristic and the ranges; the summary stays.
    void ClearResults();

    // Makes the next activation simulate even with an unchanged model.
    void forgetLastRun() { m_lastRunText.clear(); }
    const KeyValueText& lastRunText() const { return m_lastRunText; }

    bool reportEnabled() const { return m_reportEnabled; }
    // The static characteristic of the latest run.
    const std::vector<StaticPoint>& staticPoints() const { return m_staticPoints; }
    // The ranges over every point the charts hold, older runs included when not refreshed.
    const ChartRanges& ranges() const { return m_ranges; }
    // The whole text of the sample table page.
    const QString& sampleTable() const { return m_sampleTable; }
    const QStringList& summary() const { return m_summary; }
    // The step-response figures of the latest run, a block of their own beside the summary,
    // followed by the converter's load and the warnings.
    const StepResponse& stepResponse() const { return m_stepResponse; }
    const std::optional<ConverterLoad>& converterLoad() const { return m_converterLoad; }
    const std::vector<DriveWarning>& warnings() const { return m_warnings; }
    const QStringList& stepResponseLines() const { return m_stepResponseLines; }
    // What the user must know about the latest run beside its results, such as a Tmax beyond
    // the result buffer; empty when nothing.
    const QString& runNotice() const { return m_runNotice; }

private:
    ModelSession& m_session;
    RunData& m_run;
    const SignalSeries& m_signal;
    MessageSink& m_messages;
    SignalFit m_signalFit;

    KeyValueText m_lastRunText;
    bool m_reportEnabled = false;
    bool m_hasResults = false;
    std::vector<StaticPoint> m_staticPoints;
    ChartRanges m_ranges;
    QString m_sampleTable;
    QStringList m_summary;
    StepResponse m_stepResponse;
    std::optional<ConverterLoad> m_converterLoad;
    std::vector<DriveWarning> m_warnings;
    QStringList m_stepResponseLines;
    QString m_runNotice;
};

} // namespace kinetra
