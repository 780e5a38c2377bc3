#include "LogCutter.h"
#include "DeviceCommands.h"
#include "LineList.h"
#include "LogBookQR.h"
#include "LogBookZL.h"
#include "ReplyAssembly.h"
#include "ReplyTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

struct CCut
{
    Lines complete;
    Lines pieces;
};

CCut Cut(CLogCutter& cutter, std::string_view text)
{
    CCut cut;
    cutter.Cut(text, [&](std::string_view line, bool complete) {
        (complete ? cut.complete : cut.pieces).emplace_back(line);
    });
    return cut;
}

Lines EntriesOf(const CLogBook& book)
{
    Lines entries;
    for (std::size_t i = 0; i < book.Entries().size(); ++i)
        entries.emplace_back(book.Entries()[i]);
    return entries;
}

LogClock FixedClock()
{
    return [] { return CTimeOfDay{14, 3, 7, 42}; };
}

TEST(LogCutter, LineArrivingInTwoPiecesIsCutOnceComplete)
{
    CLogCutter cutter;
    EXPECT_TRUE(Cut(cutter, "D+0012.3").complete.empty());
    EXPECT_EQ(Cut(cutter, "45\r\nD+00").complete, (Lines{"D+0012.345"}));
    EXPECT_EQ(cutter.Tail(), "D+00");
}

TEST(LogCutter, CarriageReturnAndLineFeedInDifferentChunksStillEndTheLine)
{
    CLogCutter cutter;
    EXPECT_TRUE(Cut(cutter, "ID 12345\r").complete.empty());
    EXPECT_EQ(Cut(cutter, "\n").complete, (Lines{"ID 12345"}));
    EXPECT_EQ(cutter.Tail(), "");
    // A lone CR or LF ends nothing; empty lines are lines.
    EXPECT_EQ(Cut(cutter, "a\rb\nc\r\n\r\n").complete, (Lines{"a\rb\nc", ""}));
}

TEST(LogCutter, OverlongTailBecomesALineOfItsOwn)
{
    CLogCutter cutter;
    const std::string noise(CLogCutter::kLongestTail - 1, 'x');
    EXPECT_TRUE(Cut(cutter, noise).pieces.empty());
    const CCut cut = Cut(cutter, "yz");
    ASSERT_EQ(cut.pieces.size(), 1u);
    EXPECT_EQ(cut.pieces[0], noise + "y");
    EXPECT_EQ(cutter.Tail(), "z");
    EXPECT_EQ(Cut(cutter, "\r\n").complete, (Lines{"z"}));
    // A line closed within the same text is complete, whatever its length.
    const std::string wide(2 * CLogCutter::kLongestTail, 'w');
    EXPECT_EQ(Cut(cutter, wide + "\r\n").complete, (Lines{wide}));
}

TEST(LogCutter, OverlongTailKeepsACarriageReturnForItsLineFeed)
{
    CLogCutter cutter;
    const std::string noise(CLogCutter::kLongestTail - 1, 'x');
    const CCut cut = Cut(cutter, noise + "\r");
    ASSERT_EQ(cut.pieces, (Lines{noise}));
    EXPECT_EQ(Cut(cutter, "\nD+1\r\n").complete, (Lines{"", "D+1"}));
}

TEST(LineList, EveryLineReadsBackAcrossBlocksAndViewsStayValid)
{
    CLineList list;
    std::vector<std::string> expected;
    const auto add = [&](const std::string& head, const std::string& tail = {}) {
        list.Add(head, tail);
        expected.push_back(head + tail);
    };
    add("first ", "entry");
    const std::string_view first = list[0];
    // Lines of every length up to a few hundred, so that blocks end at every kind of line, and
    // lines as long as a block and longer, each followed by empty lines.
    for (int i = 0; i < 40000; ++i)
        add(std::string(std::size_t(i % 301), char('a' + i % 26)), i % 7 ? "" : "\r");
    for (const std::size_t wide : {65535u, 65536u, 65537u, 200000u}) {
        add(std::string(wide, 'w'));
        add("");
        add("", "");
        add("D+0012.345");
    }
    add("last");
    ASSERT_EQ(list.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(list[i], expected[i]) << i;
    EXPECT_EQ(list[0].data(), first.data());
    list.Clear();
    EXPECT_TRUE(list.empty());
    list.Add("again");
    EXPECT_EQ(list[0], "again");
}

class LogBook : public testing::Test
{
protected:
    void SetUp() override { ResetReplyState(); }
    void TearDown() override { ResetReplyState(); }

    template <class Book> void Receive(Book& book, std::string_view text)
    {
        g_strReceived = text;
        book.OnData();
    }
};

TEST_F(LogBook, ZelnarListsLinesAndHandsMeasurementsToTheDisplay)
{
    CLogBookZL book(FixedClock());
    Receive(book, "D+0012.3");
    EXPECT_TRUE(book.Entries().empty());
    Receive(book, "45\r\nD+00");
    EXPECT_EQ(EntriesOf(book), (Lines{"D+0012.345"}));
    EXPECT_EQ(g_strMeasLine, "+0012.345");
    EXPECT_EQ(book.Cutter().Tail(), "D+00");
    EXPECT_EQ(g_nLogLines, 1);

    g_arrDisplayLines.Clear();
    Receive(book, "12.000\r\nID 4711\r\nH000ABC 0123\r\n");
    EXPECT_EQ(EntriesOf(book), (Lines{"D+0012.345", "D+0012.000", "ID 4711", "H000ABC 0123"}));
    ASSERT_EQ(g_arrDisplayLines.size(), 2u);
    EXPECT_EQ(g_arrDisplayLines[0], "+0012.000");
    EXPECT_EQ(g_arrDisplayLines[1], "000ABC 0123");
    EXPECT_EQ(g_strMeasLine, "000ABC 0123");
    EXPECT_EQ(g_nLogLines, 4);
}

TEST_F(LogBook, TimePrefixIsFifteenCharactersFromTheClock)
{
    CLogBookZL book(FixedClock());
    book.SetTime(true);
    Receive(book, "D+0012.345\r\n");
    EXPECT_EQ(EntriesOf(book), (Lines{"14:03:07:042>> D+0012.345"}));
    // The Display page never sees the prefix.
    EXPECT_EQ(g_strMeasLine, "+0012.345");
}

TEST_F(LogBook, TypedLineIsListedWithoutTouchingTheLineTail)
{
    CLogBookZL book(FixedClock());
    book.SetTime(true);
    Receive(book, "D+0012.3");
    g_bEchoTypedLine = true;
    Receive(book, "PA");
    EXPECT_EQ(EntriesOf(book), (Lines{"14:03:07:042>> PA"}));
    EXPECT_EQ(g_strReceived, "14:03:07:042>> PA");
    EXPECT_FALSE(g_bEchoTypedLine);
    EXPECT_EQ(g_nLogLines, 0); // counted by the main dialog when it sent the line
    EXPECT_TRUE(g_strMeasLine.empty());
    Receive(book, "45\r\n");
    EXPECT_EQ(EntriesOf(book).back(), "14:03:07:042>> D+0012.345");
}

TEST_F(LogBook, BinaryFormatListsOnlyTheRecordEntry)
{
    ZelnarParameters.SDx = 2;
    CLogBookZL book(FixedClock());
    g_strBinaryLogLine = "B10000001000"; // 12 characters: no record
    Receive(book, "D+0012.345\r\n");
    EXPECT_TRUE(book.Entries().empty());
    g_strBinaryLogLine = "B100000010000001000000011";
    book.OnData();
    EXPECT_EQ(EntriesOf(book), (Lines{"B100000010000001000000011"}));
    EXPECT_TRUE(g_strBinaryLogLine.empty());
    EXPECT_EQ(g_nLogLines, 1);
    EXPECT_TRUE(book.Cutter().Tail().empty());
    EXPECT_TRUE(g_strMeasLine.empty());
}

TEST_F(LogBook, ATypedLineIsListedInBinaryFormatSoCountsAndEntriesAgree)
{
    ZelnarParameters.SDx = 2;
    CLogBookZL book(FixedClock());
    std::string sent;
    g_strReceived = "PA\n";
    SendTypedLine([&](std::string_view bytes) { sent += bytes; }, book);
    EXPECT_EQ(sent, "PA\r");
    EXPECT_EQ(EntriesOf(book), (Lines{"PA"}));
    EXPECT_EQ(g_nLogLines, 1);
    EXPECT_FALSE(g_bEchoTypedLine);

    // Back in decimal, the next chunk is cut into lines and decoded, not listed whole.
    ZelnarParameters.SDx = 0;
    Receive(book, "D+0012.345\r\nD+0012.346\r\n");
    EXPECT_EQ(EntriesOf(book), (Lines{"PA", "D+0012.345", "D+0012.346"}));
    EXPECT_EQ(g_nLogLines, 3);
    EXPECT_EQ(g_strMeasLine, "+0012.346");
}

TEST_F(LogBook, OverlongTailIsListedAndCountedButNotDecoded)
{
    CLogBookZL book(FixedClock());
    Receive(book, "D" + std::string(CLogCutter::kLongestTail, '9'));
    EXPECT_EQ(book.Entries().size(), 1u);
    EXPECT_EQ(g_nLogLines, 1);
    EXPECT_TRUE(g_strMeasLine.empty());
    EXPECT_TRUE(g_arrDisplayLines.empty());
}

TEST_F(LogBook, QuorinHandsEveryCompleteLineUnchanged)
{
    CLogBookQR book(FixedClock());
    book.SetTime(true);
    Receive(book, "012.345\r\nE16\r\nR12.");
    EXPECT_EQ(EntriesOf(book), (Lines{"14:03:07:042>> 012.345", "14:03:07:042>> E16"}));
    ASSERT_EQ(g_arrDisplayLines.size(), 2u);
    EXPECT_EQ(g_arrDisplayLines[0], "012.345");
    EXPECT_EQ(g_strQuorinLine, "E16");
    EXPECT_EQ(g_nLogLines, 2);
    g_bEchoTypedLine = true;
    Receive(book, "ID");
    EXPECT_EQ(EntriesOf(book).back(), "14:03:07:042>> ID");
    EXPECT_EQ(book.Cutter().Tail(), "R12.");
}

TEST_F(LogBook, MarksAndButtonStatesFollowTheCycle)
{
    CLogBookZL book(FixedClock());
    EXPECT_FALSE(book.StopLogEnabled());
    EXPECT_FALSE(book.SaveEnabled());
    Receive(book, "D1\r\nD2\r\n");
    book.StartLog();
    EXPECT_EQ(book.StartIndex(), 2u);
    EXPECT_TRUE(book.StopLogEnabled());
    EXPECT_FALSE(book.SaveEnabled());
    Receive(book, "D3\r\n");
    book.StopLog();
    EXPECT_EQ(book.StopIndex(), 3u);
    EXPECT_TRUE(book.SaveEnabled());
    EXPECT_EQ(book.SaveText("/nonexistent-folder/log.txt"), "Can not save file!");
    EXPECT_FALSE(book.SaveEnabled());
    EXPECT_FALSE(book.StopLogEnabled());
    book.StopLog();
    book.Clear();
    EXPECT_TRUE(book.Entries().empty());
    EXPECT_EQ(g_nLogLines, 0);
    EXPECT_EQ(book.StartIndex(), 0u);
    EXPECT_EQ(book.StopIndex(), 0u);
    EXPECT_FALSE(book.SaveEnabled());
}

// A journal as the Log's sink sees it.
struct CSinkRecord final : CLogSink
{
    std::vector<std::pair<std::int64_t, std::string>> entries;
    int clears = 0;
    void Entry(std::int64_t timeMs, std::string_view head, std::string_view tail) override
    {
        entries.emplace_back(timeMs, std::string(head) + std::string(tail));
    }
    void Cleared() override { ++clears; }
};

TEST_F(LogBook, EveryEntryGoesToTheSinkAsListedWithItsTime)
{
    CSinkRecord sink;
    CLogBookZL book(FixedClock());
    book.SetTime(true);
    Receive(book, "D+0001.000\r\n");
    book.SetSink(&sink);
    const auto before = std::chrono::system_clock::now();
    Receive(book, "D+0002.000\r\nD+0003");
    g_bEchoTypedLine = true;
    Receive(book, "DT");
    Receive(book, std::string(CLogCutter::kLongestTail, '9'));
    const auto after = std::chrono::system_clock::now();

    ASSERT_EQ(sink.entries.size(), 3u);
    EXPECT_EQ(sink.entries[0].second, "14:03:07:042>> D+0002.000");
    EXPECT_EQ(sink.entries[1].second, "14:03:07:042>> DT");
    EXPECT_EQ(sink.entries[2].second,
              "14:03:07:042>> D+0003" + std::string(CLogCutter::kLongestTail - 6, '9'));
    const auto ms = [](auto time) {
        return std::chrono::time_point_cast<std::chrono::milliseconds>(time)
            .time_since_epoch()
            .count();
    };
    for (const auto& [time, entry] : sink.entries) {
        EXPECT_GE(time, ms(before));
        EXPECT_LE(time, ms(after));
    }
    // Received lines only, through CLEAR.
    EXPECT_EQ(book.ReceivedTotal(), 3u);
    book.Clear();
    EXPECT_EQ(sink.clears, 1);
    EXPECT_EQ(book.ReceivedTotal(), 3u);
}

TEST_F(LogBook, RecoveredEntriesAreListedCountedPassedOnAndMarkedForSaving)
{
    CSinkRecord sink;
    CLogBookZL book(FixedClock());
    book.SetSink(&sink);
    book.AddRecovered(1700000000000, "D+0001.000");
    book.AddRecovered(1700000000100, "12:00:00:000>> D+0002.000");
    book.MarkRecovered(0);
    EXPECT_EQ(EntriesOf(book), (Lines{"D+0001.000", "12:00:00:000>> D+0002.000"}));
    EXPECT_EQ(g_nLogLines, 2);
    ASSERT_EQ(sink.entries.size(), 2u);
    EXPECT_EQ(sink.entries[1].first, 1700000000100);
    EXPECT_EQ(book.StartIndex(), 0u);
    EXPECT_EQ(book.StopIndex(), 2u);
    EXPECT_TRUE(book.SaveEnabled());
    EXPECT_EQ(book.ReceivedTotal(), 0u);
}

// The Log page's hand-over through the reply assembly: every line of a chunk is decoded.
TEST_F(LogBook, EveryMeasurementLineOfAChunkReachesTheDisplay)
{
    std::vector<CNotification> journal;
    CLogBookZL book(FixedClock());
    CRecordingPage classic("classic", journal);
    CRecordingPage display("display", journal);
    const CReplyPages pages{book, classic, display};
    DispatchZelnarReply("D+0001.000\r\nID 7\r\nD+0002.000\r\nD+0003", pages);
    EXPECT_EQ(PagesOf(journal), (Lines{"classic", "display", "display"}));
    EXPECT_EQ(journal[1].measLine, "+0001.000");
    EXPECT_EQ(journal[2].measLine, "+0002.000");
    EXPECT_EQ(book.Entries().size(), 3u);
}

} // namespace
