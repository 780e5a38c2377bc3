#include "ColumnSummary.h"

#include "CSVStream.h"
#include "Strings.h"

#include <algorithm>
#include <cmath>

namespace {

std::string NumberText(double value)
{
    std::string text = FormatString("%e", value);
    ReplaceAll(text, ".", ",");
    return text;
}

} // namespace

void ColumnSummary::Clear()
{
    m_Values.clear();
    m_Sum = 0;
    m_Minimum = std::numeric_limits<double>::infinity();
    m_Maximum = -std::numeric_limits<double>::infinity();
}

void ColumnSummary::Add(double value)
{
    m_Values.push_back(value);
    m_Sum += value;
    m_Minimum = std::min(m_Minimum, value);
    m_Maximum = std::max(m_Maximum, value);
}

std::string ColumnSummary::Result(int type, const std::string& lastText) const
{
    const auto count = static_cast<double>(m_Values.size());
    switch (type) {
    case CSVFunctionAverage:
        return NumberText(m_Sum / count);
    case CSVFunctionMinimum:
        return NumberText(m_Minimum);
    case CSVFunctionMaximum:
        return NumberText(m_Maximum);
    case CSVFunctionSum:
        return NumberText(m_Sum);
    case CSVFunctionStddev: {
        // Population standard deviation: the root of the mean square deviation.
        const double mean = m_Sum / count;
        double squares = 0;
        for (const double v : m_Values)
            squares += (v - mean) * (v - mean);
        return NumberText(std::sqrt(squares / count));
    }
    case CSVFunctionCount:
        return NumberText(count);
    default:
        return lastText;
    }
}
