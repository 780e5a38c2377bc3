#include "CSVLine.h"

#include "CSVFields.h"
#include "DateTimeText.h"
#include "Strings.h"

#include <algorithm>
#include <cctype>
#include <cstring>

CCSVLine::CCSVLine(int line, const std::string& text, const char* separator, const char* decimal,
                   int dateColumn, int timeColumn)
{
    SetLine(line, text, separator, decimal);
    GetDateTime(dateColumn, timeColumn);
}

void CCSVLine::SetLine(int line, const std::string& text, const char* separator,
                       const char* decimal)
{
    m_nLine = line;
    m_strLine = text;
    m_pszDecimal = decimal;
    CSVFields::ForEach(m_strLine, separator ? separator : "",
                       [this](std::string_view field) { m_Fields.emplace_back(field); });
}

int CCSVLine::GetColumn(int index, std::string& text) const
{
    if (m_Fields.empty()) {
        text.clear();
        return 0;
    }
    const int last = static_cast<int>(m_Fields.size()) - 1;
    text = m_Fields[static_cast<std::size_t>(index < 0 ? 0 : index > last ? last : index)];
    return 1;
}

int CCSVLine::GetColumn(int index, double& value) const
{
    if (m_Fields.empty()) {
        value = dbl_nan;
        return 0;
    }
    const int last = static_cast<int>(m_Fields.size()) - 1;
    value = AtoV(m_Fields[static_cast<std::size_t>(index < 0      ? 0
                                                   : index > last ? last
                                                                  : index)]
                     .c_str());
    return 1;
}

double CCSVLine::AtoV(const char* text) const
{
    return ::AtoV(text, m_pszDecimal);
}

std::string_view CCSVLine::GetField(int index) const
{
    if (index < 0 || index >= GetColumnCount())
        return {};
    return m_Fields[static_cast<std::size_t>(index)];
}

bool CCSVLine::GetNumber(int index, double& value) const
{
    return ParseNumber(GetField(index), m_pszDecimal, value);
}

std::int64_t CCSVLine::GetDateTime(int dateColumn, int timeColumn)
{
    m_nTimeMode = TimeModeOf(dateColumn, timeColumn);
    if (m_Fields.empty()) {
        m_TimeStamp = 0;
        return m_TimeStamp;
    }
    const int last = static_cast<int>(m_Fields.size()) - 1;
    m_TimeStamp = LineTimeStamp(
        m_nTimeMode, m_Fields[static_cast<std::size_t>(std::clamp(dateColumn, 0, last))],
        m_Fields[static_cast<std::size_t>(std::clamp(timeColumn, 0, last))]);
    return m_TimeStamp;
}

void CCSVLines::Insert(CCSVLine* line)
{
    if (!line)
        return;
    const std::int64_t stamp = line->GetTimeStamp();
    // Lines mostly arrive in time order: then the place is the end, found without a scan.
    if (IsEmpty() || GetAt(GetSize() - 1)->GetTimeStamp() <= stamp) {
        Add(line);
        return;
    }
    for (int i = 0; i < GetSize(); ++i) {
        if (GetAt(i)->GetTimeStamp() > stamp) {
            InsertAt(i, line);
            return;
        }
    }
    Add(line);
}
