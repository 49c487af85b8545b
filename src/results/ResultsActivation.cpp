#include "ResultsActivation.h"

#include <utility>

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
    if (refreshScreen)
        ClearResults();
    writeLatestTable();

    const QChar separator = m_session.reader().decimalSeparator();
    const ModelParams collected = m_session.params();
    const ChartRanges* earlier = m_hasResults ? &m_view.ranges : nullptr;
    RunView view = ViewRun(collected, m_run, m_signal, separator, earlier);
    bool badSignalEntry = false;
    if (m_signalSource) {
        m_signalSource->takeSampleCount(m_run.SampleCount);
        if (view.hasSamples() && (collected.VariableLoad || collected.VariableReference)) {
            const RunSignalSource::Fit fit = m_signalSource->fitRun();
            if (fit.recomputed)
                view = ViewRun(collected, m_run, m_signal, separator, earlier);
            badSignalEntry = fit.badEntry;
        }
    }
    // The parameter set holds the values actually simulated, as after every run.
    m_session.params() = view.simulated;
    const bool diverged = view.outcome == RunOutcome::Diverged;
    if (!view.hasSamples() || badSignalEntry) {
        const QString reason = RunFailureReason(view, m_run, separator);
        m_messages.showMessage(reason.isEmpty() ? QStringLiteral("Ошибки ввода ")
                                                : QStringLiteral("Ошибки ввода \n") + reason);
        m_reportEnabled = false;
        m_lastRunText.clear();
        return Outcome::RunFailed;
    }
    if (diverged)
        m_messages.showMessage(view.runNotice);

    m_reportEnabled = !diverged;
    m_lastRunText = m_session.modelText();
    m_latestTableSeparator = separator;
    m_view = std::move(view);
    m_hasResults = true;
    return diverged ? Outcome::Diverged : Outcome::Simulated;
}

void ResultsActivation::ClearResults()
{
    m_view.staticPoints.clear();
    m_view.ranges = {};
    m_view.charts = {};
    m_hasResults = false;
    m_sampleTable.clear();
    m_latestTableSeparator.reset();
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
