#include "GraphData.h"
#include "GraphSetup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <mutex>
#include <string>
#include <thread>

namespace {

class GraphData : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetGraphSettingsZL();
        ResetGraphSettingsQR();
        CreateGraphTablesZL();
        CreateGraphTableQR();
        g_bGraphSetupConfirmed = false;
    }
    void TearDown() override { SetUp(); }
};

TEST_F(GraphData, TablesAsTheRendererReadsThem)
{
    ASSERT_TRUE(g_pDistanceTable && g_pSpeedTable && g_pDistanceTableQR);
    EXPECT_EQ(g_pDistanceTable->GetSize(), 1);
    EXPECT_EQ(g_pDistanceTable->GetAt(0), g_pDistanceColumn);
    EXPECT_EQ(g_pDistanceTable->m_FormatType, CSVFormatXY);
    EXPECT_EQ(g_pDistanceTable->m_strTitle, "");
    EXPECT_EQ(g_pDistanceColumn->m_pFormat->m_strCaption, "Distance (m)");
    EXPECT_EQ(g_pSpeedColumn->m_pFormat->m_strCaption, "Speed (m/s)");
    EXPECT_EQ(g_pDistanceColumnQR->m_pFormat->m_strCaption, "Distance (m)");
}

TEST_F(GraphData, KeepsTheLastPointsAndScrollsTheXAxis)
{
    for (int i = 0; i < 151; ++i)
        AddGraphPoint(i * 0.1, -i * 0.01);
    for (const CCSVTable* table : {g_pDistanceTable.get(), g_pSpeedTable.get()}) {
        ASSERT_EQ(table->m_XValues.size(), 150u);
        EXPECT_EQ(table->GetAt(0)->m_Values.size(), 150u);
        EXPECT_DOUBLE_EQ(table->m_XValues.front(), 1);
        EXPECT_DOUBLE_EQ(table->m_XValues.back(), 150);
        EXPECT_DOUBLE_EQ(table->m_XAxis.m_Min, 1);
        EXPECT_DOUBLE_EQ(table->m_XAxis.m_Max, 150);
    }
    EXPECT_DOUBLE_EQ(g_pDistanceColumn->m_Values.front(), 0.1);
    EXPECT_DOUBLE_EQ(g_pSpeedColumn->m_Values.back(), -1.5);
    EXPECT_EQ(g_nGraphPoints, 151);

    for (int i = 0; i < 51; ++i)
        AddGraphPointQR(i);
    EXPECT_EQ(g_pDistanceColumnQR->m_Values.size(), 50u);
    EXPECT_DOUBLE_EQ(g_pDistanceTableQR->m_XAxis.m_Min, 1);
    EXPECT_DOUBLE_EQ(g_pDistanceTableQR->m_XAxis.m_Max, 50);
}

TEST_F(GraphData, AutoscaleFollowsFiniteValues)
{
    AddGraphPoint(std::numeric_limits<double>::quiet_NaN(), 0);
    AddGraphPoint(4.0, 0);
    AddGraphPoint(-2.0, 0);
    AddGraphPoint(std::numeric_limits<double>::infinity(), 0);
    EXPECT_EQ(g_pDistanceColumn->m_Values.size(), 4u);
    EXPECT_TRUE(std::isnan(g_pDistanceColumn->m_Values.front()));
    EXPECT_FALSE(g_pDistanceColumn->m_bEmpty);
    EXPECT_DOUBLE_EQ(g_pDistanceColumn->m_Min, -2.0);
    EXPECT_DOUBLE_EQ(g_pDistanceColumn->m_Max, 4.0);
    EXPECT_DOUBLE_EQ(g_pDistanceTable->m_XAxis.m_Min, 0);
    EXPECT_DOUBLE_EQ(g_pDistanceTable->m_XAxis.m_Max, 3);
}

TEST_F(GraphData, FixedRangesWhateverTheValues)
{
    ASSERT_EQ(TakeGraphSetupZL({false, "10", "5", "1", "-1", "150"}), "");
    AddGraphPoint(100.0, 7.0);
    EXPECT_DOUBLE_EQ(g_pDistanceColumn->m_Min, 5.0);
    EXPECT_DOUBLE_EQ(g_pDistanceColumn->m_Max, 10.0);
    EXPECT_DOUBLE_EQ(g_pSpeedColumn->m_Min, -1.0);
    EXPECT_DOUBLE_EQ(g_pSpeedColumn->m_Max, 1.0);
}

TEST_F(GraphData, ClearRestartsAtPointZeroOnTheSameTables)
{
    const CCSVTable* table = g_pDistanceTable.get();
    for (int i = 0; i < 5; ++i)
        AddGraphPoint(i, i);
    CreateGraphTablesZL();
    EXPECT_EQ(g_pDistanceTable.get(), table);
    EXPECT_TRUE(g_pDistanceColumn->m_Values.empty());
    EXPECT_TRUE(g_pDistanceTable->m_XValues.empty());
    EXPECT_TRUE(g_pDistanceColumn->m_bEmpty);
    AddGraphPoint(0.0, 0.0); // an error line's point
    EXPECT_DOUBLE_EQ(g_pDistanceTable->m_XValues.front(), 0);
    EXPECT_DOUBLE_EQ(g_pDistanceColumn->m_Values.front(), 0);
    EXPECT_DOUBLE_EQ(g_pDistanceColumn->m_Min, 0);
}

TEST_F(GraphData, SetupTextsAndChecks)
{
    const CGraphSetupZL shown = GetGraphSetupZL();
    EXPECT_TRUE(shown.bAutoscale);
    EXPECT_EQ(shown.strDistanceMax, "20.000");
    EXPECT_EQ(shown.strDistanceMin, "0.000");
    EXPECT_EQ(shown.strSpeedMax, "2.000");
    EXPECT_EQ(shown.strSpeedMin, "-2.000");
    EXPECT_EQ(shown.strPointsNumber, "150");
    EXPECT_EQ(GetGraphSetupQR().strPointsNumber, "50");

    // Refused values change nothing, so a Cancel after them leaves the old settings.
    for (const CGraphSetupZL& refused :
         {CGraphSetupZL{false, "5", "5", "2", "-2", "150"},
          CGraphSetupZL{false, "20", "0", "-2", "2", "150"},
          CGraphSetupZL{false, "20", "0", "2", "-2", "0"},
          CGraphSetupZL{false, "20", "0", "2", "-2", "x"},
          CGraphSetupZL{false, "1e999", "0", "2", "-2", "10"},
          CGraphSetupZL{false, "20", "0", "2", "-2", "200001"},
          CGraphSetupZL{false, "20", "0", "2", "-2", "2147483647"}}) {
        EXPECT_EQ(TakeGraphSetupZL(refused), "Parameters are invalid, Please correct it");
    }
    EXPECT_EQ(TakeGraphSetupQR({true, "20", "0", "200001"}), GraphSetupInvalidText);
    EXPECT_FALSE(g_bGraphSetupConfirmed);
    EXPECT_TRUE(g_bAutoscale);
    EXPECT_EQ(g_nPointsNumber, 150);

    EXPECT_EQ(TakeGraphSetupZL({true, "20", "0", "2", "-2", "200000"}), "");
    EXPECT_EQ(g_nPointsNumber, 200000);
    EXPECT_EQ(TakeGraphSetupQR({false, "3.5", "-1", "20"}), "");
    EXPECT_TRUE(g_bGraphSetupConfirmed);
    EXPECT_FALSE(g_bAutoscaleQR);
    EXPECT_DOUBLE_EQ(g_dDistanceMaxQR, 3.5);
    EXPECT_EQ(g_nPointsNumberQR, 20);
    EXPECT_EQ(GetGraphSetupQR().strDistanceMin, "-1.000");
    CancelGraphSetup();
    EXPECT_FALSE(g_bGraphSetupConfirmed);
}

// Each graph's points may come from another thread than its redraw, clearing and setup; under
// ThreadSanitizer this shows that every one of them holds the family's lock.
TEST_F(GraphData, AppendingRedrawingClearingAndSetupShareTheLock)
{
    const auto expectWholePoints = [] {
        const std::lock_guard lock(g_GraphMutex);
        const std::size_t points = g_pDistanceColumn->m_Values.size();
        EXPECT_EQ(g_pDistanceTable->m_XValues.size(), points);
        EXPECT_EQ(g_pSpeedColumn->m_Values.size(), points);
    };
    std::thread appender([] {
        for (int i = 0; i < 2000; ++i) {
            AddGraphPoint(i * 0.01, -i * 0.001);
            AddGraphPointQR(i * 0.01);
        }
    });
    std::thread setup([] {
        for (int i = 0; i < 100; ++i) {
            const std::string points = std::to_string(10 + i % 7);
            EXPECT_EQ(TakeGraphSetupZL({i % 2 == 0, "20", "0", "2", "-2", points}), "");
            CreateGraphTablesZL();
            EXPECT_EQ(TakeGraphSetupQR({i % 2 == 0, "20", "0", points}), "");
            CreateGraphTableQR();
        }
    });
    for (int i = 0; i < 200; ++i) {
        expectWholePoints();
        GetGraphSetupZL();
        GetGraphSetupQR();
    }
    appender.join();
    setup.join();
    expectWholePoints();
}

TEST(GraphDataBeforePages, AppendsNothingWithoutTables)
{
    // The tables outlive every test once created; a fresh set stands for the program start.
    std::unique_ptr<CCSVTable> saved = std::move(g_pDistanceTableQR);
    const std::int64_t points = g_nGraphPointsQR;
    AddGraphPointQR(1.0);
    EXPECT_EQ(g_nGraphPointsQR, points);
    g_pDistanceTableQR = std::move(saved);
}

} // namespace
