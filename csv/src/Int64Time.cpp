#include "Int64Time.h"

#include "DateTimeText.h"
#include "LocalTime.h"
#include "Strings.h"

#include <cstdlib>
#include <cstring>

const char* const TimeScaleUnitNames[5] = {"ms", "s", "min", "h", "d"};
const std::int64_t TimeScaleUnitMultipliers[5] = {1, 1000, 60000, 3600000, 86400000};

namespace {

// Calendar fields of a 64-bit time; all zero when it cannot be broken down.
struct Calendar
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

Calendar FromTm(const std::tm& tm, int millisecond)
{
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
            tm.tm_min,         tm.tm_sec,     millisecond};
}

Calendar FromTimet(std::time_t time, int millisecond)
{
    std::tm tm{};
    if (!LocalBreakDown(time, tm))
        return {};
    return FromTm(tm, millisecond);
}

// Whole seconds and the milliseconds within them, floored: -1 ms is 999 ms into the second
// before the epoch.
std::time_t SecondsOf(std::int64_t time)
{
    return static_cast<std::time_t>(time / 1000 - (time % 1000 < 0 ? 1 : 0));
}

int MillisecondsOf(std::int64_t time)
{
    return static_cast<int>(time - static_cast<std::int64_t>(SecondsOf(time)) * 1000);
}

Calendar FromInt64(std::int64_t time)
{
    return FromTimet(SecondsOf(time), MillisecondsOf(time));
}

std::string DateText(const Calendar& c)
{
    return FormatString("%02d.%02d.%04d", c.day, c.month, c.year);
}

std::string TimeText(const Calendar& c)
{
    return FormatString("%02d:%02d:%02d", c.hour, c.minute, c.second);
}

std::string TimeTextMs(const Calendar& c)
{
    return FormatString("%02d:%02d:%02d:%03d", c.hour, c.minute, c.second, c.millisecond);
}

std::int64_t SecondsToInt64(std::time_t seconds)
{
    return seconds == -1 ? 0 : static_cast<std::int64_t>(seconds) * 1000;
}

} // namespace

void GetCurrentTimeb(_timeb* timeb)
{
    if (!timeb)
        return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    timeb->time = now.tv_sec;
    timeb->millitm = static_cast<unsigned short>(now.tv_nsec / 1000000);
    std::tm tm{};
    if (LocalBreakDown(now.tv_sec, tm)) {
        timeb->dstflag = static_cast<short>(tm.tm_isdst > 0);
        const long standardOffset = tm.tm_gmtoff - (tm.tm_isdst > 0 ? 3600 : 0);
        timeb->timezone = static_cast<short>(-standardOffset / 60);
    }
}

void TimebToInt64(_timeb* timeb, std::int64_t* time)
{
    if (!timeb || !time)
        return;
    *time = timeb->time == -1 ? 0 : SecondsToInt64(timeb->time) + timeb->millitm % 1000;
}

void Int64ToTimeb(std::int64_t* time, _timeb* timeb)
{
    if (!time || !timeb)
        return;
    GetCurrentTimeb(timeb);
    timeb->time = SecondsOf(*time);
    timeb->millitm = static_cast<unsigned short>(MillisecondsOf(*time));
}

void TimetToInt64(std::time_t* timet, std::int64_t* time)
{
    if (timet && time)
        *time = SecondsToInt64(*timet);
}

void Int64ToTimet(std::int64_t* time, std::time_t* timet)
{
    if (time && timet)
        *timet = SecondsOf(*time);
}

void TmToInt64(std::tm* tm, std::int64_t* time)
{
    if (tm && time)
        *time = SecondsToInt64(LocalMakeTime(*tm));
}

void Int64ToTm(std::int64_t* time, std::tm* tm)
{
    if (!time || !tm)
        return;
    if (!LocalBreakDown(SecondsOf(*time), *tm))
        *tm = std::tm{};
}

void ExpandInt64(std::int64_t* time, _Int64TimeStruct* expanded)
{
    if (!time || !expanded)
        return;
    Int64ToTimeb(time, &expanded->timeb);
    if (!LocalBreakDown(expanded->timeb.time, expanded->tm))
        expanded->tm = std::tm{};
}

void ExpandInt64(std::int64_t* time, TimeStrings* strings)
{
    if (!time || !strings)
        return;
    const Calendar c = FromInt64(*time);
    strings->strMilliseconds = FormatString("%03d", c.millisecond);
    strings->strSeconds = FormatString("%02d", c.second);
    strings->strMinutes = FormatString("%02d", c.minute);
    strings->strHours = FormatString("%02d", c.hour);
    strings->strDay = FormatString("%02d", c.day);
    strings->strMonth = FormatString("%02d", c.month);
    strings->strYear = FormatString("%d", c.year);
    strings->strYear2 = FormatString("%02d", c.year % 100);
}

void DateAndTimeToInt64(std::tm* date, std::tm* time, std::int64_t* result)
{
    if (!date || !time || !result)
        return;
    std::tm combined = *date;
    combined.tm_hour = time->tm_hour;
    combined.tm_min = time->tm_min;
    combined.tm_sec = time->tm_sec;
    combined.tm_isdst = -1;
    *result = SecondsToInt64(LocalMakeTime(combined));
}

void DateAndTimeToInt64(_timeb* date, _timeb* time, std::int64_t* result)
{
    if (!date || !time || !result)
        return;
    std::tm combined{};
    if (!LocalBreakDown(date->time, combined)) {
        *result = 0;
        return;
    }
    std::tm clock{};
    if (LocalBreakDown(time->time, clock)) {
        combined.tm_hour = clock.tm_hour;
        combined.tm_min = clock.tm_min;
        combined.tm_sec = clock.tm_sec;
    } else {
        combined.tm_hour = combined.tm_min = combined.tm_sec = 0;
    }
    combined.tm_isdst = -1;
    const std::time_t seconds = LocalMakeTime(combined);
    *result = seconds == -1 ? 0 : SecondsToInt64(seconds) + time->millitm % 1000;
}

void UpdateDate(const char* text, std::tm* tm)
{
    if (text && tm)
        ParseDate(text, *tm);
}

void UpdateDate(const char* text, std::time_t* timet)
{
    if (!text || !timet)
        return;
    std::tm tm{};
    if (!LocalBreakDown(*timet, tm) || !ParseDate(text, tm))
        return;
    tm.tm_isdst = -1;
    const std::time_t result = LocalMakeTime(tm);
    if (result != -1)
        *timet = result;
}

void UpdateDate(const char* text, _timeb* timeb)
{
    if (timeb)
        UpdateDate(text, &timeb->time);
}

void UpdateTime(const char* text, _timeb* timeb)
{
    if (!text || !timeb)
        return;
    std::tm tm{};
    int millisecond = 0;
    if (!LocalBreakDown(timeb->time, tm) || !ParseTime(text, tm, millisecond))
        return;
    tm.tm_isdst = -1;
    const std::time_t result = LocalMakeTime(tm);
    if (result == -1)
        return;
    timeb->time = result;
    timeb->millitm = static_cast<unsigned short>(millisecond);
}

void UpdateTime(const char* text, std::time_t* timet)
{
    if (!text || !timet)
        return;
    _timeb timeb{};
    timeb.time = *timet;
    UpdateTime(text, &timeb);
    *timet = timeb.time;
}

void UpdateTime(const char* text, std::tm* tm)
{
    if (!text || !tm)
        return;
    std::tm own = *tm;
    _timeb timeb{};
    timeb.time = LocalMakeTime(own);
    UpdateTime(text, &timeb);
    LocalBreakDown(timeb.time, *tm);
}

void ImportDateTime(const char* text, _timeb* timeb, const char* separator)
{
    if (!text || !timeb)
        return;
    GetCurrentTimeb(timeb);
    const std::string all(text);
    int position = 0;
    const std::string date = GetNextCSV(all, separator, position);
    const std::string time = GetNextCSV(all, separator, position);
    UpdateDate(date.c_str(), timeb);
    UpdateTime(time.c_str(), timeb);
}

std::string ExportDate(std::time_t* timet)
{
    return DateText(timet ? FromTimet(*timet, 0) : Calendar{});
}

std::string ExportDate(std::tm* tm)
{
    return DateText(tm ? FromTm(*tm, 0) : Calendar{});
}

std::string ExportDate(_timeb* timeb)
{
    return DateText(timeb ? FromTimet(timeb->time, 0) : Calendar{});
}

std::string ExportDate(std::int64_t time)
{
    return DateText(FromInt64(time));
}

std::string ExportTime(std::time_t* timet)
{
    return TimeText(timet ? FromTimet(*timet, 0) : Calendar{});
}

std::string ExportTime(std::tm* tm)
{
    return TimeText(tm ? FromTm(*tm, 0) : Calendar{});
}

std::string ExportTime(_timeb* timeb)
{
    return TimeTextMs(timeb ? FromTimet(timeb->time, timeb->millitm % 1000) : Calendar{});
}

std::string ExportTime(std::int64_t time)
{
    return TimeTextMs(FromInt64(time));
}

std::string ExportDateTime(std::int64_t time, const char* separator)
{
    const Calendar c = FromInt64(time);
    return DateText(c) + (separator ? separator : "") + TimeTextMs(c);
}

std::string FormatAlignTime(std::int64_t time, TimeSplitType type)
{
    TimeStrings s;
    ExpandInt64(&time, &s);
    std::string name = s.strYear2;
    if (type == TimeSplitYear)
        return name;
    name += s.strMonth;
    if (type == TimeSplitMonth)
        return name;
    name += s.strDay;
    if (type == TimeSplitDay)
        return name;
    name += "_" + s.strHours;
    if (type == TimeSplitHour)
        return name;
    name += s.strMinutes;
    if (type == TimeSplitMinute)
        return name;
    return name + s.strSeconds;
}

std::int64_t AlignTime(std::int64_t time, TimeSplitType type)
{
    const std::int64_t whole = static_cast<std::int64_t>(SecondsOf(time)) * 1000;
    std::tm tm{};
    if (type < TimeSplitMinute || type > TimeSplitYear || !LocalBreakDown(SecondsOf(time), tm))
        return whole;
    tm.tm_sec = 0;
    if (type >= TimeSplitHour)
        tm.tm_min = 0;
    if (type >= TimeSplitDay)
        tm.tm_hour = 0;
    if (type >= TimeSplitMonth)
        tm.tm_mday = 1;
    if (type >= TimeSplitYear)
        tm.tm_mon = 0;
    tm.tm_isdst = -1;
    return SecondsToInt64(LocalMakeTime(tm));
}

int CompareTime(_timeb* a, _timeb* b)
{
    if (!a || !b)
        return -2;
    if (a->time != b->time)
        return a->time < b->time ? -1 : 1;
    if (a->millitm != b->millitm)
        return a->millitm < b->millitm ? -1 : 1;
    return 0;
}

double DiffTime(_timeb* a, _timeb* b)
{
    if (!a || !b)
        return 0;
    return static_cast<double>(b->time - a->time) +
           (static_cast<int>(b->millitm) - static_cast<int>(a->millitm)) / 1000.0;
}
