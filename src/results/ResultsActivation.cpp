#include "ResultsActivation.h"

#include <utility>

#include <QCoreApplication>

#include "SampleTable.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"

namespace kinetra {

ResultsActivation::ResultsActivation(ModelSession& session, RunData& run,
                                     const SignalSeries& signal, MessageSink& messages)
    : m_session(session), m_run(run), m_signal(signal), m_messages(messages)
{
}

ResultsActivation::Outcome ResultsActivation::FormActivate(bool refreshScreen)
{
    if (!m_session.CollectModel())
        return Outcome::CollectionFailed;
    if (m_session.ForceRerun()) {
        m_lastRunText.clear();
        m_session.setForceRerun(false);
    }
    if (m_session.modelText() == m_lastRunText)
        return Outcome::Unchanged;
    // A refreshed screen starts a new sample table at once; the runs on show stay until a new
    // run takes their place, so a failed run leaves them as they are.
    if (refreshScreen) {
        m_sampleTable.clear();
        m_latestTableSeparator.reset();
    }
    writeLatestTable();

    const QChar separator = m_session.reader().decimalSeparator();
    const ModelParams collected = m_session.params();
    const bool keepEarlier = m_hasResults && !refreshScreen;
    const ChartRanges* earlier = keepEarlier ? &m_view.ranges : nullptr;
    RunView view = SimulateAndView(collected, m_run, m_signal, separator, earlier);
    bool badSignalEntry = false;
    if (m_signalSource) {
        m_signalSource->takeSampleCount(m_run.SampleCount);
        if (view.hasSamples() && (collected.VariableLoad || collected.VariableReference)) {
            const RunSignalSource::Fit fit = m_signalSource->fitRun();
            if (fit.recomputed)
                view = SimulateAndView(collected, m_run, m_signal, separator, earlier);
            badSignalEntry = fit.badEntry;
        }
    }
    // The parameter set holds the values actually simulated, as after every run.
    m_session.params() = view.simulated;
    const bool diverged = view.outcome == RunOutcome::Diverged;
    if (!view.hasSamples() || badSignalEntry) {
        const QString reason = RunFailureReason(view, m_run, separator);
        m_messages.showMessage(
            reason.isEmpty()
                ? QCoreApplication::translate("ResultsActivation", "Ошибки ввода ")
                : QCoreApplication::translate("ResultsActivation", "Ошибки ввода \n") + reason);
        m_reportEnabled = false;
        m_lastRunText.clear();
        return Outcome::RunFailed;
    }
    if (diverged)
        m_messages.showMessage(view.runNotice);

    m_reportEnabled = !diverged;
    m_lastRunText = m_session.modelText();
    m_latestTableSeparator = separator;
    if (keepEarlier)
        m_earlier.push_back({std::move(m_view), m_runsDrawn});
    else
        m_earlier.clear();
    m_view = std::move(view);
    m_hasResults = true;
    ++m_runsDrawn;
    return diverged ? Outcome::Diverged : Outcome::Simulated;
}

void ResultsActivation::ClearResults()
{
    m_view.staticPoints.clear();
    m_view.ranges = {};
    m_view.charts.clearCurves();
    m_earlier.clear();
    m_hasResults = false;
    m_sampleTable.clear();
    m_latestTableSeparator.reset();
    m_runsDrawn = 0;
}

bool ResultsActivation::keptFromEarlierRun(const CurveData& curve)
{
    return curve.shown && !curve.points.isEmpty() && curve.role != CurveRole::PositionLimit &&
           curve.role != CurveRole::LoopLimit;
}

std::vector<ResultsActivation::CurveOnShow>
ResultsActivation::curvesOnShow(ChartData RunCharts::*chart) const
{
    std::vector<CurveOnShow> shown;
    const ChartData& latest = m_view.charts.*chart;
    for (const CurveData& curve : latest.curves)
        if (curve.shown && !curve.points.isEmpty())
            shown.push_back({curve.name, &curve, &latest.axis(curve.axis)});
    for (const EarlierRun& earlier : m_earlier) {
        const ChartData& charts = earlier.view.charts.*chart;
        for (const CurveData& curve : charts.curves)
            if (keptFromEarlierRun(curve))
                shown.push_back(
                    {EarlierCurveName(curve, earlier.number), &curve, &charts.axis(curve.axis)});
    }
    return shown;
}

const QString& ResultsActivation::sampleTable()
{
    writeLatestTable();
    return m_sampleTable;
}

void ResultsActivation::writeLatestTable()
{
    if (!m_latestTableSeparator)
        return;
    const QString table = SampleTable(m_run, *std::exchange(m_latestTableSeparator, {}));
    m_sampleTable = m_sampleTable.isEmpty() ? table : m_sampleTable + u'\n' + table;
}

} // namespace kinetra
