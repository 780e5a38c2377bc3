#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

int main(int argc, char** argv)
{
    // Calendar fields are local: run in a zone with daylight saving time, whatever the
    // machine's zone, so that the summer and winter offsets are both exercised.
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
