#include "CSVLine.h"

#include "Int64Time.h"
#include "Strings.h"

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
    const std::size_t sepLength = separator ? std::strlen(separator) : 0;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t found =
            sepLength ? text.find(separator, position, sepLength) : std::string::npos;
        if (found == std::string::npos) {
            m_Fields.emplace_back(text, position);
            break;
        }
        m_Fields.emplace_back(text, position, found - position);
        position = found + sepLength;
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
    value = AtoV(m_Fields[static_cast<std::size_t>(index < 0 ? 0 : index > last ? last : index)]
                     .c_str());
    return 1;
}

double CCSVLine::AtoV(const char* text) const
{
    return ::AtoV(text, m_pszDecimal);
}

namespace {

bool StartsWithDigit(const std::string& text)
{
    return !text.empty() && std::isdigit(static_cast<unsigned char>(text[0]));
}

bool IsDateText(const std::string& text)
{
    return text.size() >= 10 && StartsWithDigit(text) &&
           ((text[2] == '.' && text[5] == '.') || (text[2] == '/' && text[5] == '/'));
}

bool IsTimeText(const std::string& text)
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

    std::string dateText;
    std::string timeText;
    GetColumn(dateColumn, dateText);
    GetColumn(timeColumn, timeText);
    if (m_nTimeMode == 2) {
        const std::string both = dateText;
        int position = 0;
        dateText = GetNextCSV(both, " ", position);
        timeText = GetRemainingCSV(both, position);
    }

    m_TimeStamp = 0;
    // Only the texts the mode uses are checked, so a date alone and a time alone count.
    if ((m_nTimeMode != 3 && !IsDateText(dateText)) || (m_nTimeMode != 0 && !IsTimeText(timeText)))
        return m_TimeStamp;

    // Only the DD.MM.YYYY at the start counts; a trailing blank must not turn into 1970.
    if (dateText.size() > 10)
        dateText.resize(10);
    std::int64_t result = 0;
    if (m_nTimeMode == 0) {
        // A date alone stands for its local midnight.
        std::tm day{};
        UpdateDate(dateText.c_str(), &day);
        day.tm_isdst = -1;
        TmToInt64(&day, &result);
    } else {
        _timeb date{};
        UpdateDate(dateText.c_str(), &date);
        _timeb time;
        GetCurrentTimeb(&time);
        UpdateTime(timeText.c_str(), &time);
        if (m_nTimeMode == 3)
            TimebToInt64(&time, &result);
        else
            DateAndTimeToInt64(&date, &time, &result);
    }
    m_TimeStamp = result;
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
