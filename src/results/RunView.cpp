#include "RunView.h"

#include "RunSamples.h"

namespace kinetra {

RunView ViewRun(const ModelParams& collected, RunData& run, const SignalSeries& signal,
                QChar decimalSeparator, const ChartRanges* earlier, RunViewParts parts)
{
    RunView view;
    view.collected = collected;
    view.simulated = collected;
    SimulationRecord record{view.simulated, run, signal};
    view.outcome = RunSimulation(record);
    if (!view.completed())
        return view;
    if (run.SampleCount == 0)
        run.SampleCount = EmptyRunSampleCount;

    const ModelParams& params = view.simulated;
    view.staticPoints = StaticCharacteristic(params, run);
    view.ranges = ChartRangesOfRun(run, params, view.staticPoints);
    if (earlier) {
        ChartRanges joined = *earlier;
        joined.mergeLater(view.ranges);
        view.ranges = joined;
    }
    const FinalValues finals = FinalValuesOf(run);
    view.summaryFigures = SummaryFiguresOf(view.ranges, finals, params, run.supplyVoltage);
    view.stepResponse = StepResponseOf(run, params);
    if (parts == RunViewParts::FiguresOnly)
        return view;
    view.summary = SummaryLines(view.summaryFigures, params.TorqueControl, decimalSeparator);
    view.stepResponseLines = StepResponseLines(view.stepResponse, decimalSeparator);
    view.converterLoad = ConverterLoadOf(run, params);
    view.warnings = DriveWarningsOf(run, params, view.stepResponse, view.converterLoad);
    const QStringList checks = DriveCheckLines(view.converterLoad, view.warnings, decimalSeparator);
    if (!checks.isEmpty())
        view.stepResponseLines << QString() << checks;
    // The result buffer holds 10 s; a longer Tmax is cut short, and the user hears of it.
    const double simulatedTime = run.SampleCount * run.timeStep;
    if (run.SampleCount >= ResultCapacity && params.Tmax > simulatedTime)
        view.runNotice =
            QStringLiteral("Tmax больше %1 с: моделируются первые %1 с").arg(qRound(simulatedTime));
    view.charts = DescribeRunCharts(run, params, view.staticPoints, view.ranges, decimalSeparator);
    return view;
}

QString RunFailureReason(const RunView& view)
{
    if (view.outcome != RunOutcome::SupplyRefused)
        return {};
    const std::string_view refusal = SupplyRefusal(view.collected);
    return QString::fromUtf8(refusal.data(), qsizetype(refusal.size()));
}

} // namespace kinetra
