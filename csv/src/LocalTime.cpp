#include "LocalTime.h"

#include <array>
#include <cstdint>

namespace {

// Parsing one CSV line breaks down and puts together several unrelated times (the line's,
// the current one, the epoch), so each cache keeps a few minutes, placed by their minute.
constexpr std::size_t CacheSlots = 16;

// A local minute broken down: every second in [begin, begin + 59] shares its fields but the
// seconds, provided the zone's offset is the same at both ends.
struct MinuteEntry
{
    std::time_t begin = 0;
    std::tm tm{};
    bool valid = false;
};

// A minute put together: base is the time of its second 0.
struct MakeEntry
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    std::time_t base = 0;
    std::tm tm{};
    bool valid = false;
};

// What tzset leaves behind: when it differs, the zone has changed and the caches are stale.
struct ZoneKey
{
    const char* standardName = nullptr;
    const char* daylightName = nullptr;
    long offset = 0;
    int hasDaylight = 0;

    bool operator==(const ZoneKey&) const = default;
};

// One thread's caches, in one place: each lookup of a thread's variable costs a call.
struct Caches
{
    ZoneKey zone;
    std::array<MinuteEntry, CacheSlots> breakDown;
    std::array<MakeEntry, CacheSlots> make;
    // The minute put together last: the lines of a file mostly share it.
    const MakeEntry* lastMade = nullptr;
};

thread_local Caches t_Caches;

// The thread's caches, emptied when the zone has changed.
Caches& CurrentCaches()
{
    Caches& caches = t_Caches;
    const ZoneKey now{tzname[0], tzname[1], timezone, daylight};
    if (!(now == caches.zone)) {
        caches.zone = now;
        caches.breakDown = {};
        caches.make = {};
        caches.lastMade = nullptr;
    }
    return caches;
}

// Spreads keys over the slots; round times (the epoch, midnights) would share one slot
// under a plain modulo.
std::size_t SlotOf(std::uint64_t key)
{
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 60) % CacheSlots;
}

MinuteEntry& BreakDownSlot(Caches& caches, std::time_t time)
{
    return caches.breakDown[SlotOf(static_cast<std::uint64_t>(time / 60))];
}

// Fields out of their ranges (hour 99999999, which mktime carries into the days) only pick
// a slot, so the key wraps around in unsigned arithmetic.
MakeEntry& MakeSlot(Caches& caches, const std::tm& tm)
{
    const auto field = [](int value) { return static_cast<std::uint64_t>(value); };
    const std::uint64_t minute =
        field(tm.tm_min) +
        60 * (field(tm.tm_hour) + 24 * (field(tm.tm_mday) + 32 * field(tm.tm_mon)));
    return caches.make[SlotOf(field(tm.tm_year) << 32 ^ minute)];
}

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
    MinuteEntry& entry = BreakDownSlot(CurrentCaches(), time);
    if (entry.valid && time >= entry.begin && time - entry.begin <= 59) {
        tm = entry.tm;
        tm.tm_sec = static_cast<int>(time - entry.begin);
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
        entry.begin = begin;
        entry.tm = first;
        entry.valid = true;
    }
    return true;
}

std::time_t LocalMakeTime(std::tm& tm)
{
    Caches& caches = CurrentCaches();
    const auto holds = [&tm](const MakeEntry& entry) {
        return entry.valid && entry.year == tm.tm_year && entry.month == tm.tm_mon &&
               entry.day == tm.tm_mday && entry.hour == tm.tm_hour && entry.minute == tm.tm_min;
    };
    const auto made = [&tm, &caches](const MakeEntry& entry) {
        caches.lastMade = &entry;
        const int second = tm.tm_sec;
        tm = entry.tm;
        tm.tm_sec = second;
        return entry.base + second;
    };
    // The same minute as the last call: the fields are plain when the seconds are.
    if (caches.lastMade && holds(*caches.lastMade) && tm.tm_isdst < 0 && tm.tm_sec >= 0 &&
        tm.tm_sec <= 59)
        return made(*caches.lastMade);
    const bool plain = IsPlainMinute(tm);
    MakeEntry& entry = MakeSlot(caches, tm);
    if (plain && holds(entry))
        return made(entry);
    const std::tm asked = tm;
    const std::time_t result = std::mktime(&tm);
    if (plain && result != -1 && tm.tm_year == asked.tm_year && tm.tm_mon == asked.tm_mon &&
        tm.tm_mday == asked.tm_mday && tm.tm_hour == asked.tm_hour && tm.tm_min == asked.tm_min &&
        tm.tm_sec == asked.tm_sec) {
        entry.year = asked.tm_year;
        entry.month = asked.tm_mon;
        entry.day = asked.tm_mday;
        entry.hour = asked.tm_hour;
        entry.minute = asked.tm_min;
        entry.base = result - asked.tm_sec;
        entry.tm = tm;
        entry.valid = true;
        caches.lastMade = &entry;
    }
    return result;
}

std::int64_t AddLocalDays(std::int64_t time, int days)
{
    if (days == 0)
        return time;
    const std::int64_t seconds = time / 1000 - (time % 1000 < 0 ? 1 : 0);
    const std::int64_t millisecond = time - seconds * 1000;
    std::tm tm{};
    if (!LocalBreakDown(static_cast<std::time_t>(seconds), tm))
        return time;
    tm.tm_mday += days;
    tm.tm_isdst = -1;
    const std::time_t moved = LocalMakeTime(tm);
    return moved == -1 ? time : static_cast<std::int64_t>(moved) * 1000 + millisecond;
}
