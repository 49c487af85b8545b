#include "ResultsActivation.h"

#include <string>

#include "RunSamples.h"
#include "SampleTable.h"
#include "Summary.h"
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
    if (m_session.ForceRerun) {
        m_lastRunText.clear();
        m_session.ForceRerun = false;
    }
    if (m_session.modelText() == m_lastRunText)
        return Outcome::Unchanged;
    if (refreshScreen)
        ClearResults();

    std::string errorText;
    SimulationRecord record{m_session.params(), m_run, m_signal, errorText};
    bool ran = RunSimulation(record);
    const ModelParams& variable = m_session.params();
    if (ran && m_signalFit && (variable.VariableLoad || variable.VariableReference) &&
        m_signalFit()) {
        errorText.clear();
        ran = RunSimulation(record);
    }
    // The engine's own error text joins whatever the editor's reader gathered meanwhile.
    m_session.reader().ErrorList += QString::fromStdString(errorText);
    if (!ran || !m_session.reader().ErrorList.isEmpty()) {
        // A supply the motor cannot run on is named, so the failure does not read as a fault.
        const std::string_view refusal = SupplyRefusal(m_session.params());
        QString message = QStringLiteral("Ошибки ввода ");
        if (!refusal.empty())
            message += u'\n' + QString::fromUtf8(refusal.data(), qsizetype(refusal.size()));
        m_messages.showMessage(message);
        m_session.reader().ErrorList.clear();
        m_reportEnabled = false;
        m_lastRunText.clear();
        return Outcome::RunFailed;
    }

    m_reportEnabled = true;
    m_lastRunText = m_session.modelText();
    if (m_run.SampleCount == 0)
        m_run.SampleCount = EmptyRunSampleCount;

    const ModelParams& params = m_session.params();
    const QChar separator = m_session.reader().decimalSeparator();
    m_staticPoints = StaticCharacteristic(params, m_run);

    const QString table = SampleTable(m_run, separator);
    m_sampleTable = m_sampleTable.isEmpty() ? table : m_sampleTable + u'\n' + table;

    const ChartRanges runRanges = ChartRangesOfRun(m_run, params, m_staticPoints);
    if (m_hasResults)
        m_ranges.mergeLater(runRanges);
    else
        m_ranges = runRanges;
    m_hasResults = true;

    m_summary =
        SummaryLines(m_ranges, FinalValuesOf(m_run), params, m_run.supplyVoltage, separator);
    m_stepResponse = StepResponseOf(m_run, params);
    m_stepResponseLines = StepResponseLines(m_stepResponse, separator);
    // The result buffer holds 10 s; a longer Tmax is cut short, and the user hears of it.
    const double simulatedTime = m_run.SampleCount * m_run.timeStep;
    m_runNotice = m_run.SampleCount >= ResultCapacity && params.Tmax > simulatedTime
                      ? QStringLiteral("Tmax больше %1 с: моделируются первые %1 с")
                            .arg(qRound(simulatedTime))
                      : QString();
    m_converterLoad = ConverterLoadOf(m_run, params);
    m_warnings = DriveWarningsOf(m_run, params, m_stepResponse, m_converterLoad);
    const QStringList checks = DriveCheckLines(m_converterLoad, m_warnings, separator);
    if (!checks.isEmpty())
        m_stepResponseLines << QString() << checks;
    return Outcome::Simulated;
}

void ResultsActivation::ClearResults()
{
    m_staticPoints.clear();
    m_ranges = {};
    m_hasResults = false;
    m_sampleTable.clear();
}

} // namespace kinetra
