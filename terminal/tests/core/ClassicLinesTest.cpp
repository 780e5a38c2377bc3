#include "ClassicLines.h"
#include "TerminalState.h"

#include <gtest/gtest.h>

namespace {

struct ClassicLinesTest : testing::Test
{
    void SetUp() override
    {
        g_nLineCount = 0;
        g_strReceived.clear();
        g_strBinaryRecord.clear();
    }
};

TEST_F(ClassicLinesTest, TextChunkWhileCountIsZeroIsNotShown)
{
    g_strReceived = "MF 2000";
    EXPECT_EQ(ZelnarClassicData(0), (CClassicUpdate{false, true, "", false}));
    EXPECT_EQ(g_nLineCount, 0);

    g_nLineCount = 1;
    EXPECT_EQ(ZelnarClassicData(1), (CClassicUpdate{false, true, "MF 2000", false}));
}

TEST_F(ClassicLinesTest, PastLine39TheTextStartsEmptyAndTheChunkIsDropped)
{
    g_strReceived = "D 1.234\r";
    g_nLineCount = 39;
    EXPECT_EQ(ZelnarClassicData(0), (CClassicUpdate{false, false, "D 1.234\r", false}))
        << "line 39 keeps its place: no scrolling, but the text is inserted";
    g_nLineCount = 40;
    EXPECT_EQ(ZelnarClassicData(0), (CClassicUpdate{true, true, "", false}));
    EXPECT_EQ(g_nLineCount, 0);
}

TEST_F(ClassicLinesTest, BinaryRecordsAreLinesOfTheirOwnAndTheFortiethEmptiesThePage)
{
    g_strBinaryRecord = "100000010000001000000011";
    g_nLineCount = 38;
    EXPECT_EQ(ZelnarClassicData(2),
              (CClassicUpdate{false, true, "100000010000001000000011\r\n", false}));
    EXPECT_EQ(g_nLineCount, 39);
    EXPECT_EQ(ZelnarClassicData(2),
              (CClassicUpdate{false, true, "100000010000001000000011\r\n", true}));
    EXPECT_EQ(g_nLineCount, 0);
}

TEST_F(ClassicLinesTest, EnterCountsUpToLine39)
{
    g_nLineCount = 37;
    ZelnarClassicEnter();
    ZelnarClassicEnter();
    ZelnarClassicEnter();
    EXPECT_EQ(g_nLineCount, 39);
}

TEST_F(ClassicLinesTest, QuorinShowsEveryChunkButALoneLineFeedOnAnEmptiedPage)
{
    g_strReceived = "\n";
    EXPECT_EQ(QuorinClassicData(), (CClassicUpdate{false, true, "", false}));
    g_strReceived = "SA[n] Average";
    EXPECT_EQ(QuorinClassicData(), (CClassicUpdate{false, true, "SA[n] Average", false}))
        << "unlike Zelnar, a chunk on an emptied page is shown";
    g_nLineCount = 3;
    g_strReceived = "\n";
    EXPECT_EQ(QuorinClassicData(), (CClassicUpdate{false, true, "\n", false}));
    EXPECT_EQ(g_nLineCount, 3);
}

TEST_F(ClassicLinesTest, QuorinPageStartsEmptyAfterShowingLine41)
{
    g_strReceived = "012.345\r\n";
    g_nLineCount = 40;
    EXPECT_EQ(QuorinClassicData(), (CClassicUpdate{false, true, "012.345\r\n", false}));
    g_nLineCount = 41;
    EXPECT_EQ(QuorinClassicData(), (CClassicUpdate{false, true, "012.345\r\n", true}));
    EXPECT_EQ(g_nLineCount, 0);
}

TEST_F(ClassicLinesTest, QuorinEnterCountsWithoutTheZelnarLimit)
{
    g_nLineCount = 39;
    QuorinClassicEnter();
    QuorinClassicEnter();
    EXPECT_EQ(g_nLineCount, 41);
}

} // namespace
