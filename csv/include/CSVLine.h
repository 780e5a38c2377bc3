#pragma once

#include "CSV_API.h"
#include "PointerArray.h"
#include "TimeStamp.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One line of CSV text split into fields, with the time stamp of its date and time fields.
class CSV_API CCSVLine
{
public:
    CCSVLine() = default;
    CCSVLine(int line, const std::string& text, const char* separator, const char* decimal,
             int dateColumn, int timeColumn);

    void SetLine(int line, const std::string& text, const char* separator, const char* decimal);
    // The field at index, clamped into the fields; 0 and an empty text without fields.
    int GetColumn(int index, std::string& text) const;
    // The field at index as a number; 0 and NaN without fields.
    int GetColumn(int index, double& value) const;
    double AtoV(const char* text) const;
    // The field at index, not clamped: empty when the line has no such field.
    std::string_view GetField(int index) const;
    // The number in the field at index (ParseNumber, with the line's decimal point); false,
    // and NaN, when the line has no such field or it holds no number. Values are read so:
    // a missing value is never 0, nor another field's.
    bool GetNumber(int index, double& value) const;
    // The time stamp of the date and time fields (the same index when one field holds both,
    // a negative index when there is none); 0 when they are not a date and a time.
    std::int64_t GetDateTime(int dateColumn, int timeColumn);
    std::int64_t GetTimeStamp() const { return m_TimeStamp; }
    const std::string& GetLine() const { return m_strLine; }
    int GetColumnCount() const { return static_cast<int>(m_Fields.size()); }

    int m_nTimeMode = 3;
    std::string m_strLine;
    int m_nLine = 0;
    CTimeStamp m_TimeStamp;
    std::vector<std::string> m_Fields;
    const char* m_pszDecimal = nullptr;
};

// Lines in time-stamp order; owns them.
class CSV_API CCSVLines : public CPointerArray<CCSVLine>
{
public:
    // Puts the line before the first one with a later time stamp; equal stamps keep their
    // order of insertion. Null is ignored.
    void Insert(CCSVLine* line);
};
