#pragma once

#include <cstdlib>
#include <ctime>

// Local times in a zone with daylight saving time, so that the hours that repeat or do not
// exist are among those the CSV readers meet, whatever zone the machine runs in.
inline void UseDaylightSavingZone()
{
    static const bool set = [] {
        ::setenv("TZ", "Europe/Berlin", 1);
        ::tzset();
        return true;
    }();
    (void)set;
}
