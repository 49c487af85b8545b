#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "RunData.h"
#include "RunView.h"
#include "text/KeyValueText.h"

namespace kinetra {

class MessageSink;
class ModelSession;

// Where the variable signal a run may read comes from, as the signals workbench. It takes the
// sample count of every run, and makes its signal cover a run that reads it.
class RunSignalSource {
public:
    // What making the signal cover a run did.
    struct Fit {
        bool recomputed = false; // the signal was computed anew for the run's count
        bool badEntry = false;   // a field it read then held a text that is no number
    };

    virtual void takeSampleCount(int sampleCount) = 0;
    virtual Fit fitRun() = 0;

protected:
    ~RunSignalSource() = default;
};

// What the results window does each time it becomes active, apart from drawing: it collects the
// model, simulates unless the model is unchanged since the last run, and keeps the views of the
// runs on show. The results window draws them, the report and the command-line simulator print
// from the latest, so all show the same results.
class ResultsActivation final {
public:
    enum class Outcome {
        CollectionFailed, // the collection has shown its input errors
        Unchanged,        // the model is the one last simulated: the old results stay
        RunFailed,        // "Ошибки ввода " was shown; the report is disabled
        Simulated,        // new results are ready
        // The run left what the drive can physically reach: its reason was shown, and its
        // samples up to there are on show; the report is disabled.
        Diverged,
    };

    ResultsActivation(ModelSession& session, RunData& run, const SignalSeries& signal,
                      MessageSink& messages);

    // With refreshScreen ("Обновлять экран") a run first clears the old results; without it the
    // new table, points and ranges are added to the old ones.
    Outcome FormActivate(bool refreshScreen);

    // The source of the signal series, told every run's sample count. A run with a variable
    // load or reference whose signal it had to compute anew for that count runs once more with
    // the fitted signal, so a run never reads leftovers; a bad entry read for it fails that run
    // as an input error.
    void setSignalSource(RunSignalSource* source) { m_signalSource = source; }

    // Empties the sample table, the static characteristic, the curves and the ranges, and starts
    // counting the runs drawn anew; the summary, and the charts' titles and axes, stay.
    void ClearResults();

    // Makes the next activation simulate even with an unchanged model.
    void forgetLastRun() { m_lastRunText.clear(); }
    const KeyValueText& lastRunText() const { return m_lastRunText; }

    bool reportEnabled() const { return m_reportEnabled; }
    // The latest run on show: its figures and charts, with the ranges over every run kept on show.
    const RunView& view() const { return m_view; }
    // Whether the latest run is on show, rather than cleared away.
    bool latestOnShow() const { return m_hasResults; }
    // A run kept on show below the latest one while the screen is not refreshed, with its number
    // among the runs drawn since the results were last cleared.
    struct EarlierRun {
        RunView view;
        int number = 0;
    };
    // The earlier runs on show, the earliest first.
    const std::vector<EarlierRun>& earlierRuns() const { return m_earlier; }
    // Whether a curve of an earlier run stays on show: each one shown with points, but the
    // limit lines, which the latest run draws for all.
    static bool keptFromEarlierRun(const CurveData& curve);

    // A curve on show on a chart of the results window, named as its legend names it.
    struct CurveOnShow {
        QString name;
        const CurveData* curve = nullptr;
        const AxisData* axis = nullptr; // the vertical axis it is drawn against
    };
    // The curves on show on one chart (&RunCharts::dynamics or &RunCharts::statics), in the order
    // they are drawn: the latest run's, then the earlier runs', the earliest first.
    std::vector<CurveOnShow> curvesOnShow(ChartData RunCharts::*chart) const;
    // The sample tables of every run on show since the last clearing, one after the other. A
    // run's table is long to write and seldom read: it is written when first asked for, or from
    // the run buffer before the next run takes it.
    const QString& sampleTable();

private:
    void writeLatestTable();

    ModelSession& m_session;
    RunData& m_run;
    const SignalSeries& m_signal;
    MessageSink& m_messages;
    RunSignalSource* m_signalSource = nullptr;

    KeyValueText m_lastRunText;
    bool m_reportEnabled = false;
    bool m_hasResults = false;
    RunView m_view;
    std::vector<EarlierRun> m_earlier;
    // The runs drawn since the results were last cleared.
    int m_runsDrawn = 0;
    QString m_sampleTable;
    // The latest run's table is still to be written, with this decimal separator.
    std::optional<QChar> m_latestTableSeparator;
};

} // namespace kinetra
