#include "DataRange.h"

#include <algorithm>

namespace kinetra {

void DataRange::include(double value)
{
    m_lowest = std::min(m_lowest, value);
    m_highest = std::max(m_highest, value);
}

void DataRange::merge(const DataRange& other)
{
    m_lowest = std::min(m_lowest, other.m_lowest);
    m_highest = std::max(m_highest, other.m_highest);
}

double DataRange::minimum() const
{
    return isEmpty() ? 0 : m_lowest;
}

double DataRange::maximum() const
{
    if (isEmpty())
        return 1;
    return m_highest == m_lowest ? m_highest + 1 : m_highest;
}

} // namespace kinetra
