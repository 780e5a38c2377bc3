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

void ColumnSummary::Add(double value)
{
    if (std::isnan(value))
        return;
    if (m_nCount++ == 0)
        m_Shift = value;
    m_Sum += value;
    const double deviation = value - m_Shift;
    m_Deviations += deviation;
    m_Squares += deviation * deviation;
    m_Minimum = std::min(m_Minimum, value);
    m_Maximum = std::max(m_Maximum, value);
}

std::string ColumnSummary::Result(int type, const std::string& lastText) const
{
    const auto count = static_cast<double>(m_nCount);
    switch (type) {
    case CSVFunctionSum:
        return NumberText(m_Sum);
    case CSVFunctionCount:
        return NumberText(count);
    case CSVFunctionLast:
        return lastText;
    default:
        break;
    }
    if (m_nCount == 0)
        return {};
    switch (type) {
    case CSVFunctionAverage:
        return NumberText(m_Sum / count);
    case CSVFunctionMinimum:
        return NumberText(m_Minimum);
    case CSVFunctionMaximum:
        return NumberText(m_Maximum);
    case CSVFunctionStddev:
        // Population standard deviation: the root of the mean square deviation.
        return NumberText(
            std::sqrt(std::max(0.0, (m_Squares - m_Deviations * m_Deviations / count) / count)));
    default:
        return lastText;
    }
}
