#include "StepResponse.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QCoreApplication>

#include "CurrentRating.h"
#include "FixedNumber.h"
#include "RunSamples.h"
#include "text/NumberText.h"

namespace kinetra {

namespace {

constexpr double RiseStart = 0.1;
constexpr double RiseEnd = 0.9;
constexpr double SettledShare = 0.9; // settling must be over before the run's last tenth

// The time from which the relative response stays within 1 ± band to the end of the run.
std::optional<double> SettlingTime(std::span<const double> time, std::span<const double> relative,
                                   double band)
{
    std::size_t settled = 0;
    for (std::size_t i = relative.size(); i-- > 0;) {
        if (std::fabs(relative[i] - 1) > band) {
            settled = i + 1;
            break;
        }
    }
    const double deadline = time.front() + SettledShare * (time.back() - time.front());
    if (settled == relative.size() || time[settled] > deadline)
        return std::nullopt;
    return time[settled];
}

double PeakMagnitude(std::span<const ResultSample> samples, double ResultSample::*field)
{
    double peak = 0;
    for (const ResultSample& sample : samples)
        peak = std::max(peak, std::fabs(sample.*field));
    return peak;
}

// The quantity and reference of the outermost closed loop; the controller compares the torque
// under a torque reference and the current otherwise. The position has its own series.
struct Measured {
    ControlledQuantity quantity;
    std::optional<double> reference;
};

Measured MeasuredOf(const RunData& run, const ModelParams& params)
{
    const bool controlled = run.controllerActive;
    if (controlled && run.loopF)
        return {ControlledQuantity::Position, PositionTarget(params)};
    if (controlled && run.loopW)
        return {ControlledQuantity::MechanismSpeed, params.wref};
    if (controlled && run.loopI && params.Mref != 0)
        return {ControlledQuantity::Torque, params.Mref};
    if (controlled && run.loopI)
        return {ControlledQuantity::Current, params.Iref};
    return {ControlledQuantity::MechanismSpeed, std::nullopt};
}

} // namespace

std::optional<double> LoopLimit(const RunData& run, const ModelParams& params)
{
    if (!run.controllerActive || !run.loopW || !(params.Imax > 0))
        return std::nullopt;
    return run.loopI && params.KI != 0 ? params.Imax / params.KI : params.Imax;
}

std::optional<double> PositionTarget(const ModelParams& params)
{
    // The loop's setup has scaled fmax by the sensor gain Kf; without a gain there is no limit.
    if (!(params.fmax > 0) || params.Kf == 0)
        return std::nullopt;
    return params.fmax / params.Kf;
}

StepFigures MeasureStep(std::span<const double> time, std::span<const double> value, double target)
{
    StepFigures figures;
    if (target == 0 || value.empty())
        return figures;
    figures.step = true;
    std::vector<double> relative(value.size());
    std::ranges::transform(value, relative.begin(), [target](double v) { return v / target; });

    const auto reaching = [&](double share) {
        return std::ranges::find_if(relative, [share](double r) { return r >= share; });
    };
    const auto riseEnd = reaching(RiseEnd);
    if (riseEnd != relative.end()) {
        const auto riseStart = reaching(RiseStart);
        figures.riseTime = time[std::size_t(riseEnd - relative.begin())] -
                           time[std::size_t(riseStart - relative.begin())];
    }
    figures.overshoot = std::max(0.0, (std::ranges::max(relative) - 1) * 100);
    figures.settling2 = SettlingTime(time, relative, 0.02);
    figures.settling5 = SettlingTime(time, relative, 0.05);
    return figures;
}

std::vector<double> MeasuredValues(const RunData& run, ControlledQuantity quantity)
{
    if (quantity == ControlledQuantity::Position) {
        const std::span<const double> positions = RecordedPositions(run);
        return {positions.begin(), positions.end()};
    }
    double ResultSample::*field = &ResultSample::mechSpeed;
    if (quantity == ControlledQuantity::Current)
        field = &ResultSample::current;
    else if (quantity == ControlledQuantity::Torque)
        field = &ResultSample::torque;
    const std::span<const ResultSample> samples = ValidSamples(run);
    std::vector<double> values(samples.size());
    std::ranges::transform(samples, values.begin(), field);
    return values;
}

StepResponse StepResponseOf(const RunData& run, const ModelParams& params)
{
    const std::span<const ResultSample> samples = ValidSamples(run);
    const Measured measured = MeasuredOf(run, params);
    StepResponse response;
    response.quantity = measured.quantity;
    response.closedLoop = measured.reference.has_value();
    if (samples.empty())
        return response;

    std::vector<double> time(samples.size());
    std::ranges::transform(samples, time.begin(), &ResultSample::time);
    const std::vector<double> value = MeasuredValues(run, measured.quantity);
    response.finalValue = value.back();
    // A position ramp without a limit never ends: there is nothing to reach.
    response.unbounded = measured.quantity == ControlledQuantity::Position && !response.closedLoop;
    response.target = measured.reference.value_or(response.finalValue);
    if (!response.unbounded)
        response.figures = MeasureStep(time, value, response.target);
    if (response.closedLoop)
        response.steadyStateError = response.target - response.finalValue;

    response.peakCurrent = PeakMagnitude(samples, &ResultSample::current);
    response.peakTorque = PeakMagnitude(samples, &ResultSample::torque);
    response.peakCurrentToRated =
        Ratio(response.peakCurrent, RatedCurrentInRecord(params.I, params));
    if (params.P > 0 && params.w > 0)
        response.peakTorqueToRated = Ratio(response.peakTorque, 1000 * params.P / params.w);
    if (const auto limit = LoopLimit(run, params)) {
        const double loopPeak = params.Mref != 0 ? response.peakTorque : response.peakCurrent;
        response.peakToLimit = Ratio(loopPeak, *limit);
    }
    return response;
}

namespace {

QString QuantityTitle(ControlledQuantity quantity)
{
    switch (quantity) {
    case ControlledQuantity::MechanismSpeed:
        return QCoreApplication::translate("StepResponse", "скорость w, рад/с");
    case ControlledQuantity::Current:
        return QCoreApplication::translate("StepResponse", "ток I, А");
    case ControlledQuantity::Torque:
        return QCoreApplication::translate("StepResponse", "момент М, Нм");
    case ControlledQuantity::Position:
        return QCoreApplication::translate("StepResponse", "положение, рад");
    }
    return {};
}

QString QuantityUnit(ControlledQuantity quantity)
{
    switch (quantity) {
    case ControlledQuantity::MechanismSpeed:
        return QCoreApplication::translate("StepResponse", "рад/с");
    case ControlledQuantity::Current:
        return QCoreApplication::translate("StepResponse", "А");
    case ControlledQuantity::Torque:
        return QCoreApplication::translate("StepResponse", "Нм");
    case ControlledQuantity::Position:
        return QCoreApplication::translate("StepResponse", "рад");
    }
    return {};
}

const char* QuantityKey(ControlledQuantity quantity)
{
    switch (quantity) {
    case ControlledQuantity::MechanismSpeed:
        return "speed";
    case ControlledQuantity::Current:
        return "current";
    case ControlledQuantity::Torque:
        return "torque";
    case ControlledQuantity::Position:
        return "position";
    }
    return "";
}

// Collects the block line by line.
class FiguresText {
public:
    explicit FiguresText(QChar decimalSeparator) : m_separator(decimalSeparator) {}

    void addHeading(const QString& heading) { m_column.addLine(heading); }

    void addValue(const QString& label, double value, int decimals)
    {
        m_column.addFigure(label, Fixed(value, decimals, m_separator));
    }

    void addFigure(const QString& label, std::optional<double> value, int decimals,
                   const QString& missing)
    {
        if (value)
            addValue(label, *value, decimals);
        else
            m_column.addWords(label, missing);
    }

    void addRatio(const QString& label, std::optional<double> value)
    {
        if (value)
            addValue(label, *value, 2);
    }

    FigureColumn column() && { return std::move(m_column); }

private:
    QChar m_separator;
    FigureColumn m_column;
};

} // namespace

FigureColumn StepTransientColumn(const StepResponse& response, QChar decimalSeparator)
{
    FiguresText text(decimalSeparator);
    const StepFigures& figures = response.figures;
    text.addHeading(QCoreApplication::translate("StepResponse", "Переходный процесс: %1")
                        .arg(QuantityTitle(response.quantity)));
    text.addValue(response.closedLoop
                      ? QCoreApplication::translate("StepResponse", " задание")
                      : QCoreApplication::translate("StepResponse", " установившееся"),
                  response.target, 2);
    if (response.unbounded) {
        text.addHeading(QCoreApplication::translate(
            "StepResponse", " предел fmax не задан: положению нечего достигать"));
    } else if (!figures.step) {
        text.addHeading(QCoreApplication::translate("StepResponse", " скачка нет"));
    } else {
        const QString notReached = QCoreApplication::translate("StepResponse", "не достигает 90 %");
        const QString notSettled = QCoreApplication::translate("StepResponse", "не установилось");
        text.addFigure(QCoreApplication::translate("StepResponse", " время нарастания, с"),
                       figures.riseTime, 3, notReached);
        text.addFigure(QCoreApplication::translate("StepResponse", " перерегулирование, %"),
                       figures.overshoot, 2, {});
        text.addFigure(QCoreApplication::translate("StepResponse", " установление ±2 %, с"),
                       figures.settling2, 3, notSettled);
        text.addFigure(QCoreApplication::translate("StepResponse", " установление ±5 %, с"),
                       figures.settling5, 3, notSettled);
    }
    if (response.steadyStateError)
        text.addValue(QCoreApplication::translate("StepResponse", " статическая ошибка, %1")
                          .arg(QuantityUnit(response.quantity)),
                      *response.steadyStateError, 2);
    return std::move(text).column();
}

FigureColumn StepResponseColumn(const StepResponse& response, QChar decimalSeparator)
{
    FiguresText peaks(decimalSeparator);
    peaks.addHeading(QCoreApplication::translate("StepResponse", "Пиковые значения"));
    peaks.addValue(QCoreApplication::translate("StepResponse", " ток, А"), response.peakCurrent, 2);
    peaks.addRatio(QCoreApplication::translate("StepResponse", " ток к номинальному"),
                   response.peakCurrentToRated);
    peaks.addRatio(QCoreApplication::translate("StepResponse", " к ограничению Imax"),
                   response.peakToLimit);
    peaks.addValue(QCoreApplication::translate("StepResponse", " момент, Нм"), response.peakTorque,
                   2);
    peaks.addRatio(QCoreApplication::translate("StepResponse", " момент к номинальному"),
                   response.peakTorqueToRated);
    FigureColumn column = StepTransientColumn(response, decimalSeparator);
    column.appendBlock(std::move(peaks).column());
    return column;
}

namespace {

bool FigureInRange(double value)
{
    constexpr double LargestFigure = 1e30;
    return std::fabs(value) <= LargestFigure;
}

} // namespace

QString FigureText(double value)
{
    if (!FigureInRange(value))
        return QStringLiteral("outOfRange");
    return GeneralNumber(value, FigureDigits);
}

StepResponseField FigureField(const char* key, std::optional<double> value, const char* missing)
{
    if (!value)
        return {key, QString::fromLatin1(missing)};
    return {key, FigureText(*value), FigureInRange(*value) ? value : std::nullopt};
}

QList<StepResponseField> StepResponseFields(const StepResponse& response)
{
    const StepFigures& figures = response.figures;
    const char* notReached = figures.step ? "never" : "none";
    return {
        {"quantity", QString::fromLatin1(QuantityKey(response.quantity))},
        FigureField("closedLoop", response.closedLoop ? 1 : 0),
        FigureField("target", response.target),
        FigureField("finalValue", response.finalValue),
        FigureField("riseTime", figures.riseTime, notReached),
        FigureField("overshoot", figures.overshoot),
        FigureField("settlingTime2", figures.settling2, notReached),
        FigureField("settlingTime5", figures.settling5, notReached),
        FigureField("steadyStateError", response.steadyStateError),
        FigureField("peakCurrent", response.peakCurrent),
        FigureField("peakTorque", response.peakTorque),
        FigureField("peakCurrentToRated", response.peakCurrentToRated),
        FigureField("peakTorqueToRated", response.peakTorqueToRated),
        FigureField("peakToLimit", response.peakToLimit),
    };
}

} // namespace kinetra
