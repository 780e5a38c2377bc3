#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// The numbers of one column over a range and the results of the summary functions on them.
class ColumnSummary
{
public:
    void Clear();
    void Add(double value);
    std::int64_t Count() const { return static_cast<std::int64_t>(m_Values.size()); }
    // A function's result: Last gives lastText as it is, the others "%e" with a decimal comma.
    std::string Result(int type, const std::string& lastText) const;

private:
    std::vector<double> m_Values;
    double m_Sum = 0;
    double m_Minimum = std::numeric_limits<double>::infinity();
    double m_Maximum = -std::numeric_limits<double>::infinity();
};
