#include "SimTuning.h"

#include <cmath>
#include <optional>

#include "text/CsvText.h"
#include "text/NumberText.h"

namespace kinetra {

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A figure with its unit, or "нет" where the response does not show it.
QString Figure(double value, const char* unit, QChar separator)
{
    if (!std::isfinite(value))
        return QStringLiteral("нет");
    return GeneralNumber(value, 4, separator) + u' ' + QString::fromUtf8(unit);
}

QString CaveatText(const std::vector<Caveat>& caveats)
{
    QStringList texts;
    for (const Caveat caveat : caveats)
        texts << Text(RussianText(caveat));
    return texts.join(QStringLiteral("; "));
}

std::optional<double> Shown(double value)
{
    return std::isfinite(value) ? std::optional(value) : std::nullopt;
}

} // namespace

QStringList TuningLines(const CascadeTuning& tuning, const CascadeResponse& response,
                        const StepComparison& comparison, QChar separator)
{
    QStringList lines;
    for (const ModelKey& key : TunedKeys(tuning))
        lines << QString::fromStdString(key.key) + u'=' + FormatNumber(key.value, separator);
    for (const LoopTuning& loop : tuning.loops) {
        QString name = Text(RussianText(loop.loop));
        name[0] = name[0].toUpper();
        lines << name + QStringLiteral(": ") + Text(RussianText(loop.optimum)) +
                     QStringLiteral(", ") + Text(RussianText(loop.reason));
        const LoopResponse* shown = response.find(loop.loop);
        if (!shown)
            continue;
        const LoopMargins& m = shown->margins;
        lines << QStringLiteral("  запас по фазе %1, по амплитуде %2, частота среза %3, полоса %4, "
                                "малая постоянная %5")
                     .arg(Figure(m.phaseMargin, "град", separator),
                          Figure(m.gainMargin, "дБ", separator),
                          Figure(m.crossover, "рад/с", separator),
                          Figure(m.bandwidth, "рад/с", separator),
                          Figure(loop.model.small.sum(), "с", separator));
    }
    lines << QStringLiteral("Скачок задания 1 %: отклонение линейной модели от расчета %1")
                 .arg(Figure(100 * comparison.deviation, "%", separator));
    if (!comparison.caveats.empty())
        lines << QStringLiteral("  линейная модель неточна: ") + CaveatText(comparison.caveats);
    return lines;
}

QString RefusalLine(const TuningRefusal& refusal)
{
    QString line = Text(RussianText(refusal.code));
    if (refusal.loop)
        line += QStringLiteral(" (") + Text(RussianText(*refusal.loop)) + u')';
    return line;
}

QString LoopResponseCsv(const CascadeResponse& response)
{
    QStringList header{QStringLiteral("omega")};
    for (const LoopResponse& loop : response.loops) {
        const QString tag = Text(LoopTag(loop.loop));
        header << QStringLiteral("magnitude") + tag << QStringLiteral("phase") + tag;
    }
    QString csv = CsvRow(header, u',') + u'\n';
    for (std::size_t i = 0; i < response.frequencies.size(); ++i) {
        QStringList row{GeneralNumber(response.frequencies[i], ExactDigits)};
        for (const LoopResponse& loop : response.loops)
            row << GeneralNumber(loop.magnitudeDb[i], ExactDigits)
                << GeneralNumber(loop.phaseDeg[i], ExactDigits);
        csv += CsvRow(row, u',') + u'\n';
    }
    return csv;
}

QList<StepResponseField> MarginFields(const ModelParams& params)
{
    static constexpr const char* Keys[3][2] = {{"phaseMarginI", "crossoverI"},
                                               {"phaseMarginW", "crossoverW"},
                                               {"phaseMarginF", "crossoverF"}};
    QList<StepResponseField> fields;
    const CascadeModelResult cascade = CascadeModelOf(params);
    if (!cascade.model)
        return fields;
    const CascadeResponse response =
        CascadeResponseOf(*cascade.model, ResponseFrequencies(*cascade.model));
    for (const LoopResponse& loop : response.loops) {
        const auto& keys = Keys[static_cast<int>(loop.loop)];
        fields << FigureField(keys[0], Shown(loop.margins.phaseMargin))
               << FigureField(keys[1], Shown(loop.margins.crossover));
    }
    return fields;
}

} // namespace kinetra
