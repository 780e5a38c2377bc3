#include "ReplyAssembly.h"
#include "ReplyTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using Pages = std::vector<std::string>;

// A Log page that hands the lines it was given to the Display page, as the real one does.
class CHandingLogPage : public CRecordingPage
{
public:
    using CRecordingPage::CRecordingPage;
    std::vector<std::string> lines;

    void OnData() override
    {
        CRecordingPage::OnData();
        for (const std::string& line : lines)
            g_arrDisplayLines.Add(line);
    }
};

class ReplyAssembly : public testing::Test
{
protected:
    void SetUp() override { ResetReplyState(); }
    void TearDown() override { ResetReplyState(); }

    void Zelnar(std::string_view bytes) { DispatchZelnarReply(bytes, pages); }
    void Quorin(std::string_view bytes) { DispatchQuorinReply(bytes, pages); }

    std::vector<std::string> Records() const
    {
        std::vector<std::string> records;
        for (const CNotification& notification : journal)
            if (notification.page == "display")
                records.push_back(notification.record);
        return records;
    }

    std::vector<CNotification> journal;
    CHandingLogPage log{"log", journal};
    CRecordingPage classic{"classic", journal};
    CRecordingPage display{"display", journal};
    CReplyPages pages{log, classic, display};
};

TEST_F(ReplyAssembly, TextChunkNotifiesLogClassicDisplay)
{
    Zelnar("D+0012.345\r\n");
    EXPECT_EQ(PagesOf(journal), (Pages{"log", "classic", "display"}));
    for (const CNotification& notification : journal) {
        EXPECT_EQ(notification.received, "D+0012.345\r\n");
        EXPECT_EQ(notification.lineCount, 1);
    }
}

TEST_F(ReplyAssembly, NoBytesNotifyNobody)
{
    g_strReceived = "before";
    Zelnar("");
    Quorin("");
    ZelnarParameters.SDx = 2;
    Zelnar("");
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(g_strReceived, "before");
}

TEST_F(ReplyAssembly, CarriageReturnsAreCountedOverSuccessiveChunks)
{
    std::string burst;
    for (int i = 0; i < 15; ++i)
        burst += "D+0001.000\r"; // 11 bytes each
    burst.resize(150, 'x');
    Zelnar(std::string_view(burst).substr(0, 100));
    EXPECT_EQ(g_nLineCount, 9);
    Zelnar(std::string_view(burst).substr(100));
    EXPECT_EQ(g_nLineCount, 13);
    EXPECT_EQ(g_strReceived, burst.substr(100));
}

TEST_F(ReplyAssembly, LineCountStopsAtTheLargestInt)
{
    g_nLineCount = INT_MAX - 1;
    Quorin("\r\r\r");
    EXPECT_EQ(g_nLineCount, INT_MAX);
}

TEST_F(ReplyAssembly, ZeroBytesAreLeftOutAndTheRestIsKept)
{
    Zelnar(std::string_view("D+0\0"
                            "012.345\r\n",
                            13));
    EXPECT_EQ(g_strReceived, "D+0012.345\r\n");
    EXPECT_EQ(g_nLineCount, 1);
}

TEST_F(ReplyAssembly, EveryHandedLineReachesTheDisplayInOrder)
{
    log.lines = {"+0001.000", "+0002.000"};
    Zelnar("D+0001.000\r\nD+0002.000\r\n");
    EXPECT_EQ(PagesOf(journal), (Pages{"log", "classic", "display", "display"}));
    EXPECT_EQ(journal[2].measLine, "+0001.000");
    EXPECT_EQ(journal[3].measLine, "+0002.000");
    EXPECT_TRUE(g_arrDisplayLines.empty());

    journal.clear();
    log.lines = {"012.345", "E16"};
    Quorin("012.345\r\nE16\r\n");
    EXPECT_EQ(PagesOf(journal), (Pages{"classic", "log", "display", "display"}));
    EXPECT_EQ(journal[2].quorinLine, "012.345");
    EXPECT_EQ(journal[3].quorinLine, "E16");

    // A chunk without a complete line notifies the Display page once; nothing stale reaches it.
    journal.clear();
    log.lines.clear();
    g_strMeasLine.clear(); // as the Display page leaves it
    g_arrDisplayLines.Add("stale");
    Zelnar("D+00");
    EXPECT_EQ(PagesOf(journal), (Pages{"log", "classic", "display"}));
    EXPECT_EQ(journal[2].measLine, "");
}

TEST_F(ReplyAssembly, TheTemperatureRequestGoesToTheLastLineOfTheChunkThatCompletesOne)
{
    g_bTempRequest = true;
    Quorin("T+2");
    EXPECT_EQ(PagesOf(journal), (Pages{"classic", "log", "display"}));
    EXPECT_FALSE(journal[2].tempRequest);
    EXPECT_TRUE(g_bTempRequest) << "no answer yet";

    journal.clear();
    log.lines = {"T+29.9"};
    Quorin("9.9\r\n");
    ASSERT_EQ(PagesOf(journal), (Pages{"classic", "log", "display"}));
    EXPECT_TRUE(journal[2].tempRequest);

    // A reading before the answer in the same chunk is decoded as a reading.
    journal.clear();
    g_bTempRequest = true;
    log.lines = {"012.345", "T+29.9"};
    Quorin("012.345\r\nT+29.9\r\n");
    ASSERT_EQ(PagesOf(journal), (Pages{"classic", "log", "display", "display"}));
    EXPECT_EQ(journal[2].quorinLine, "012.345");
    EXPECT_FALSE(journal[2].tempRequest);
    EXPECT_EQ(journal[3].quorinLine, "T+29.9");
    EXPECT_TRUE(journal[3].tempRequest);
}

class BinaryAssembly : public ReplyAssembly
{
protected:
    void SetUp() override
    {
        ReplyAssembly::SetUp();
        ZelnarParameters.SDx = 2;
    }
};

// The bit text of bytes, as a delivered record reads.
std::string Bits(std::string_view bytes)
{
    std::string bits;
    for (const unsigned char byte : bytes)
        for (int bit = 7; bit >= 0; --bit)
            bits += (byte >> bit & 1) ? '1' : '0';
    return bits;
}

// Records of length bytes as the device sends them: a start byte, then bytes without the top bit.
std::vector<std::string> DeviceRecords(std::size_t count, std::size_t length)
{
    std::vector<std::string> records;
    for (std::size_t i = 0; i < count; ++i) {
        std::string record(1, static_cast<char>(0x80 | i));
        for (std::size_t j = 1; j < length; ++j)
            record += static_cast<char>((i * 7 + j) & 0x7F);
        records.push_back(record);
    }
    return records;
}

TEST_F(BinaryAssembly, AStreamCutAtAnyByteDeliversEveryRecordOnceAndNothingElse)
{
    for (int sdy = 0; sdy < 4; ++sdy) {
        const CRecordLengths lengths = BinaryRecordLengths(sdy);
        for (const std::size_t bits : {lengths.shorter, lengths.longer}) {
            // The stream unknown, or known from the command that started it.
            for (const char* command : {"", bits == lengths.shorter ? "DT\r" : "VT\r"}) {
                const std::vector<std::string> records = DeviceRecords(3, bits / 8);
                std::string stream;
                Pages expected;
                for (const std::string& record : records) {
                    stream += record;
                    expected.push_back(Bits(record));
                }
                for (std::size_t cut = 1; cut < stream.size(); ++cut) {
                    ResetReplyState();
                    journal.clear();
                    ZelnarParameters.SDx = 2;
                    ZelnarParameters.SDy = sdy;
                    BeginBinaryStream(command);
                    Zelnar(std::string_view(stream).substr(0, cut));
                    Zelnar(std::string_view(stream).substr(cut));
                    ASSERT_EQ(Records(), expected)
                        << "SDy " << sdy << ", " << bits << " bits, command " << command
                        << ", cut at " << cut;
                }
            }
        }
    }
}

TEST_F(BinaryAssembly, ALoneRecordWithoutSpeedNeedsItsCommandOrTheNextStart)
{
    // Three bytes may be the first half of a record with speed: they wait.
    Zelnar("\x81\x02\x03");
    EXPECT_TRUE(journal.empty());
    Zelnar("\x82");
    EXPECT_EQ(Records(), (Pages{"100000010000001000000011"}));

    // After DM the device sends records without speed: one is complete at once.
    ResetReplyState();
    journal.clear();
    ZelnarParameters.SDx = 2;
    BeginBinaryStream("DM\r");
    Zelnar("\x81\x02\x03");
    EXPECT_EQ(PagesOf(journal), (Pages{"display", "log", "classic"}));
    for (const CNotification& notification : journal)
        EXPECT_EQ(notification.record, "100000010000001000000011");
    EXPECT_TRUE(g_strBinaryRecord.empty());
    EXPECT_TRUE(g_strBinaryPending.empty());

    // Any other command leaves the next stream to its records again.
    BeginBinaryStream("\x1b");
    EXPECT_EQ(g_BinaryStream, BinaryStream::Unknown);
    BeginBinaryStream("VM\r");
    EXPECT_EQ(g_BinaryStream, BinaryStream::WithSpeed);
}

TEST_F(BinaryAssembly, ChunkWithoutStartByteIsDropped)
{
    Zelnar("\x05\x06");
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(g_strBinaryPending.empty());
    // The text and its carriage returns still count.
    Zelnar("\x0d");
    EXPECT_EQ(g_nLineCount, 1);
    EXPECT_EQ(g_strReceived, "\r");
}

TEST_F(BinaryAssembly, FramingResumesAtTheFirstStartByte)
{
    BeginBinaryStream("DT\r");
    Zelnar("\x05\x81\x02\x03");
    EXPECT_EQ(Records(), (Pages{"100000010000001000000011"}));
}

TEST_F(BinaryAssembly, SeveralRecordsInOneChunkAreAllDeliveredInOrder)
{
    Zelnar("\x81\x02\x03\x82\x04\x05");
    EXPECT_EQ(Records(), (Pages{"100000010000001000000011", "100000100000010000000101"}));
    EXPECT_EQ(PagesOf(journal), (Pages{"display", "log", "classic", "display", "log", "classic"}));
}

TEST_F(BinaryAssembly, UnfinishedLastRecordWaitsForTheNextChunk)
{
    Zelnar("\x81\x02\x03\x82\x04");
    EXPECT_EQ(Records(), (Pages{"100000010000001000000011"}));
    EXPECT_EQ(g_strBinaryPending, "1000001000000100");
    Zelnar("\x05\x83");
    EXPECT_EQ(Records(), (Pages{"100000010000001000000011", "100000100000010000000101"}));
    EXPECT_EQ(g_strBinaryPending, "10000011");
}

TEST_F(BinaryAssembly, BitsGrowingPastTheLongestRecordAreDropped)
{
    Zelnar("\x81\x01\x01\x01");
    Zelnar("\x01\x01");
    EXPECT_EQ(Records().size(), 1u); // 48 bits, the record with speed
    journal.clear();
    Zelnar("\x81\x01\x01\x01\x01\x01\x01");
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(g_strBinaryPending.empty());
    Zelnar("\x81\x02\x03\x81");
    EXPECT_EQ(Records(), (Pages{"100000010000001000000011"}));
}

TEST_F(BinaryAssembly, UnknownOutputSelectionFramesNothing)
{
    ZelnarParameters.SDy = 7;
    EXPECT_EQ(BinaryRecordLengths(7).longer, 0u);
    EXPECT_EQ(BinaryRecordLengths(-1).longer, 0u);
    BeginBinaryStream("DM\r");
    Zelnar("\x81\x02\x03");
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(g_strBinaryPending.empty());
}

} // namespace
