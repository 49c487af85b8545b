#include "RunView.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include <QCoreApplication>

#include "Defaults.h"
#include "FixedNumber.h"
#include "RunSamples.h"

namespace kinetra {

namespace {

// A run that moved and ends with its mechanism within a hundredth of its top speed.
bool EndsAtRest(const RunData& run)
{
    double top = 0;
    for (const ResultSample& sample : ValidSamples(run))
        top = std::max(top, std::fabs(sample.mechSpeed));
    return top > 0 && std::fabs(FinalValuesOf(run).speedEnd) <= 0.01 * top;
}

// Under a position loop the statics of the drive's own run would be those of the voltage the
// position loop left at rest. The drive's steady states are its speed loop's: the same drive run
// with the position loop off, its speed loop then holding the ramp's speed wref, with the gains
// the position loop gave it.
struct SpeedLoopStatics {
    std::vector<StaticPoint> points;
    QString title;
};

SpeedLoopStatics SpeedLoopBeneath(const ModelParams& collected, const SignalSeries& signal)
{
    ModelParams speedLoop = collected;
    speedLoop.Kpf = 0;
    ReplaceZero(speedLoop.Kpw, 1);
    ReplaceZero(speedLoop.KpI, 1);
    const auto run = std::make_unique<RunData>();
    SimulationRecord record{speedLoop, *run, signal};
    if (RunSimulation(record) != RunOutcome::Completed)
        return {{},
                QCoreApplication::translate(
                    "RunView", "Под контуром положения: характеристика контура скорости не "
                               "определена — его расчёт не удался")};
    std::vector<StaticPoint> points = StaticCharacteristic(speedLoop, *run);
    if (points.empty())
        return {{},
                QCoreApplication::translate(
                    "RunView", "Под контуром положения: характеристика контура скорости не "
                               "определена при этих данных")};
    return {std::move(points),
            QCoreApplication::translate("RunView",
                                        "Под контуром положения: характеристика контура скорости")};
}

// The view of a run the engine has filled, which it only reads.
void ViewOf(RunView& view, const RunData& run, const SignalSeries& signal, QChar decimalSeparator,
            const ChartRanges* earlier, RunViewParts parts)
{
    const ModelParams& collected = view.collected;
    const ModelParams& params = view.simulated;
    QString staticsTitle;
    if (run.loopF && parts == RunViewParts::Whole) {
        SpeedLoopStatics beneath = SpeedLoopBeneath(collected, signal);
        view.staticPoints = std::move(beneath.points);
        staticsTitle = beneath.title;
    } else {
        view.staticPoints = StaticCharacteristic(params, run);
    }
    const std::vector<StaticPoint> drawnStatics = StaticsAsDrawn(view.staticPoints, params, run);
    view.ranges = ChartRangesOfRun(run, params, drawnStatics);
    if (earlier) {
        ChartRanges joined = *earlier;
        joined.mergeLater(view.ranges);
        view.ranges = joined;
    }
    const FinalValues finals = FinalValuesOf(run);
    view.summaryFigures = SummaryFiguresOf(view.ranges, finals, params, run.supplyVoltage);
    view.summaryFigures.endsAtRest = EndsAtRest(run);
    view.stepResponse = StepResponseOf(run, params);
    // The result buffer holds 10 s; a longer Tmax is cut short, and the user hears of it, of a
    // sweep's variant as of a single run.
    const double simulatedTime = run.SampleCount * run.timeStep;
    if (view.completed() && run.SampleCount >= ResultCapacity && params.Tmax > simulatedTime)
        view.runNotice =
            QCoreApplication::translate("RunView", "Tmax больше %1 с: моделируются первые %1 с")
                .arg(qRound(simulatedTime));
    if (parts == RunViewParts::FiguresOnly)
        return;
    const FigureColumn summary =
        SummaryColumn(view.summaryFigures, params.TorqueControl, decimalSeparator);
    view.summary = summary.asWritten();
    view.summaryOnPage = summary.aligned(FigureNameWidth);
    view.converterLoad = ConverterLoadOf(run, params);
    view.motorDuty = MotorDutyOf(run, params);
    view.energyBalanceError = run.energy.balanceError();
    view.warnings = DriveWarningsOf(run, params, view.stepResponse, view.converterLoad);
    FigureColumn figures = StepResponseColumn(view.stepResponse, decimalSeparator);
    figures.appendBlock(
        DriveCheckColumn(view.converterLoad, view.motorDuty, view.warnings, decimalSeparator));
    view.stepResponseLines = figures.aligned(FigureNameWidth);
    if (!view.completed())
        view.runNotice = RunFailureReason(view, run, decimalSeparator);
    view.charts = DescribeRunCharts(run, params, drawnStatics, view.ranges, decimalSeparator);
    view.charts.statics.title = staticsTitle;
}

} // namespace

RunView SimulateAndView(const ModelParams& collected, RunData& run, const SignalSeries& signal,
                        QChar decimalSeparator, const ChartRanges* earlier, RunViewParts parts)
{
    RunView view;
    view.collected = collected;
    view.simulated = collected;
    SimulationRecord record{view.simulated, run, signal};
    view.outcome = RunSimulation(record);
    if (view.hasSamples())
        ViewOf(view, run, signal, decimalSeparator, earlier, parts);
    return view;
}

namespace {

QString SupplyRefusalText(SupplyRefusal refusal)
{
    switch (refusal) {
    case SupplyRefusal::ServoOnThyristor:
        return QCoreApplication::translate(
            "RunView", "Синхронный двигатель не питается от тиристорного преобразователя: "
                       "выберите транзисторный ");
    case SupplyRefusal::ServoOnMains:
        return QCoreApplication::translate(
            "RunView",
            "Синхронный двигатель не запускается от сети: выберите транзисторный преобразователь ");
    }
    return {};
}

QString DataFaultText(DataFault fault)
{
    switch (fault) {
    case DataFault::FractionalPolePairs:
        return QCoreApplication::translate("RunView", "Число пар полюсов p1 должно быть целым ");
    case DataFault::FractionalPhases:
        return QCoreApplication::translate("RunView", "Число фаз m1 должно быть целым ");
    case DataFault::NoServoPolePairs:
        return QCoreApplication::translate("RunView",
                                           "Не задано число пар полюсов p1 синхронного двигателя ");
    case DataFault::NonPositiveCircuit:
        return QCoreApplication::translate(
            "RunView", "Сопротивление или индуктивность обмотки не положительны ");
    }
    return {};
}

QString DivergenceText(const RunDivergence& divergence, QChar separator)
{
    QString quantity;
    QString unit;
    switch (divergence.quantity) {
    case ReachQuantity::Current:
        quantity = QCoreApplication::translate("RunView", "ток");
        unit = QCoreApplication::translate("RunView", "А");
        break;
    case ReachQuantity::Speed:
        quantity = QCoreApplication::translate("RunView", "скорость двигателя");
        unit = QCoreApplication::translate("RunView", "рад/с");
        break;
    case ReachQuantity::StoredEnergy:
        quantity = QCoreApplication::translate("RunView", "запасённая энергия");
        unit = QCoreApplication::translate("RunView", "Дж");
        break;
    }
    return QCoreApplication::translate(
               "RunView", "Расчёт прерван при t = %1 с: %2 %3 %4 вне физических возможностей "
                          "привода (предел %5 %4) ")
        .arg(Fixed(divergence.time, 3, separator), quantity, Fixed(divergence.value, 1, separator),
             unit, Fixed(ReachMargin * divergence.reach, 1, separator));
}

} // namespace

QString RunFailureReason(const RunView& view, const RunData& run, QChar decimalSeparator)
{
    switch (view.outcome) {
    case RunOutcome::SupplyRefused:
        if (const std::optional<SupplyRefusal> refusal = SupplyRefusalOf(view.collected))
            return SupplyRefusalText(*refusal);
        return {};
    case RunOutcome::DataRefused:
        if (const std::optional<DataFault> fault = DataFaultOf(view.simulated))
            return DataFaultText(*fault);
        return {};
    case RunOutcome::Diverged:
        return run.divergence ? DivergenceText(*run.divergence, decimalSeparator) : QString();
    case RunOutcome::NoMotor:
        return QCoreApplication::translate("RunView", "Не выбран двигатель ");
    case RunOutcome::CircuitNotDerived:
        return QCoreApplication::translate(
            "RunView", "Параметры модели двигателя не вычисляются по его данным ");
    case RunOutcome::FloatingPointFault:
        return QCoreApplication::translate(
            "RunView",
            "Ошибка вычислений: деление на нуль, переполнение или нечисловой результат ");
    case RunOutcome::Completed:
        break;
    }
    return {};
}

} // namespace kinetra
