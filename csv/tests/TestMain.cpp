#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv)
{
    // Calendar fields are local: run in a zone with daylight saving time, whatever the
    // machine's zone, so that the summer and winter offsets are both exercised.
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    // Without tzdata the zone falls back to UTC, and the tests would check UTC's calendar.
    const std::time_t winter = 1262347200; // 01.01.2010 12:00 UTC
    std::tm tm{};
    if (!localtime_r(&winter, &tm) || tm.tm_gmtoff != 3600) {
        std::fprintf(stderr, "Europe/Berlin did not take effect: tzdata is needed\n");
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
