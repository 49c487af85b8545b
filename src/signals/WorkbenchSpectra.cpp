#include "WorkbenchSpectra.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

#include "FixedNumber.h"
#include "text/NumberText.h"

namespace kinetra {

namespace {

const SignalSeries& SeriesOf(const SignalBuffer& buffer, SignalStage stage)
{
    switch (stage) {
    case SignalStage::Input:
        return buffer.InputSamples;
    case SignalStage::Channel:
        return buffer.ChannelSamples;
    case SignalStage::Output:
        break;
    }
    return buffer.OutputSamples;
}

// A value read off a chart in the number text of the results: four significant figures, the
// digits a reader takes in at a glance, in fixed notation down to a hundred-millionth, below
// which the amplitudes of the spectra are noise; zero as "0".
QString Readout(double value, QChar decimalSeparator)
{
    constexpr int GlanceFigures = 4;
    constexpr int MostDecimals = 8;
    // The leading digit of the value as rounded to those figures: 0.99996 reads 1.000.
    const double rounded = GeneralNumber(value, GlanceFigures).toDouble();
    if (rounded == 0 || !std::isfinite(rounded))
        return Fixed(value, 0, decimalSeparator);
    const int leading = int(std::floor(std::log10(std::abs(rounded))));
    return Fixed(value, std::clamp(GlanceFigures - 1 - leading, 0, MostDecimals), decimalSeparator);
}

// A frequency as a field writes it: 5, 412,5.
QString Frequency(double frequency, QChar decimalSeparator)
{
    constexpr int GlanceDigits = 6;
    return FormatNumber(GeneralNumber(frequency, GlanceDigits).toDouble(), decimalSeparator);
}

// The point of a curve nearest to x; nullptr for an empty curve or an x beyond both ends by more
// than one step.
const QPointF* Nearest(const QList<QPointF>& points, double x)
{
    if (points.isEmpty())
        return nullptr;
    const auto after = std::lower_bound(points.begin(), points.end(), x,
                                        [](const QPointF& p, double v) { return p.x() < v; });
    const QPointF* best = nullptr;
    if (after != points.end())
        best = &*after;
    if (after != points.begin() && (!best || x - (after - 1)->x() < best->x() - x))
        best = &*(after - 1);
    const double step = points.size() > 1 ? points[1].x() - points[0].x() : 1;
    return std::abs(best->x() - x) <= step ? best : nullptr;
}

constexpr std::array<const char*, 3> StageNames{QT_TRANSLATE_NOOP("WorkbenchSpectra", "вход"),
                                                QT_TRANSLATE_NOOP("WorkbenchSpectra", "канал"),
                                                QT_TRANSLATE_NOOP("WorkbenchSpectra", "выход")};

QString StageName(SignalStage stage)
{
    return WorkbenchSpectra::tr(StageNames[static_cast<std::size_t>(stage)]);
}

} // namespace

void WorkbenchSpectra::update(const SignalWorkbench& workbench)
{
    for (SignalStage stage : {SignalStage::Input, SignalStage::Channel, SignalStage::Output}) {
        QList<QPointF>& points = m_amplitudes[static_cast<std::size_t>(stage)];
        points.clear();
        const int n = workbench.computedCount(stage);
        if (n < 2)
            continue;
        const std::vector<double> amplitudes = m_analyser.amplitudes(
            std::span(SeriesOf(workbench.buffer(), stage)).first(std::size_t(n)));
        points.reserve(qsizetype(amplitudes.size()));
        for (std::size_t j = 0; j < amplitudes.size(); ++j)
            points.append({BinFrequency(int(j), n), amplitudes[j]});
    }
    // The response is smooth: a few hundred frequencies from the lowest bin draw it.
    const int n = std::max(workbench.computedCount(SignalStage::Output), 2);
    m_equation = workbench.differenceEquation();
    const ResponseCurve response =
        ResponseOver(m_equation, BinFrequency(1, n), HighestFrequency, 400);
    m_magnitude.clear();
    m_phase.clear();
    m_magnitude.reserve(qsizetype(response.frequencies.size()));
    m_phase.reserve(qsizetype(response.frequencies.size()));
    for (std::size_t j = 0; j < response.frequencies.size(); ++j) {
        m_magnitude.append({response.frequencies[j], response.magnitudeDb[j]});
        m_phase.append({response.frequencies[j], response.phaseDegrees[j]});
    }
}

QString TimeReadout(const SignalWorkbench& workbench, double abscissa, QChar decimalSeparator)
{
    QStringList values;
    for (SignalStage stage : {SignalStage::Input, SignalStage::Channel, SignalStage::Output}) {
        const QPointF* point = Nearest(workbench.curve(stage), abscissa);
        if (point)
            values << QStringLiteral("%1 %2").arg(StageName(stage),
                                                  Readout(point->y(), decimalSeparator));
    }
    if (values.isEmpty())
        return {};
    const long long sample = std::llround(std::max(abscissa, 0.0) * 10);
    return WorkbenchSpectra::tr("Отсчет %1 (%2 мс модели): %3")
        .arg(sample)
        .arg(sample)
        .arg(values.join(QStringLiteral(", ")));
}

QString SpectrumReadout(const WorkbenchSpectra& spectra, double frequency, QChar decimalSeparator)
{
    // The values of the spectrum bin nearest the mouse, and the element's response at its
    // frequency.
    QStringList values;
    double at = frequency;
    for (SignalStage stage : {SignalStage::Input, SignalStage::Channel, SignalStage::Output}) {
        if (const QPointF* point = Nearest(spectra.amplitude(stage), frequency)) {
            at = point->x();
            values << QStringLiteral("%1 %2").arg(StageName(stage),
                                                  Readout(point->y(), decimalSeparator));
        }
    }
    if (values.isEmpty() && !Nearest(spectra.magnitudeDb(), frequency))
        return {};
    const std::complex<double> response = spectra.response(at);
    values << WorkbenchSpectra::tr("звено %1 дБ, %2°")
                  .arg(Readout(20 * std::log10(std::max(std::abs(response), 1e-12)),
                               decimalSeparator),
                       Readout(std::arg(response) * 180 / std::numbers::pi, decimalSeparator));
    return WorkbenchSpectra::tr("%1 Гц: %2")
        .arg(Frequency(at, decimalSeparator), values.join(QStringLiteral(", ")));
}

} // namespace kinetra
