#include "SweepStatistics.h"

#include <algorithm>
#include <cmath>

namespace kinetra {

StreamingQuantile::StreamingQuantile(double probability) : m_probability(probability)
{
    const double p = probability;
    m_desired = {1, 1 + 2 * p, 1 + 4 * p, 3 + 2 * p, 5};
    m_increments = {0, p / 2, p, (1 + p) / 2, 1};
    m_positions = {1, 2, 3, 4, 5};
}

void StreamingQuantile::add(double value)
{
    auto& q = m_heights;
    auto& n = m_positions;
    if (m_count < q.size()) {
        q[m_count++] = value;
        if (m_count == q.size())
            std::sort(q.begin(), q.end());
        return;
    }
    ++m_count;
    std::size_t cell = 0;
    if (value < q[0]) {
        q[0] = value;
    } else if (value >= q[4]) {
        q[4] = std::max(q[4], value);
        cell = 3;
    } else {
        while (value >= q[cell + 1])
            ++cell;
    }
    for (std::size_t i = cell + 1; i < n.size(); ++i)
        n[i] += 1;
    for (std::size_t i = 0; i < n.size(); ++i)
        m_desired[i] += m_increments[i];
    for (std::size_t i = 1; i < 4; ++i) {
        const double offset = m_desired[i] - n[i];
        if ((offset >= 1 && n[i + 1] - n[i] > 1) || (offset <= -1 && n[i - 1] - n[i] < -1)) {
            const double d = offset > 0 ? 1 : -1;
            const double parabolic =
                q[i] + d / (n[i + 1] - n[i - 1]) *
                           ((n[i] - n[i - 1] + d) * (q[i + 1] - q[i]) / (n[i + 1] - n[i]) +
                            (n[i + 1] - n[i] - d) * (q[i] - q[i - 1]) / (n[i] - n[i - 1]));
            if (q[i - 1] < parabolic && parabolic < q[i + 1]) {
                q[i] = parabolic;
            } else {
                const std::size_t j = d > 0 ? i + 1 : i - 1;
                q[i] += d * (q[j] - q[i]) / (n[j] - n[i]);
            }
            n[i] += d;
        }
    }
}

std::optional<double> StreamingQuantile::value() const
{
    if (m_count == 0)
        return std::nullopt;
    if (m_count < m_heights.size()) {
        std::array<double, 5> sorted = m_heights;
        std::sort(sorted.begin(), sorted.begin() + std::ptrdiff_t(m_count));
        return sorted[std::size_t(std::lround(m_probability * double(m_count - 1)))];
    }
    return m_heights[2];
}

SweepStatistics::SweepStatistics()
    : m_names(SweepFigureColumns()), m_figures(std::size_t(m_names.size()))
{
}

namespace {

// The figures the summary is taken over: the step-response figures as the table prints them, the
// summary's numbers as computed, as the summary has always read them.
std::vector<std::optional<double>> SummarisedFigures(const SweepRow& row)
{
    std::vector<std::optional<double>> figures;
    for (const StepResponseField& field : StepResponseFields(row.stepResponse))
        figures.push_back(ReadPointNumber(field.value));
    for (const SummaryField& field : SummaryFields(row.summary))
        figures.push_back(field.value);
    return figures;
}

} // namespace

void SweepStatistics::add(const SweepRow& row)
{
    ++m_variants;
    if (!row.failure.isEmpty()) {
        ++m_failures[row.failure];
        return;
    }
    const std::vector<std::optional<double>> figures = SummarisedFigures(row);
    for (std::size_t i = 0; i < figures.size() && i < m_figures.size(); ++i) {
        if (!figures[i] || !std::isfinite(*figures[i]))
            continue;
        const double value = *figures[i];
        Figure& figure = m_figures[i];
        figure.minimum = figure.count == 0 ? value : std::min(figure.minimum, value);
        figure.maximum = figure.count == 0 ? value : std::max(figure.maximum, value);
        ++figure.count;
        figure.sum += value;
        figure.quantile5.add(value);
        figure.quantile95.add(value);
    }
}

FigureSpread SweepStatistics::spread(qsizetype figure) const
{
    const Figure& f = m_figures[std::size_t(figure)];
    if (f.count == 0)
        return {};
    return {f.count,   f.minimum,           double(f.sum / f.count),
            f.maximum, f.quantile5.value(), f.quantile95.value()};
}

} // namespace kinetra
