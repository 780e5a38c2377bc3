#include "CSVTable.h"

#include "CSVStream.h"
#include "Strings.h"

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

int CCSVTable::ProcessStreamStart(CTextStream* stream)
{
    const CCSVStream* csv = CurrentCSVStream(stream);
    if (!csv)
        return 1;
    m_strTitle = csv->m_strName;
    const int first = m_FormatType == CSVFormatXY ? 1 : 0;
    if (csv->m_bAllColumns) {
        for (int i = first; i < csv->m_Format.GetSize(); ++i) {
            auto* column = new CCSVColumn;
            column->m_pFormat = csv->m_Format[i];
            Add(column);
        }
    } else {
        for (int i = first; i < csv->m_Functions.GetSize(); ++i) {
            auto* column = new CCSVColumn;
            column->m_pFormat = csv->m_Functions[i]->m_pColumn;
            Add(column);
        }
    }
    return m_pNextProcessor ? m_pNextProcessor->ProcessStreamStart(stream) : 1;
}

int CCSVTable::ProcessStreamLine(CTextStream* stream, std::string& text)
{
    const CCSVStream* csv = CurrentCSVStream(stream);
    if (!csv)
        return 1;
    const CCSVLine& line = *csv->m_pLine;
    const bool first = csv->m_nLine == 0;

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
        line.GetColumn(index, x);
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
        line.GetColumn(column->m_pFormat ? column->m_pFormat->m_nIndex : 0, value);
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
    if (m_FormatType == CSVFormatRelativeTime) {
        const std::int64_t start = m_TimeScale.m_Min;
        for (std::int64_t& time : m_TimeStamps)
            time -= start;
        m_TimeScale.m_Max -= start;
        m_TimeScale.m_Min = 0;
    } else if (m_FormatType == CSVFormatLineNumber && stream) {
        const auto last = static_cast<double>(stream->m_nLine - 1);
        if (last >= 0)
            m_XAxis.SetMinMax(0, last);
        else
            m_XAxis.SetMinMax(last, 0);
    }
    return m_pNextProcessor ? m_pNextProcessor->ProcessStreamEnd(stream, text) : 1;
}
