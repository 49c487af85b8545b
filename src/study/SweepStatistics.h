#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "Sweep.h"

namespace kinetra {

// A quantile of a stream of numbers in constant memory: the P² estimate of Jain and Chlamtac,
// five markers moved by a parabola as the numbers arrive; exact up to five numbers.
class StreamingQuantile {
public:
    explicit StreamingQuantile(double probability);

    void add(double value);
    std::optional<double> value() const;

private:
    double m_probability;
    std::size_t m_count = 0;
    std::array<double, 5> m_heights{};
    std::array<double, 5> m_positions{};
    std::array<double, 5> m_desired{};
    std::array<double, 5> m_increments{};
};

// What a sweep's figure came to over its variants.
struct FigureSpread {
    std::size_t count = 0; // variants that gave the figure a number
    double minimum = 0;
    double mean = 0;
    double maximum = 0;
    std::optional<double> quantile5;
    std::optional<double> quantile95;
};

// The closing summary of a sweep, gathered row by row in constant memory: each figure's
// minimum, mean, maximum and 5 % and 95 % quantiles over the variants that ran, and the failed
// variants counted by their reason.
class SweepStatistics {
public:
    SweepStatistics();

    void add(const SweepRow& row);

    std::size_t variants() const { return m_variants; }
    // The figures summarised, as SweepFigureColumns names them.
    const QStringList& figures() const { return m_names; }
    FigureSpread spread(qsizetype figure) const;
    const std::map<QString, std::size_t>& failures() const { return m_failures; }

private:
    struct Figure {
        std::size_t count = 0;
        double minimum = 0;
        double maximum = 0;
        long double sum = 0;
        StreamingQuantile quantile5{0.05};
        StreamingQuantile quantile95{0.95};
    };

    QStringList m_names;
    std::vector<Figure> m_figures;
    std::map<QString, std::size_t> m_failures;
    std::size_t m_variants = 0;
};

} // namespace kinetra
