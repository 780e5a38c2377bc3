#include "TimeStamp.h"

#include "Int64Time.h"
#include "Strings.h"

#include <cinttypes>

void CTimeStamp::UpdateDate(const char* text)
{
    _timeb timeb;
    Int64ToTimeb(&m_Time, &timeb);
    ::UpdateDate(text, &timeb);
    TimebToInt64(&timeb, &m_Time);
}

void CTimeStamp::UpdateTime(const char* text)
{
    _timeb timeb;
    Int64ToTimeb(&m_Time, &timeb);
    ::UpdateTime(text, &timeb);
    TimebToInt64(&timeb, &m_Time);
}

std::string CTimeStamp::ExportDate() const
{
    return ::ExportDate(m_Time);
}

std::string CTimeStamp::ExportTime() const
{
    return ::ExportTime(m_Time);
}

std::string CTimeStamp::ExportDateTime(const char* separator) const
{
    return ::ExportDateTime(m_Time, separator);
}

void CTimeStampDiff::SetFirst(std::int64_t first)
{
    m_First = first != 0 ? first : m_Time;
}

std::string CTimeStampDiff::ExportDateTimeStamp(const char* separator) const
{
    return ExportDateTime(separator) + (separator ? separator : "") +
           FormatString("%" PRId64, m_Time - m_First);
}
