#include "LogClock.h"

#include <chrono>
#include <ctime>

LogClock LocalTimeClock()
{
    return [lastSecond = std::time_t{-1}, local = std::tm{}]() mutable {
        using namespace std::chrono;
        const auto now = time_point_cast<milliseconds>(system_clock::now());
        const auto sinceEpoch = now.time_since_epoch().count();
        const auto second = static_cast<std::time_t>(sinceEpoch / 1000);
        const int millisecond = static_cast<int>(sinceEpoch % 1000);
        if (second != lastSecond) {
            localtime_r(&second, &local);
            lastSecond = second;
        }
        return CTimeOfDay{local.tm_hour, local.tm_min, local.tm_sec, millisecond};
    };
}
