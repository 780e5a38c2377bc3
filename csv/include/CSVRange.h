#pragma once

#include "CSV_API.h"

#include <cstdint>

class CCSVLine;

// A range of lines, by line number or by time stamp, spanning at least two units. Line ranges
// begin at 0 or later; time ranges may begin before 1970.
class CSV_API CCSVRange
{
public:
    CCSVRange() { SetRange(0, 1); }

    void SetTimeRange(std::int64_t begin, std::int64_t end);
    void SetLineRange(std::int64_t begin, std::int64_t end);
    void SetTimeDiff(std::int64_t begin, std::int64_t count);
    void SetLineDiff(std::int64_t begin, std::int64_t count);

    // -2 for a line without a key (no time stamp, or a negative line number), -1 before the
    // range, 0 inside, 1 after it.
    int GetLinePosition(const CCSVLine* line) const;
    int InRange(const CCSVLine* line) const { return GetLinePosition(line) == 0; }
    void NextRange();

    int m_bTimeRange = 0;
    std::int64_t m_Begin = 0;
    std::int64_t m_End = 0;
    std::int64_t m_Count = 0;

protected:
    void SetRange(std::int64_t begin, std::int64_t end);
    void SetDiff(std::int64_t begin, std::int64_t count);
};
