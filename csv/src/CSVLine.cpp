#include "CSVLine.h"

#include "DateTimeText.h"
#include "Int64Time.h"
#include "LocalTime.h"
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
    // The splitting of GetNextCSV, without a copy of the rest for every field.
    const std::string_view all(text);
    const std::string_view sep(separator ? separator : "");
    std::size_t count = 1;
    if (sep.size() == 1) {
        count += static_cast<std::size_t>(std::count(all.begin(), all.end(), sep[0]));
    } else if (!sep.empty()) {
        for (std::size_t found = all.find(sep); found != std::string_view::npos;
             found = all.find(sep, found + sep.size()))
            ++count;
    }
    m_Fields.reserve(m_Fields.size() + count);
    std::size_t position = 0;
    while (position < all.size()) {
        const std::size_t found = sep.empty() ? std::string_view::npos : all.find(sep, position);
        if (found == std::string_view::npos) {
            m_Fields.emplace_back(all.substr(position));
            break;
        }
        m_Fields.emplace_back(all.substr(position, found - position));
        position = found + sep.size();
    }
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

namespace {

bool StartsWithDigit(std::string_view text)
{
    return !text.empty() && std::isdigit(static_cast<unsigned char>(text[0]));
}

bool IsDateText(std::string_view text)
{
    return text.size() >= 10 && StartsWithDigit(text) &&
           ((text[2] == '.' && text[5] == '.') || (text[2] == '/' && text[5] == '/'));
}

bool IsTimeText(std::string_view text)
{
    return text.size() >= 8 && StartsWithDigit(text) && text[2] == ':' && text[5] == ':';
}

} // namespace

std::int64_t CCSVLine::GetDateTime(int dateColumn, int timeColumn)
{
    if (dateColumn < 0)
        m_nTimeMode = 3;
    else if (timeColumn < 0)
        m_nTimeMode = 0;
    else if (dateColumn == timeColumn)
        m_nTimeMode = 2;
    else
        m_nTimeMode = 1;

    m_TimeStamp = 0;
    if (m_Fields.empty())
        return m_TimeStamp;
    const int last = static_cast<int>(m_Fields.size()) - 1;
    std::string_view dateText = m_Fields[static_cast<std::size_t>(std::clamp(dateColumn, 0, last))];
    std::string_view timeText = m_Fields[static_cast<std::size_t>(std::clamp(timeColumn, 0, last))];
    if (m_nTimeMode == 2) {
        const std::size_t blank = dateText.find(' ');
        timeText =
            blank == std::string_view::npos ? std::string_view() : dateText.substr(blank + 1);
        dateText = dateText.substr(0, blank);
    }
    // Only the texts the mode uses are checked, so a date alone and a time alone count.
    const bool usesDate = m_nTimeMode != 3;
    const bool usesTime = m_nTimeMode != 0;
    if ((usesDate && !IsDateText(dateText)) || (usesTime && !IsTimeText(timeText)))
        return m_TimeStamp;

    // The line's local date (today without one) at its clock time (midnight without one).
    std::tm tm{};
    int millisecond = 0;
    if (usesDate) {
        // Only the DD.MM.YYYY at the start counts; a trailing blank must not turn into 1970.
        ParseDate(dateText.substr(0, 10), tm);
    } else {
        std::tm today{};
        LocalBreakDown(std::time(nullptr), today);
        tm.tm_year = today.tm_year;
        tm.tm_mon = today.tm_mon;
        tm.tm_mday = today.tm_mday;
    }
    if (usesTime)
        ParseTime(timeText, tm, millisecond);
    tm.tm_isdst = -1;
    TmToInt64(&tm, &m_TimeStamp.m_Time);
    if (m_TimeStamp != 0)
        m_TimeStamp = m_TimeStamp + millisecond;
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
