#include "ToleranceStudy.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kinetra {

namespace {

QString Usage(const QString& text)
{
    return QStringLiteral("--vary takes KEY=NOMINAL±PERCENT% or KEY=NOMINAL~SIGMA, not \"%1\".")
        .arg(text);
}

// Draws again beyond the first, each from a pair of streams of its own above those of every key.
constexpr std::uint64_t RedrawStreams = std::uint64_t(1) << 32;
// The nominal lies inside the key's values, so at least every other draw lands there: 64 misses
// in a row have a chance below 1e-19, and the nominal stands for the draw then.
constexpr std::uint64_t MostDraws = 64;

// SplitMix64's finaliser: a bijection of 64-bit words that scatters neighbouring counters.
std::uint64_t Scatter(std::uint64_t word)
{
    word += 0x9e3779b97f4a7c15u;
    word = (word ^ (word >> 30)) * 0xbf58476d1ce4e5b9u;
    word = (word ^ (word >> 27)) * 0x94d049bb133111ebu;
    return word ^ (word >> 31);
}

} // namespace

StatusOr<Tolerance> ParseTolerance(const QString& text)
{
    using Read = StatusOr<Tolerance>;
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return Read::Failed(Usage(text));
    const SweepAxis key = NumericKeyAxis(text.first(equals));
    if (!key.member)
        return Read::Failed(
            QStringLiteral("\"%1\" is no numeric model key.").arg(text.first(equals)));
    QString spec = text.sliced(equals + 1).trimmed();
    spec.replace(QStringLiteral("+-"), QStringLiteral("±"));
    Tolerance tolerance{key.key, key.member};
    qsizetype split = spec.indexOf(u'±');
    if (split >= 0) {
        if (!spec.endsWith(u'%'))
            return Read::Failed(Usage(text));
        spec.chop(1);
    } else {
        split = spec.indexOf(u'~');
        tolerance.spread = Tolerance::Spread::Normal;
    }
    const auto nominal = split < 0 ? std::nullopt : ReadPointNumber(spec.first(split));
    const auto width = split < 0 ? std::nullopt : ReadPointNumber(spec.sliced(split + 1));
    if (!nominal || !width)
        return Read::Failed(Usage(text));
    if (!std::isfinite(*nominal) || !std::isfinite(*width) || *width < 0 ||
        (tolerance.spread == Tolerance::Spread::Uniform && *width > 100))
        return Read::Failed(QStringLiteral("The tolerance of %1 must be finite and not negative, a "
                                           "percentage at most 100.")
                                .arg(key.key));
    if (IsWholeNumberKey(key.member))
        return Read::Failed(QStringLiteral("%1 takes whole numbers: sweep its values with --set "
                                           "instead of drawing them.")
                                .arg(key.key));
    if (IsMagnitudeKey(key.member) && *nominal < 0)
        return Read::Failed(
            QStringLiteral("%1 is a magnitude: its nominal value cannot be below zero.")
                .arg(key.key));
    tolerance.nominal = *nominal;
    tolerance.width = *width;
    return Read::Of(std::move(tolerance));
}

Status AddTolerance(std::vector<Tolerance>& tolerances, Tolerance tolerance)
{
    if (std::ranges::any_of(tolerances, [&tolerance](const Tolerance& given) {
            return given.member == tolerance.member;
        }))
        return Status::Failed(GivenTwice(tolerance.key));
    tolerances.push_back(std::move(tolerance));
    return Status::Done();
}

double ShareDrawnAgain(const Tolerance& tolerance)
{
    // A spread of zero draws its nominal alone, which lies inside.
    if (tolerance.spread == Tolerance::Spread::Uniform || !IsMagnitudeKey(tolerance.member) ||
        tolerance.width == 0)
        return 0;
    return 0.5 * std::erfc(tolerance.nominal / (tolerance.width * std::numbers::sqrt2));
}

double UniformDraw(std::uint64_t seed, std::uint64_t index, std::uint64_t stream)
{
    const std::uint64_t word = Scatter(Scatter(Scatter(seed) ^ index) ^ stream);
    return double(word >> 11) * 0x1.0p-53;
}

ToleranceSamples::ToleranceSamples(std::vector<Tolerance> tolerances, std::size_t count,
                                   std::uint64_t seed)
    : m_tolerances(std::move(tolerances)), m_count(count), m_seed(seed)
{
}

QStringList ToleranceSamples::keys() const
{
    QStringList keys;
    for (const Tolerance& tolerance : m_tolerances)
        keys.append(tolerance.key);
    return keys;
}

std::vector<double> ToleranceSamples::values(std::size_t index) const
{
    std::vector<double> values;
    for (std::size_t k = 0; k < m_tolerances.size(); ++k) {
        const Tolerance& tolerance = m_tolerances[k];
        // Two streams a key, so adding a key leaves the draws of the keys before it as they were.
        if (tolerance.spread == Tolerance::Spread::Uniform) {
            const double u = UniformDraw(m_seed, index, 2 * k);
            values.push_back(StoredValue(
                tolerance.member, tolerance.nominal * (1 + tolerance.width / 100 * (2 * u - 1))));
            continue;
        }
        double value = tolerance.nominal;
        for (std::uint64_t draw = 0; draw < MostDraws; ++draw) {
            const std::uint64_t stream = draw * RedrawStreams + 2 * k;
            const double u = UniformDraw(m_seed, index, stream);
            const double v = UniformDraw(m_seed, index, stream + 1);
            // Box and Muller: 1 - u keeps the logarithm's argument in (0, 1].
            const double normal =
                std::sqrt(-2 * std::log(1 - u)) * std::cos(2 * std::numbers::pi * v);
            const double drawn = tolerance.nominal + tolerance.width * normal;
            if (drawn >= 0 || !IsMagnitudeKey(tolerance.member)) {
                value = drawn;
                break;
            }
        }
        values.push_back(StoredValue(tolerance.member, value));
    }
    return values;
}

ModelParams ToleranceSamples::variant(const ModelParams& base, std::size_t index) const
{
    ModelParams params = base;
    const std::vector<double> values = this->values(index);
    for (std::size_t k = 0; k < m_tolerances.size(); ++k)
        params.*m_tolerances[k].member = values[k];
    return params;
}

} // namespace kinetra
