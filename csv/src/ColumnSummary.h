#pragma once

#include <cstdint>
#include <limits>
#include <string>

// The numbers of one column over a range and the results of the summary functions on them,
// kept in constant memory however long the range.
class ColumnSummary
{
public:
    void Clear() { *this = ColumnSummary(); }
    // A value of a field; NaN, a field without a number, is missing and counts nowhere.
    void Add(double value);
    std::int64_t Count() const { return m_nCount; }
    // A function's result: Last gives lastText as it is, the others "%e" with a decimal comma.
    // Without numbers Count and Sum are 0, the others empty: missing, like their values.
    std::string Result(int type, const std::string& lastText) const;

private:
    std::int64_t m_nCount = 0;
    double m_Sum = 0;
    // Sums of the values' deviations from the first one and of their squares: the standard
    // deviation without keeping the values, and without the cancellation of plain squares.
    double m_Shift = 0;
    double m_Deviations = 0;
    double m_Squares = 0;
    double m_Minimum = std::numeric_limits<double>::infinity();
    double m_Maximum = -std::numeric_limits<double>::infinity();
};
