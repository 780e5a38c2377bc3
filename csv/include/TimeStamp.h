#pragma once

#include "CSV_API.h"

#include <cstdint>
#include <string>

class CSV_API CTimeStamp
{
public:
    CTimeStamp() = default;

    void Set(std::int64_t time) { m_Time = time; }
    void UpdateDate(const char* text);
    void UpdateTime(const char* text);
    std::string ExportDate() const;
    std::string ExportTime() const;
    std::string ExportDateTime(const char* separator) const;

    operator std::int64_t() const { return m_Time; }
    CTimeStamp& operator=(std::int64_t time)
    {
        m_Time = time;
        return *this;
    }

    std::int64_t m_Time = 0;
};

// A time stamp that also knows a first time, for writing the milliseconds since then.
class CSV_API CTimeStampDiff : public CTimeStamp
{
public:
    CTimeStampDiff() = default;
    using CTimeStamp::operator=;

    // Stores first, or the stamp's own value when first is 0.
    void SetFirst(std::int64_t first);
    std::string ExportDateTimeStamp(const char* separator) const;

    std::int64_t m_First = 0;
};
