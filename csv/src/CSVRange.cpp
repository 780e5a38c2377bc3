#include "CSVRange.h"

#include "CSVLine.h"

namespace {

std::int64_t SaturatedAdd(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? INT64_MAX : INT64_MIN;
    return sum;
}

} // namespace

void CCSVRange::SetTimeRange(std::int64_t begin, std::int64_t end)
{
    m_bTimeRange = 1;
    SetRange(begin, end);
}

void CCSVRange::SetLineRange(std::int64_t begin, std::int64_t end)
{
    m_bTimeRange = 0;
    SetRange(begin, end);
}

void CCSVRange::SetTimeDiff(std::int64_t begin, std::int64_t count)
{
    m_bTimeRange = 1;
    SetDiff(begin, count);
}

void CCSVRange::SetLineDiff(std::int64_t begin, std::int64_t count)
{
    m_bTimeRange = 0;
    SetDiff(begin, count);
}

void CCSVRange::SetRange(std::int64_t begin, std::int64_t end)
{
    // Times before 1970 are negative; line numbers are not.
    if (begin < 0 && !m_bTimeRange)
        begin = 0;
    m_Begin = begin;
    const std::int64_t least = SaturatedAdd(begin, 1);
    m_End = end > least ? end : least;
    m_Count = SaturatedAdd(m_End - m_Begin, 1);
}

void CCSVRange::SetDiff(std::int64_t begin, std::int64_t count)
{
    if (begin < 0 && !m_bTimeRange)
        begin = 0;
    if (count < 1)
        count = 1;
    m_Begin = begin;
    m_Count = count;
    m_End = SaturatedAdd(begin, count - 1);
}

int CCSVRange::GetLinePosition(const CCSVLine* line) const
{
    if (!line)
        return -2;
    const std::int64_t key = m_bTimeRange ? line->GetTimeStamp() : line->m_nLine;
    if (m_bTimeRange ? key == 0 : key < 0)
        return -2;
    if (key < m_Begin)
        return -1;
    if (key > m_End)
        return 1;
    return 0;
}

void CCSVRange::NextRange()
{
    m_Begin = SaturatedAdd(m_End, 1);
    m_End = SaturatedAdd(m_Begin, m_Count - 1);
}
