#include "LoopResponses.h"

#include <QCoreApplication>

#include <cmath>

#include "CascadeModel.h"
#include "FixedNumber.h"
#include "LoopResponse.h"
#include "StepComparison.h"

namespace kinetra {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(LoopResponses)
};

template <typename Code> QString textOf(Code code)
{
    return QCoreApplication::translate("kinetra::TuningCodes", RussianText(code).data());
}

QString loopName(Loop loop, bool torqueFeedback)
{
    switch (loop) {
    case Loop::Current:
        return torqueFeedback ? Text::tr("Момент") : Text::tr("Ток");
    case Loop::Speed:
        return Text::tr("Скорость");
    case Loop::Position:
        return Text::tr("Положение");
    }
    return {};
}

// A figure the response does not show is a dash; a gain margin without a phase crossover is
// unbounded.
QString figure(double value, QChar separator)
{
    if (std::isnan(value))
        return QStringLiteral("—");
    if (std::isinf(value))
        return QStringLiteral("∞");
    return Fixed(value, 1, separator);
}

// The value a curve reaches at a frequency, between the two points about it, on the
// logarithmic frequency scale the curve is drawn on.
double valueAt(const QList<QPointF>& curve, double frequency)
{
    for (qsizetype i = 1; i < curve.size(); ++i) {
        const QPointF& low = curve.at(i - 1);
        const QPointF& high = curve.at(i);
        if (high.x() < frequency)
            continue;
        const double span = std::log(high.x() / low.x());
        const double part = span > 0 ? std::log(frequency / low.x()) / span : 0;
        return low.y() + part * (high.y() - low.y());
    }
    return curve.isEmpty() ? 0 : curve.constLast().y();
}

LoopCurves curvesOf(const LoopResponse& response, const std::vector<double>& frequencies,
                    bool torqueFeedback)
{
    LoopCurves curves{response.loop, loopName(response.loop, torqueFeedback), {}, {}, {}, {}, {}};
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        curves.magnitude.append({frequencies[i], response.magnitudeDb[i]});
        curves.phase.append({frequencies[i], response.phaseDeg[i]});
    }
    const LoopMargins& margins = response.margins;
    if (std::isfinite(margins.crossover)) {
        curves.crossover = {{margins.crossover, 0}};
        if (std::isfinite(margins.phaseMargin)) {
            // The phase may be unwrapped below -360 degrees; the margin stands on the turn of
            // -180 degrees the phase at the crossover lies above.
            const double phase = valueAt(curves.phase, margins.crossover);
            curves.phaseMargin = {{margins.crossover, phase - margins.phaseMargin},
                                  {margins.crossover, phase}};
        }
    }
    if (std::isfinite(margins.phaseCrossover) && std::isfinite(margins.gainMargin))
        curves.gainMargin = {{margins.phaseCrossover, -margins.gainMargin},
                             {margins.phaseCrossover, 0}};
    return curves;
}

} // namespace

LoopResponses DescribeLoopResponses(const ModelParams& collected, QChar decimalSeparator)
{
    LoopResponses responses;
    const CascadeModelResult cascade = CascadeModelOf(collected);
    if (!cascade.model) {
        responses.refusal = textOf(cascade.refusal->code);
        return responses;
    }
    const CascadeModel& model = *cascade.model;
    const std::vector<double> frequencies = ResponseFrequencies(model);
    const CascadeResponse response = CascadeResponseOf(model, frequencies);
    const StepComparison step = CompareStep(collected, model);

    responses.columns = {Text::tr("Контур"),
                         Text::tr("Частота среза, рад/с"),
                         Text::tr("Запас по фазе, °"),
                         Text::tr("Запас по амплитуде, дБ"),
                         Text::tr("Полоса пропускания, рад/с"),
                         Text::tr("Отклонение шага, %"),
                         Text::tr("Оговорки")};
    for (const LoopResponse& loop : response.loops) {
        responses.loops.push_back(curvesOf(loop, response.frequencies, model.torqueFeedback));
        const LoopMargins& margins = loop.margins;
        QStringList row{responses.loops.back().name, figure(margins.crossover, decimalSeparator),
                        figure(margins.phaseMargin, decimalSeparator),
                        figure(margins.gainMargin, decimalSeparator),
                        figure(margins.bandwidth, decimalSeparator)};
        // Only the outermost loop's step is run by the engine.
        if (loop.loop == step.loop) {
            QStringList caveats;
            for (const Caveat caveat : step.caveats)
                caveats << textOf(caveat);
            row << figure(step.deviation * 100, decimalSeparator)
                << caveats.join(QStringLiteral("; "));
        } else {
            row << QString() << QString();
        }
        responses.rows.push_back(row);
    }
    return responses;
}

QStringList LoopMarginLines(const LoopResponses& responses)
{
    QStringList lines{Text::tr("Запасы устойчивости")};
    if (!responses.refusal.isEmpty())
        return lines << responses.refusal;
    for (const QStringList& row : responses.rows) {
        lines << Text::tr("Контур: %1").arg(row.first());
        for (qsizetype column = 1; column < row.size(); ++column)
            if (!row.at(column).isEmpty())
                lines << QStringLiteral("  ") + responses.columns.at(column) + QStringLiteral(" ") +
                             row.at(column);
    }
    return lines;
}

} // namespace kinetra
