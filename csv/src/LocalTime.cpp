#include "LocalTime.h"

namespace {

// The last local minute broken down: every second in [begin, begin + 59] shares its fields
// but the seconds, provided the zone's offset is the same at both ends.
struct MinuteCache
{
    std::time_t begin = 1;
    std::tm tm{};
    bool valid = false;
};

// The last minute put together: base is the time of its second 0.
struct MakeCache
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    std::time_t base = 0;
    std::tm tm{};
    bool valid = false;
};

thread_local MinuteCache t_BreakDown;
thread_local MakeCache t_Make;

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int tmYear, int tmMonth)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (tmMonth == 1 && IsLeapYear(tmYear + 1900))
        return 29;
    return days[tmMonth];
}

// Fields that mktime will not move, so the minute's base time stands for all its seconds.
bool IsPlainMinute(const std::tm& tm)
{
    return tm.tm_isdst < 0 && tm.tm_sec >= 0 && tm.tm_sec <= 59 && tm.tm_min >= 0 &&
           tm.tm_min <= 59 && tm.tm_hour >= 0 && tm.tm_hour <= 23 && tm.tm_mon >= 0 &&
           tm.tm_mon <= 11 && tm.tm_mday >= 1 && tm.tm_mday <= DaysInMonth(tm.tm_year, tm.tm_mon);
}

} // namespace

bool LocalBreakDown(std::time_t time, std::tm& tm)
{
    if (time < 0)
        return false;
    MinuteCache& cache = t_BreakDown;
    if (cache.valid && time >= cache.begin && time - cache.begin <= 59) {
        tm = cache.tm;
        tm.tm_sec = static_cast<int>(time - cache.begin);
        return true;
    }
    if (!localtime_r(&time, &tm))
        return false;
    if (tm.tm_sec > 59)
        return true;
    const std::time_t begin = time - tm.tm_sec;
    const std::time_t end = begin + 59;
    std::tm first{};
    std::tm last{};
    if (localtime_r(&begin, &first) && localtime_r(&end, &last) &&
        first.tm_gmtoff == tm.tm_gmtoff && last.tm_gmtoff == tm.tm_gmtoff &&
        first.tm_min == tm.tm_min && last.tm_min == tm.tm_min && last.tm_sec == 59) {
        cache.begin = begin;
        cache.tm = first;
        cache.valid = true;
    }
    return true;
}

std::time_t LocalMakeTime(std::tm& tm)
{
    MakeCache& cache = t_Make;
    const bool plain = IsPlainMinute(tm);
    if (plain && cache.valid && cache.year == tm.tm_year && cache.month == tm.tm_mon &&
        cache.day == tm.tm_mday && cache.hour == tm.tm_hour && cache.minute == tm.tm_min) {
        const int second = tm.tm_sec;
        tm = cache.tm;
        tm.tm_sec = second;
        return cache.base + second;
    }
    const std::tm asked = tm;
    const std::time_t result = std::mktime(&tm);
    if (plain && result != -1 && tm.tm_year == asked.tm_year && tm.tm_mon == asked.tm_mon &&
        tm.tm_mday == asked.tm_mday && tm.tm_hour == asked.tm_hour &&
        tm.tm_min == asked.tm_min && tm.tm_sec == asked.tm_sec) {
        cache.year = asked.tm_year;
        cache.month = asked.tm_mon;
        cache.day = asked.tm_mday;
        cache.hour = asked.tm_hour;
        cache.minute = asked.tm_min;
        cache.base = result - asked.tm_sec;
        cache.tm = tm;
        cache.valid = true;
    }
    return result;
}
