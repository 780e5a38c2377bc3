#include "DisplayZL.h"

#include "../core/ParameterTestSupport.h"
#include "AnalogGauge.h"
#include "BlankPage.h"
#include "ColorStatic.h"
#include "ControlId.h"
#include "GaugeGeometry.h"
#include "GraphData.h"
#include "LogBookZL.h"
#include "ParameterRecords.h"
#include "ReplyAssembly.h"
#include "TerminalState.h"
#include "ZelnarDisplay.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>

namespace {

// A Display page behind the real reply routing: lines arrive as the device sends them,
// the Log book cuts them and hands the measurement lines on.
struct DisplayZLTest : testing::Test
{
    CLogBookZL log;
    CBlankPage classic;
    std::unique_ptr<DisplayZL> page;

    void SetUp() override
    {
        ResetParameterState();
        g_DisplayZL = CZelnarDisplay{};
        ZelnarParameters.SF = 1.0;
        ZelnarParameters.SE = 0;
        ZelnarParameters.QAx = 0;
        ZelnarParameters.QAy = 20;
        page = std::make_unique<DisplayZL>();
    }
    void TearDown() override { ResetParameterState(); }

    // Lines arrive, then the main dialog's timer shows what they left.
    void Receive(const std::string& bytes)
    {
        DispatchZelnarReply(bytes, {log, classic, *page});
        page->ShowPending();
    }

    QString Text(int id) const { return FindControl<QLabel>(page.get(), id)->text(); }
    QString Count(int id) const { return FindControl<QLineEdit>(page.get(), id)->text(); }
    int Bar() const { return FindControl<QProgressBar>(page.get(), 1074)->value(); }
    bool Shown(int id) const { return !FindControl<QLabel>(page.get(), id)->isHidden(); }
    bool Q1On() const { return Shown(1083) && !Shown(1082); }
    bool Q1Off() const { return !Shown(1083) && Shown(1082); }
};

TEST_F(DisplayZLTest, ControlsCarryTheirFontsAndStartEmpty)
{
    EXPECT_EQ(FindControl<QLabel>(page.get(), 1070)->font().pixelSize(), 40);
    EXPECT_EQ(FindControl<QLabel>(page.get(), 1071)->font().pixelSize(), 40);
    EXPECT_EQ(FindControl<QLabel>(page.get(), 1072)->font().pixelSize(), 22);
    EXPECT_EQ(FindControl<QLabel>(page.get(), 1073)->font().pixelSize(), 22);
    EXPECT_EQ(FindControl<QLabel>(page.get(), 1070)->font().family(), "Arial");
    EXPECT_EQ(FindControl<QProgressBar>(page.get(), 1074)->maximum(), 3000);
    EXPECT_EQ(Count(1091), "0");
    EXPECT_EQ(Count(1093), "0");
    EXPECT_TRUE(Q1Off());
    EXPECT_TRUE(!Shown(1084) && Shown(1085));
    EXPECT_NE(FindControl<QPushButton>(page.get(), 1094), nullptr);
}

TEST_F(DisplayZLTest, DecimalLinesShowTheirFieldsUnitsBarAndCurrent)
{
    Receive("D+0012.345\r\n");
    EXPECT_EQ(Text(1070), "+0012.345");
    EXPECT_EQ(Text(1071), "");
    EXPECT_EQ(Text(1072), "");
    EXPECT_EQ(Text(1073), "");
    EXPECT_EQ(Text(1099), "m");
    EXPECT_EQ(Text(1100), "m/s");
    EXPECT_EQ(Text(1103), "°C");
    EXPECT_NEAR(page->Gauge().Value(), 13.876, 1e-9);
    EXPECT_EQ(page->Gauge().ValueText(), "13.88");

    Receive("D+0012.345 01500 +29.9\r\n");
    EXPECT_EQ(Text(1073), "01500");
    EXPECT_EQ(Text(1072), "+29.9");
    EXPECT_EQ(Bar(), 1500);

    Receive("D+0012.345 +29.9\r\n");
    EXPECT_EQ(Text(1072), "+29.9");
    EXPECT_EQ(Text(1073), "");
    Receive("D+0012.345 01500\r\n");
    EXPECT_EQ(Text(1073), "01500");
    EXPECT_EQ(Text(1072), "");

    Receive("D-0001.250 +0012.345 01500 +29.9\r\n");
    EXPECT_EQ(Text(1071), "-0001.250");
    EXPECT_EQ(Text(1070), "+0012.345");
    EXPECT_EQ(Text(1073), "01500");
    EXPECT_EQ(Text(1072), "+29.9");
}

TEST_F(DisplayZLTest, ANonMeasurementLineBlanksTheFieldsAndKeepsGaugeAndCounts)
{
    Receive("D+0012.345 01500 +29.9\r\n");
    const double current = page->Gauge().Value();
    Receive("ID ZELNAR 1234\r\n");
    g_strMeasLine = "x12";
    page->OnData();
    page->ShowPending();
    EXPECT_EQ(Text(1070), "");
    EXPECT_EQ(Text(1073), "");
    EXPECT_EQ(Bar(), 0);
    EXPECT_EQ(page->Gauge().Value(), current);
    EXPECT_EQ(Count(1091), "0");
}

TEST_F(DisplayZLTest, ErrorLinesAreCountedAndClearStartsTheCountsAgain)
{
    ZelnarParameters.SE = 2;
    Receive("DE02      \r\nDE02      \r\nDE04      \r\n");
    EXPECT_EQ(Text(1070), "E04      ");
    EXPECT_EQ(Count(1091), "2");
    EXPECT_EQ(Count(1093), "1");
    EXPECT_EQ(page->Gauge().Value(), 21.0);
    FindControl<QPushButton>(page.get(), 1094)->click();
    EXPECT_EQ(Count(1091), "0");
    EXPECT_EQ(Count(1093), "0");
    Receive("DE02      \r\n");
    EXPECT_EQ(Count(1091), "1");
}

TEST_F(DisplayZLTest, LinesBetweenTwoTimerTicksShowTheLastOfThemWithEveryCount)
{
    ZelnarParameters.SE = 2;
    ZelnarParameters.Q1w = 10;
    ZelnarParameters.Q1x = 5;
    ZelnarParameters.Q1y = 1;
    ZelnarParameters.Q1z = 1;
    ZelnarParameters.Q2w = 0;
    DispatchZelnarReply("D+0012.000 01500 +29.9\r\nDE02      \r\nDE04      \r\nDE02      \r\n"
                        "D+0010.700 00700\r\n",
                        {log, classic, *page});
    EXPECT_EQ(Text(1070), "") << "nothing is drawn before the timer";
    EXPECT_EQ(Count(1091), "0");
    page->ShowPending();
    EXPECT_EQ(Text(1070), "+0010.700");
    EXPECT_EQ(Text(1073), "00700");
    EXPECT_EQ(Text(1072), "");
    EXPECT_EQ(Bar(), 700);
    EXPECT_EQ(Count(1091), "2");
    EXPECT_EQ(Count(1093), "1");
    EXPECT_TRUE(Q1On());
    EXPECT_NEAR(page->Gauge().Value(), 12.56, 1e-9);

    // Counts that were waiting for the timer are older than a Clear.
    DispatchZelnarReply("DE02      \r\n", {log, classic, *page});
    FindControl<QPushButton>(page.get(), 1094)->click();
    page->ShowPending();
    EXPECT_EQ(Count(1091), "0");
}

TEST_F(DisplayZLTest, ATimerTickRewritesOnlyTheControlsWhoseValuesChanged)
{
    ZelnarParameters.SE = 2;
    Receive("D+0012.345 01500 +29.9\r\nDE04      \r\n");
    Receive("D+0012.345 01500 +29.9\r\n");
    // Marks on the controls tell which of them the next tick writes.
    for (int id : {1070, 1072, 1073, 1099})
        FindControl<QLabel>(page.get(), id)->setText("mark");
    FindControl<QLineEdit>(page.get(), 1093)->setText("mark");
    Receive("D+0012.345 01500 +30.1\r\n");
    EXPECT_EQ(Text(1072), "+30.1");
    for (int id : {1070, 1073, 1099})
        EXPECT_EQ(Text(id), "mark") << id;
    EXPECT_EQ(Count(1093), "mark");
}

TEST_F(DisplayZLTest, AlarmLampsFollowTheSwitchingWindow)
{
    ZelnarParameters.Q1w = 10;
    ZelnarParameters.Q1x = 5;
    ZelnarParameters.Q1y = 1;
    ZelnarParameters.Q1z = 1;
    ZelnarParameters.Q2w = 0;
    Receive("D+0010.400\r\n");
    EXPECT_TRUE(Q1Off());
    Receive("D+0010.600\r\n");
    EXPECT_TRUE(Q1On());
    Receive("D+0009.600\r\n");
    EXPECT_TRUE(Q1On());
    Receive("D+0009.400\r\n");
    EXPECT_TRUE(Q1Off());
    Receive("D+0012.000\r\n");
    EXPECT_TRUE(Q1On());
    Receive("D+0015.600\r\n");
    EXPECT_TRUE(Q1Off());
    // Q2 is disabled by its zeros: its lamp stays off, also on errors.
    ZelnarParameters.SE = 2;
    ZelnarParameters.Q2z = 1;
    Receive("DE02      \r\n");
    EXPECT_TRUE(!Shown(1084) && Shown(1085));
    // The error behaviour switches an enabled z = 1 alarm on.
    EXPECT_TRUE(Q1On());
}

TEST_F(DisplayZLTest, GaugeNeedlePointsAtTheCurrentsAngle)
{
    const GaugeScale& scale = page->Gauge().Scale();
    EXPECT_NEAR(NeedleAngle(scale, 3.0), 230.0, 1e-9);
    EXPECT_NEAR(NeedleAngle(scale, 12.0), 90.0, 1e-9);
    EXPECT_NEAR(NeedleAngle(scale, 21.0), -50.0, 1e-9);
    // 20 mA at QAy: 20 mA; beyond it the current is limited to 21 mA.
    Receive("D+0020.000\r\n");
    EXPECT_EQ(page->Gauge().ValueText(), "20.00");
    Receive("D+0030.000\r\n");
    EXPECT_EQ(page->Gauge().ValueText(), "21.00");
    Receive("D-0030.000\r\n");
    EXPECT_EQ(page->Gauge().ValueText(), "3.00");
}

TEST_F(DisplayZLTest, TextsAreRedWhileSimulatingAndUnitsFollowTheScaleFactor)
{
    g_bSimulation = true;
    g_strMeasLine = " 0012.345";
    page->OnData();
    page->ShowPending();
    EXPECT_EQ(FindControl<CColorStatic>(page.get(), 1070)->TextColor(), QColor(255, 0, 0));
    EXPECT_EQ(FindControl<CColorStatic>(page.get(), 1073)->TextColor(), QColor(255, 0, 0));
    g_bSimulation = false;
    ZelnarParameters.SF = -3.28084;
    Receive("D+0012.345\r\n");
    EXPECT_EQ(FindControl<CColorStatic>(page.get(), 1072)->TextColor(), QColor(0, 0, 0));
    EXPECT_EQ(Text(1099), "feet");
    EXPECT_EQ(Text(1100), "feet/s");
    ZelnarParameters.SF = 2.0;
    Receive("D+0012.345\r\n");
    EXPECT_EQ(Text(1099), "");
}

TEST_F(DisplayZLTest, EveryMeasurementBecomesAGraphPoint)
{
    ResetGraphSettingsZL();
    CreateGraphTablesZL();
    Receive("D-0001.250 +0012.345\r\nDE02      \r\n");
    ASSERT_EQ(g_pDistanceColumn->m_Values.size(), 2u);
    EXPECT_EQ(g_pDistanceColumn->m_Values[0], 12.345);
    EXPECT_EQ(g_pSpeedColumn->m_Values[0], -1.25);
    EXPECT_EQ(g_pDistanceColumn->m_Values[1], 0.0);
}

TEST_F(DisplayZLTest, ANewPageShowsTheStoredCurrentAndCountsFromZero)
{
    Receive("D+0012.345\r\nDE02      \r\n");
    DisplayZL second;
    EXPECT_NEAR(second.Gauge().Value(), 13.876, 1e-9);
    EXPECT_EQ(FindControl<QLineEdit>(&second, 1091)->text(), "0");
}

} // namespace
