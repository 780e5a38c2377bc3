#include "CSVTable.h"

#include "CSVStream.h"
#include "Strings.h"

#include <algorithm>
#include <cmath>

CCSVTable::CCSVTable(CSVFormatType formatType, CTextStreamProcessor* nextProcessor)
    : m_FormatType(formatType), m_pNextProcessor(nextProcessor)
{
}

CCSVTable::~CCSVTable()
{
    DeleteAll();
}

void CCSVTable::DeleteAll()
{
    RemoveAll();
}

namespace {

// The CSV stream behind a stream event with its current line; null for other streams.
const CCSVStream* CurrentCSVStream(CTextStream* stream)
{
    const auto* csv = dynamic_cast<const CCSVStream*>(stream);
    return csv && csv->m_pLine ? csv : nullptr;
}

} // namespace

std::size_t CCSVTable::GetLineCount() const
{
    switch (m_FormatType) {
    case CSVFormatTime:
    case CSVFormatRelativeTime:
        return m_TimeStamps.size();
    case CSVFormatXY:
    case CSVFormatLineNumber:
        return m_XValues.size();
    }
    std::size_t lines = 0;
    for (const auto& column : *this)
        lines = std::max(lines, column->m_Values.size());
    return lines;
}

int CCSVTable::ProcessStreamStart(CTextStream* stream)
{
    const CCSVStream* csv = CurrentCSVStream(stream);
    if (!csv)
        return 1;
    m_strTitle = csv->m_strName;
    m_nStreamBegin = m_TimeStamps.size();
    // Columns of a later stream have no values on the lines already taken: they stay in step
    // with the X values.
    const std::size_t lines = GetLineCount();
    const auto addColumn = [&](CSVColumn* format) {
        auto* column = new CCSVColumn;
        column->m_pFormat = format;
        column->m_Values.assign(lines, dbl_nan);
        Add(column);
    };
    const int first = m_FormatType == CSVFormatXY ? 1 : 0;
    if (csv->m_bAllColumns) {
        for (int i = first; i < csv->m_Format.GetSize(); ++i)
            addColumn(csv->m_Format[i]);
    } else {
        for (int i = first; i < csv->m_Functions.GetSize(); ++i)
            addColumn(csv->m_Functions[i]->m_pColumn);
    }
    return m_pNextProcessor ? m_pNextProcessor->ProcessStreamStart(stream) : 1;
}

int CCSVTable::ProcessStreamLine(CTextStream* stream, std::string& text)
{
    const CCSVStream* csv = CurrentCSVStream(stream);
    if (!csv)
        return 1;
    const CCSVLine& line = *csv->m_pLine;
    // The ranges restart with the table's first line; a later stream widens them, as its lines
    // are drawn beside the earlier ones.
    const bool first = GetLineCount() == 0;

    switch (m_FormatType) {
    case CSVFormatTime:
    case CSVFormatRelativeTime: {
        const std::int64_t time = line.GetTimeStamp();
        if (time == 0)
            return 1;
        m_TimeStamps.push_back(time);
        m_TimeScale.AddValue(time, first);
        break;
    }
    case CSVFormatXY: {
        int index = 0;
        if (!csv->m_bAllColumns)
            index = csv->m_Functions.IsEmpty() ? 0 : csv->m_Functions[0]->m_pColumn->m_nIndex;
        double x = 0;
        line.GetNumber(index, x);
        if (!std::isfinite(x))
            return 1;
        m_XValues.push_back(x);
        m_XAxis.AddValue(x, first);
        break;
    }
    case CSVFormatLineNumber: {
        const auto x = static_cast<double>(csv->m_nLine);
        m_XValues.push_back(x);
        m_XAxis.AddValue(x, first);
        break;
    }
    default:
        break;
    }

    // The common range takes only columns that hold a value, so that neither an empty
    // column's 0 nor the range of an earlier stream creeps into it.
    if (first)
        m_ValueAxis.m_bEmpty = true;
    for (int i = 0; i < GetSize(); ++i) {
        CCSVColumn* column = GetAt(i);
        double value = dbl_nan;
        line.GetNumber(column->m_pFormat ? column->m_pFormat->m_nIndex : 0, value);
        column->m_Values.push_back(value);
        column->AddValue(value, first);
        if (!column->m_bEmpty) {
            m_ValueAxis.Merge(*column, m_ValueAxis.m_bEmpty);
            m_ValueAxis.m_bEmpty = false;
        }
    }
    return m_pNextProcessor ? m_pNextProcessor->ProcessStreamLine(stream, text) : 1;
}

int CCSVTable::ProcessStreamEnd(CTextStream* stream, std::string& text)
{
    if (m_FormatType == CSVFormatRelativeTime && m_nStreamBegin < m_TimeStamps.size()) {
        // Each stream's times count from its own earliest line.
        const auto begin = m_TimeStamps.begin() + static_cast<std::ptrdiff_t>(m_nStreamBegin);
        const std::int64_t start = *std::min_element(begin, m_TimeStamps.end());
        for (auto time = begin; time != m_TimeStamps.end(); ++time)
            *time -= start;
        const auto [low, high] = std::minmax_element(m_TimeStamps.begin(), m_TimeStamps.end());
        m_TimeScale.SetMinMax(*low, *high);
    } else if (m_FormatType == CSVFormatLineNumber && stream) {
        const auto last = static_cast<double>(stream->m_nLine - 1);
        if (last >= 0)
            m_XAxis.SetMinMax(0, last);
        else
            m_XAxis.SetMinMax(last, 0);
    }
    return m_pNextProcessor ? m_pNextProcessor->ProcessStreamEnd(stream, text) : 1;
}
