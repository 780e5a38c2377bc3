#pragma once

#include <functional>

struct CTimeOfDay
{
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Where the Log pages take the time of their entries from; tests put a fixed time behind it.
using LogClock = std::function<CTimeOfDay()>;

// The local time of day from the system clock. It converts to local time once per second only,
// so a time stamp on every line stays cheap.
LogClock LocalTimeClock();
