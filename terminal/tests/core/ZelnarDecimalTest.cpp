#include "CoreTestSupport.h"
#include "ZelnarDisplay.h"

#include <gtest/gtest.h>

namespace {

class ZelnarDecimal : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetParameterRecords();
        ResetReplyState();
        ZelnarParameters.SF = 1.0;
        ZelnarParameters.QAx = 0;
        ZelnarParameters.QAy = 20;
    }
    void TearDown() override
    {
        ResetParameterRecords();
        ResetReplyState();
        g_DisplayZL = CZelnarDisplay{};
    }

    const CZelnarDisplayResult& Decode(std::string_view line)
    {
        return display.DecodeDecimal(line, ZelnarParameters, false);
    }

    CZelnarDisplay display;
};

TEST_F(ZelnarDecimal, DistanceAloneGivesCurrentAndGraphPoint)
{
    const CZelnarDisplayResult& r = Decode("+0012.345");
    ExpectFields(r, "+0012.345", "", "", "");
    ASSERT_TRUE(r.bSetGauge);
    EXPECT_NEAR(r.dCurrent, 13.876, 1e-9);
    EXPECT_NEAR(display.GetOutputCurrent(), 13.876, 1e-9);
    ASSERT_TRUE(r.bAddGraphPoint);
    EXPECT_DOUBLE_EQ(r.dGraphDistance, 12.345);
    EXPECT_DOUBLE_EQ(r.dGraphSpeed, 0.0);
    EXPECT_TRUE(r.bSetStrengthBar);
    EXPECT_EQ(r.nStrengthBar, 0);
}

TEST_F(ZelnarDecimal, LayoutsWithoutSpeed)
{
    // D: strength and temperature by position.
    const CZelnarDisplayResult& d = Decode("+0012.345 01500 +29.9");
    ExpectFields(d, "+0012.345", "", "01500", "+29.9");
    EXPECT_EQ(d.nStrengthBar, 1500);
    // A: the point at 13 marks a temperature, else the field is the strength.
    ExpectFields(Decode("+0012.345 +29.9"), "+0012.345", "", "", "+29.9");
    ExpectFields(Decode("+0012.345 01500"), "+0012.345", "", "01500", "");
    // The bar stays within its range whatever the device sends.
    EXPECT_EQ(Decode("+0012.345 09999 +29.9").nStrengthBar, 3000);
}

TEST_F(ZelnarDecimal, SpeedLayoutsByLength)
{
    ExpectFields(Decode("-0001.250 +0012.345 01500 +29.9"), "+0012.345", "-0001.250", "01500",
                 "+29.9");
    ExpectFields(Decode("-0001.250 +0012.345 +29.9"), "+0012.345", "-0001.250", "", "+29.9");
    ExpectFields(Decode("-0001.250 +0012.345 01500"), "+0012.345", "-0001.250", "01500", "");
    ExpectFields(Decode("-0001.250 +0012.345 01500 +2"), "+0012.345", "-0001.250", "", "");
    const CZelnarDisplayResult& r = Decode("-0001.250 +0012.345");
    ExpectFields(r, "+0012.345", "-0001.250", "", "");
    EXPECT_DOUBLE_EQ(r.dGraphSpeed, -1.25);
}

TEST_F(ZelnarDecimal, SpeedAndDistanceErrors)
{
    const CZelnarDisplayResult& t = Decode("E02       E02       +29.9");
    ExpectFields(t, "E02      ", "", "", "+29.9");
    EXPECT_EQ(display.GetE02Count(), 1);
    ExpectFields(Decode("E02       E02       01500 +29.9"), "E02      ", "", "", "+29.9");
    ExpectFields(Decode("E02       E02       0150"), "E02      ", "", "", "");
}

TEST_F(ZelnarDecimal, ErrorLineCountsAndFollowsErrorModeHigh)
{
    ZelnarParameters.SE = 2;
    ZelnarParameters.Q1w = 5;
    ZelnarParameters.Q1x = 4;
    ZelnarParameters.Q1z = 1;
    ZelnarParameters.Q2w = 12;
    ZelnarParameters.Q2x = 6;
    ZelnarParameters.Q2z = 0;
    const CZelnarDisplayResult& r = Decode("E02      ");
    EXPECT_EQ(r.strDistance, "E02      ");
    EXPECT_TRUE(r.bE02Counted);
    EXPECT_EQ(r.strE02Count, "1");
    EXPECT_FALSE(r.bE04Counted);
    EXPECT_TRUE(r.bAddGraphPoint);
    EXPECT_DOUBLE_EQ(r.dGraphDistance, 0.0);
    EXPECT_DOUBLE_EQ(r.dCurrent, 21.0);
    EXPECT_TRUE(r.bQ1On);
    EXPECT_FALSE(r.bQ2On);
    EXPECT_EQ(Decode("E04      ").strE04Count, "1");
    EXPECT_EQ(Decode("E02      ").strE02Count, "2");
    display.OnClear();
    EXPECT_EQ(Decode("E02      ").strE02Count, "1");
}

TEST_F(ZelnarDecimal, ErrorCurrentByErrorMode)
{
    Decode(" 0005.000"); // 8 mA
    ZelnarParameters.SE = 1;
    EXPECT_DOUBLE_EQ(Decode("E02      ").dCurrent, 3.0);
    ZelnarParameters.SE = 0;
    Decode(" 0005.000");
    EXPECT_DOUBLE_EQ(Decode("E02      ").dCurrent, 8.0); // the last shown current
    ZelnarParameters.SE = 3;
    EXPECT_DOUBLE_EQ(Decode("E02      ").dCurrent, 4.0); // computed from distance 0
}

TEST_F(ZelnarDecimal, OtherRepliesBlankFieldsAndKeepTheRest)
{
    Decode("+0005.000 01500");
    for (const std::string_view line : {std::string_view("Telvan V1.3.9"), std::string_view()}) {
        const CZelnarDisplayResult& r = Decode(line);
        ExpectFields(r, "", "", "", "");
        EXPECT_TRUE(r.bShowFields);
        EXPECT_EQ(r.nStrengthBar, 0);
        EXPECT_FALSE(r.bSetGauge);
        EXPECT_FALSE(r.bAddGraphPoint);
        EXPECT_FALSE(r.bE02Counted);
        EXPECT_TRUE(r.bShowLamps);
        // The current a new page shows stays the one of the last measurement.
        EXPECT_DOUBLE_EQ(display.GetOutputCurrent(), 8.0);
    }
}

TEST_F(ZelnarDecimal, UnitsByScaleFactor)
{
    ZelnarParameters.SF = 2.0;
    const CZelnarDisplayResult& none = Decode("+0012.345");
    EXPECT_EQ(none.strDistanceUnit, "");
    EXPECT_EQ(none.strSpeedUnit, "");
    EXPECT_EQ(none.strTemperatureUnit, "°C");
    ZelnarParameters.SF = -3.28084;
    EXPECT_EQ(Decode("+0012.345").strDistanceUnit, "feet");
    EXPECT_EQ(Decode("+0012.345").strSpeedUnit, "feet/s");
    ZelnarParameters.SF = 0.3937;
    EXPECT_EQ(Decode("+0012.345").strSpeedUnit, "x100 inch/s");
    ZelnarParameters.SF = 1.09;
    EXPECT_EQ(Decode("+0012.345").strDistanceUnit, "");
}

TEST_F(ZelnarDecimal, OnDataTakesTheLineByDisplayFormat)
{
    g_bSimulation = true;
    g_strMeasLine = "+0012.345";
    const CZelnarDisplayResult& r = g_DisplayZL.OnData();
    EXPECT_EQ(r.strDistance, "+0012.345");
    EXPECT_TRUE(r.bRedText);
    EXPECT_TRUE(r.bRedrawGaugeAndGraphs);
    EXPECT_TRUE(r.bRedrawLamps);
    EXPECT_TRUE(g_strMeasLine.empty());
    // A notification without a new line blanks the fields.
    EXPECT_EQ(g_DisplayZL.OnData().strDistance, "");

    g_bSimulation = false;
    ZelnarParameters.SDx = 1;
    g_strMeasLine = "001234";
    EXPECT_EQ(g_DisplayZL.OnData().strDistance, "001234");
    EXPECT_FALSE(g_DisplayZL.OnData().bRedText);

    ZelnarParameters.SDx = 2;
    g_strBinaryRecord = "100000010000001000000011";
    EXPECT_EQ(g_DisplayZL.OnData().strDistance, "100000010000001000000011");
    EXPECT_EQ(g_strBinaryLogLine, "B100000010000001000000011");
}

} // namespace
