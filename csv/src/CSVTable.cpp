#include "CSVTable.h"

#include "CSVFields.h"
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

// Room made ahead for the lines of a file, at most: an estimate is no reason to take more.
constexpr std::size_t MaxLinesReserved = std::size_t{1} << 20;

} // namespace

const CCSVStream* CCSVTable::CurrentCSVStream(CTextStream* stream)
{
    // Looked up once per stream rather than once per line.
    if (stream != m_pStream) {
        m_pStream = stream;
        m_pCSVStream = dynamic_cast<const CCSVStream*>(stream);
    }
    return m_pCSVStream && m_pCSVStream->m_pLine ? m_pCSVStream : nullptr;
}

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
    // A new stream may lie where an old one lay.
    m_pStream = nullptr;
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
    // The file's length over its first line's is about its number of lines: room for them at
    // once spares the copies of growing arrays.
    const auto estimate = static_cast<std::size_t>(std::max<std::int64_t>(csv->GetLength(), 0)) /
                          (csv->m_strText.size() + 1);
    const std::size_t room = lines + std::min(estimate, MaxLinesReserved);
    if (m_FormatType == CSVFormatTime || m_FormatType == CSVFormatRelativeTime)
        m_TimeStamps.reserve(room);
    else if (m_FormatType == CSVFormatXY || m_FormatType == CSVFormatLineNumber)
        m_XValues.reserve(room);
    for (const auto& column : *this)
        column->m_Values.reserve(room);
    return m_pNextProcessor ? m_pNextProcessor->ProcessStreamStart(stream) : 1;
}

int CCSVTable::ProcessStreamLine(CTextStream* stream, std::string& text)
{
    const CCSVStream* csv = CurrentCSVStream(stream);
    if (!csv || !TakeLine(*csv, *csv->m_pLine))
        return 1;
    return m_pNextProcessor ? m_pNextProcessor->ProcessStreamLine(stream, text) : 1;
}

template <class Line> bool CCSVTable::TakeLine(const CCSVStream& csv, const Line& line)
{
    // The ranges restart with the table's first line; a later stream widens them, as its lines
    // are drawn beside the earlier ones.
    const bool first = m_XValues.empty() && m_TimeStamps.empty() && GetLineCount() == 0;

    switch (m_FormatType) {
    case CSVFormatTime:
    case CSVFormatRelativeTime: {
        const std::int64_t time = line.GetTimeStamp();
        if (time == 0)
            return false;
        m_TimeStamps.push_back(time);
        m_TimeScale.AddValue(time, first);
        break;
    }
    case CSVFormatXY: {
        int index = 0;
        if (!csv.m_bAllColumns)
            index = csv.m_Functions.IsEmpty() ? 0 : csv.m_Functions[0]->m_pColumn->m_nIndex;
        double x = 0;
        line.GetNumber(index, x);
        if (!std::isfinite(x))
            return false;
        m_XValues.push_back(x);
        m_XAxis.AddValue(x, first);
        break;
    }
    case CSVFormatLineNumber: {
        const auto x = static_cast<double>(csv.m_nLine);
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
    return true;
}

template bool CCSVTable::TakeLine(const CCSVStream&, const CSVFieldsLine&);

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
