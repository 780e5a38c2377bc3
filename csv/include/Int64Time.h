#pragma once

// 64-bit time: signed milliseconds since 1970-01-01 00:00:00 UTC, negative before it; 0 doubles
// as "no time". Calendar fields are those of the local time zone; a time is split into seconds
// and milliseconds floored, so -1 is 23:59:59.999 on 31.12.1969 UTC. The one second that mktime
// cannot tell from a failure, the one before the epoch, reads as no time.

#include "CSV_API.h"

#include <cstdint>
#include <ctime>
#include <string>

// Seconds and milliseconds of a moment, with the zone's offset in minutes west of UTC and
// whether daylight saving time was in force.
struct _timeb
{
    std::time_t time = 0;
    unsigned short millitm = 0;
    short timezone = 0;
    short dstflag = 0;
};

struct _Int64TimeStruct
{
    std::tm tm{};
    _timeb timeb{};
};

// Milliseconds ("%03d"), seconds, minutes, hours, day, month 1-12 ("%02d"), four-digit year
// ("%d"), two-digit year ("%02d").
struct TimeStrings
{
    std::string strMilliseconds;
    std::string strSeconds;
    std::string strMinutes;
    std::string strHours;
    std::string strDay;
    std::string strMonth;
    std::string strYear;
    std::string strYear2;
};

enum TimeScaleUnit
{
    TimeScaleMilliseconds = 0,
    TimeScaleSeconds = 1,
    TimeScaleMinutes = 2,
    TimeScaleHours = 3,
    TimeScaleDays = 4,
};

CSV_API extern const char* const TimeScaleUnitNames[5];
CSV_API extern const std::int64_t TimeScaleUnitMultipliers[5];

enum TimeSplitType
{
    TimeSplitMinute = 1,
    TimeSplitHour = 2,
    TimeSplitDay = 3,
    TimeSplitMonth = 4,
    TimeSplitYear = 5,
};

// Conversions.
CSV_API void TimebToInt64(_timeb* timeb, std::int64_t* time);
CSV_API void Int64ToTimeb(std::int64_t* time, _timeb* timeb);
CSV_API void TimetToInt64(std::time_t* timet, std::int64_t* time);
CSV_API void Int64ToTimet(std::int64_t* time, std::time_t* timet);
CSV_API void TmToInt64(std::tm* tm, std::int64_t* time);
CSV_API void Int64ToTm(std::int64_t* time, std::tm* tm);
CSV_API void ExpandInt64(std::int64_t* time, _Int64TimeStruct* expanded);
CSV_API void ExpandInt64(std::int64_t* time, TimeStrings* strings);
CSV_API void DateAndTimeToInt64(std::tm* date, std::tm* time, std::int64_t* result);
CSV_API void DateAndTimeToInt64(_timeb* date, _timeb* time, std::int64_t* result);

// Parsing "DD.MM.YY", "DD.MM.YYYY" (or with "/"), "HH:MM:SS" and "HH:MM:SS.fff" or
// "HH:MM:SS:fff"; fields not parsed stay as they are.
CSV_API void UpdateDate(const char* text, std::tm* tm);
CSV_API void UpdateDate(const char* text, std::time_t* timet);
CSV_API void UpdateDate(const char* text, _timeb* timeb);
CSV_API void UpdateTime(const char* text, _timeb* timeb);
CSV_API void UpdateTime(const char* text, std::time_t* timet);
CSV_API void UpdateTime(const char* text, std::tm* tm);
CSV_API void ImportDateTime(const char* text, _timeb* timeb, const char* separator);

// Formatting: "DD.MM.YYYY", "HH:MM:SS", and "HH:MM:SS:fff" for the types with milliseconds.
CSV_API std::string ExportDate(std::time_t* timet);
CSV_API std::string ExportDate(std::tm* tm);
CSV_API std::string ExportDate(_timeb* timeb);
CSV_API std::string ExportDate(std::int64_t time);
CSV_API std::string ExportTime(std::time_t* timet);
CSV_API std::string ExportTime(std::tm* tm);
CSV_API std::string ExportTime(_timeb* timeb);
CSV_API std::string ExportTime(std::int64_t time);
CSV_API std::string ExportDateTime(std::int64_t time, const char* separator);
CSV_API std::string FormatAlignTime(std::int64_t time, TimeSplitType type);

CSV_API std::int64_t AlignTime(std::int64_t time, TimeSplitType type);
CSV_API int CompareTime(_timeb* a, _timeb* b);
CSV_API double DiffTime(_timeb* a, _timeb* b);

// The current time with milliseconds, zone and daylight flag.
CSV_API void GetCurrentTimeb(_timeb* timeb);
