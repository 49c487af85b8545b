#pragma once

#include <limits>

namespace kinetra {

// The span of the values one chart axis has to show, gathered value by value and merged across
// runs drawn over each other. The axis never collapses: a range of one value v shows v..v+1 and
// a range without values, like an empty series, shows 0..1. The rule is applied only when the
// bounds are read, so merging always works on the values themselves.
class DataRange {
public:
    void include(double value);
    void merge(const DataRange& other);

    [[nodiscard]] bool isEmpty() const { return m_lowest > m_highest; }
    [[nodiscard]] double minimum() const;
    [[nodiscard]] double maximum() const;

private:
    double m_lowest = std::numeric_limits<double>::infinity();
    double m_highest = -std::numeric_limits<double>::infinity();
};

} // namespace kinetra
