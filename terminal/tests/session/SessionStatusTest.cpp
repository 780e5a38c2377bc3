#include "SessionStatus.h"
#include "LineRate.h"

#include <gtest/gtest.h>

TEST(SessionStatus, TextsOfTheConnectionTheLogAndTheJournal)
{
    CSessionStatus status;
    status.family = "Zelnar";
    status.port = "/dev/ttyUSB0";
    status.baudRate = 921600;
    status.linesPerSecond = 4602.6;
    status.logEntries = 1;
    status.journal.writing = true;
    EXPECT_EQ(StatusTexts(status),
              (CStatusTexts{"not connected", "4603 lines/s", "1 entry", "journal writing"}));

    status.link = CSessionStatus::Link::Connected;
    status.logEntries = 12345;
    status.journal.droppedFiles = 3;
    EXPECT_EQ(StatusTexts(status),
              (CStatusTexts{"Zelnar on /dev/ttyUSB0 at 921600 baud", "4603 lines/s",
                            "12345 entries", "journal writing, 3 old files dropped"}));

    status.link = CSessionStatus::Link::Reconnecting;
    status.journal = {false, "/home/o/.local/state/telvan-terminal: No space left on device", 0};
    const CStatusTexts reconnecting = StatusTexts(status);
    EXPECT_EQ(reconnecting.connection, "reconnecting\u2026 Zelnar on /dev/ttyUSB0 at 921600 baud");
    EXPECT_EQ(reconnecting.journal,
              "journal off: /home/o/.local/state/telvan-terminal: No space left on device");

    status.link = CSessionStatus::Link::Simulation;
    status.journal = {};
    EXPECT_EQ(StatusTexts(status).connection, "Zelnar simulation");
    EXPECT_EQ(StatusTexts(status).journal, "no journal");
}

TEST(LineRate, LinesOfTheLastSecond)
{
    using namespace std::chrono_literals;
    CLineRate rate;
    const auto start = CLineRate::Clock::time_point{};
    EXPECT_EQ(rate.Sample(0, start), 0);
    // 50 lines every 100 ms, then nothing.
    double last = 0;
    for (int tick = 1; tick <= 30; ++tick)
        last = rate.Sample(static_cast<std::uint64_t>(tick) * 50, start + tick * 100ms);
    EXPECT_NEAR(last, 500, 1);
    for (int tick = 31; tick <= 40; ++tick)
        last = rate.Sample(1500, start + tick * 100ms);
    EXPECT_EQ(last, 0);
    // A count that starts again (a new Log) is no negative rate.
    EXPECT_EQ(rate.Sample(10, start + 4100ms), 0);
}
