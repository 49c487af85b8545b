#include "RunView.h"

#include "FixedNumber.h"
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
    if (!view.hasSamples())
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
    // The result buffer holds 10 s; a longer Tmax is cut short, and the user hears of it, of a
    // sweep's variant as of a single run.
    const double simulatedTime = run.SampleCount * run.timeStep;
    if (view.completed() && run.SampleCount >= ResultCapacity && params.Tmax > simulatedTime)
        view.runNotice =
            QStringLiteral("Tmax больше %1 с: моделируются первые %1 с").arg(qRound(simulatedTime));
    if (parts == RunViewParts::FiguresOnly)
        return view;
    view.summary = SummaryLines(view.summaryFigures, params.TorqueControl, decimalSeparator);
    view.stepResponseLines = StepResponseLines(view.stepResponse, decimalSeparator);
    view.converterLoad = ConverterLoadOf(run, params);
    view.energyBalanceError = run.energy.balanceError();
    view.warnings = DriveWarningsOf(run, params, view.stepResponse, view.converterLoad);
    const QStringList checks = DriveCheckLines(view.converterLoad, view.warnings, decimalSeparator);
    if (!checks.isEmpty())
        view.stepResponseLines << QString() << checks;
    if (!view.completed())
        view.runNotice = RunFailureReason(view, run, decimalSeparator);
    view.charts = DescribeRunCharts(run, params, view.staticPoints, view.ranges, decimalSeparator);
    return view;
}

namespace {

QString DataFaultText(DataFault fault)
{
    switch (fault) {
    case DataFault::FractionalPolePairs:
        return QStringLiteral("Число пар полюсов p1 должно быть целым ");
    case DataFault::FractionalPhases:
        return QStringLiteral("Число фаз m1 должно быть целым ");
    case DataFault::NoServoPolePairs:
        return QStringLiteral("Не задано число пар полюсов p1 синхронного двигателя ");
    case DataFault::NonPositiveCircuit:
        return QStringLiteral("Сопротивление или индуктивность обмотки не положительны ");
    }
    return {};
}

QString DivergenceText(const RunDivergence& divergence, QChar separator)
{
    QString quantity;
    QString unit;
    switch (divergence.quantity) {
    case ReachQuantity::Current:
        quantity = QStringLiteral("ток");
        unit = QStringLiteral("А");
        break;
    case ReachQuantity::Speed:
        quantity = QStringLiteral("скорость двигателя");
        unit = QStringLiteral("рад/с");
        break;
    case ReachQuantity::StoredEnergy:
        quantity = QStringLiteral("запасённая энергия");
        unit = QStringLiteral("Дж");
        break;
    }
    return QStringLiteral("Расчёт прерван при t = %1 с: %2 %3 %4 вне физических возможностей "
                          "привода (предел %5 %4) ")
        .arg(Fixed(divergence.time, 3, separator), quantity, Fixed(divergence.value, 1, separator),
             unit, Fixed(ReachMargin * divergence.reach, 1, separator));
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

QString RunFailureReason(const RunView& view, const RunData& run, QChar decimalSeparator)
{
    switch (view.outcome) {
    case RunOutcome::SupplyRefused:
        return FromUtf8(SupplyRefusal(view.collected));
    case RunOutcome::DataRefused:
        if (const std::optional<DataFault> fault = DataFaultOf(view.simulated))
            return DataFaultText(*fault);
        return {};
    case RunOutcome::Diverged:
        return run.divergence ? DivergenceText(*run.divergence, decimalSeparator) : QString();
    case RunOutcome::NoMotor:
        return QStringLiteral("Не выбран двигатель ");
    case RunOutcome::CircuitNotDerived:
        return QStringLiteral("Параметры модели двигателя не вычисляются по его данным ");
    case RunOutcome::FloatingPointFault:
        return QStringLiteral(
            "Ошибка вычислений: деление на нуль, переполнение или нечисловой результат ");
    case RunOutcome::Completed:
        break;
    }
    return {};
}

} // namespace kinetra
