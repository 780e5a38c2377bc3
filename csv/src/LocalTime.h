#pragma once

#include <cstdint>
#include <ctime>

// Local-time conversions behind the time functions: thread-safe, and fast for runs of close
// times such as the lines of a CSV file. A zone set anew with tzset empties their caches.

// localtime; false for times the runtime cannot break down.
bool LocalBreakDown(std::time_t time, std::tm& tm);
// mktime; normalises tm in place, -1 when the fields make no time.
std::time_t LocalMakeTime(std::tm& tm);

// A 64-bit time moved by whole local days: the same clock time that many days later, also
// where a day between is shorter or longer.
std::int64_t AddLocalDays(std::int64_t time, int days);
