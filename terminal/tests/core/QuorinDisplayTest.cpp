#include "QuorinDisplay.h"
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

class QuorinDisplay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetParameterRecords();
        ResetReplyState();
        QuorinParameters.SF = 1.0;
        QuorinParameters.RE = 20;
        QuorinParameters.AC = 5;
        QuorinParameters.AW = 4;
    }
    void TearDown() override
    {
        ResetParameterRecords();
        ResetReplyState();
        g_DisplayQR = CQuorinDisplay{};
    }

    const CQuorinDisplayResult& Decimal(std::string_view line, bool temperature = false)
    {
        return display.Decode(line, "d", temperature, QuorinParameters, false);
    }
    const CQuorinDisplayResult& Hex(std::string_view line, bool temperature = false)
    {
        return display.Decode(line, "h", temperature, QuorinParameters, false);
    }

    CQuorinDisplay display;
};

int CodeIndex(std::string_view code)
{
    for (std::size_t i = 0; i < QuorinErrorCodes.size(); ++i) {
        if (QuorinErrorCodes[i].strCode == code)
            return static_cast<int>(i);
    }
    return -1;
}

TEST_F(QuorinDisplay, DistanceReading)
{
    const CQuorinDisplayResult& r = Decimal("012.345");
    EXPECT_TRUE(r.bSetDistance);
    EXPECT_EQ(r.strDistance, "012.345");
    EXPECT_TRUE(r.bSetTemperature);
    EXPECT_EQ(r.strTemperature, "");
    EXPECT_EQ(r.strDistanceUnit, "m");
    ASSERT_TRUE(r.bAddGraphPoint);
    EXPECT_DOUBLE_EQ(r.dGraphDistance, 12.345);
    ASSERT_TRUE(r.bSetGauge);
    EXPECT_NEAR(r.dCurrent, 13.876, 1e-9);
    EXPECT_EQ(r.nCountedCode, -1);
}

TEST_F(QuorinDisplay, OtherDecimalRepliesLeaveDistanceAndGauge)
{
    for (const char* line : {"12.3456", "A12.345", "01..345", "012..45"}) {
        const CQuorinDisplayResult& r = Decimal(line);
        EXPECT_FALSE(r.bSetDistance) << line;
        EXPECT_FALSE(r.bSetGauge) << line;
        EXPECT_FALSE(r.bAddGraphPoint) << line;
        EXPECT_TRUE(r.bSetDistanceUnit) << line;
    }
    // The answer to the temperature request goes to the temperature field.
    const CQuorinDisplayResult& t = Decimal("23.5", true);
    EXPECT_TRUE(t.bSetTemperature);
    EXPECT_EQ(t.strTemperature, "23.5");
    // An empty line changes nothing but the off lamp.
    const CQuorinDisplayResult& e = Decimal("");
    EXPECT_FALSE(e.bSetDistanceUnit);
    EXPECT_FALSE(e.bSetTemperature);
    EXPECT_TRUE(e.bShowLamps);
    EXPECT_FALSE(e.bQ1On);
}

TEST_F(QuorinDisplay, ErrorLinesAreShownCountedAndGraphedAtZero)
{
    const CQuorinDisplayResult& r = Decimal("E16");
    EXPECT_EQ(r.strDistance, "E16");
    EXPECT_EQ(r.nCountedCode, CodeIndex("E16"));
    EXPECT_EQ(QuorinErrorCodes[static_cast<std::size_t>(r.nCountedCode)].nCountBoxId, 1047);
    EXPECT_EQ(r.strCount, "1");
    ASSERT_TRUE(r.bAddGraphPoint);
    EXPECT_DOUBLE_EQ(r.dGraphDistance, 0.0);
    for (int i = 0; i < 10; ++i)
        Decimal("E53");
    EXPECT_EQ(display.ErrorCounts().GetCount(CodeIndex("E53")), 10);
    EXPECT_EQ(Decimal("E23").nCountedCode, CodeIndex("E23"));
    EXPECT_EQ(QuorinErrorCodes[static_cast<std::size_t>(CodeIndex("E23"))].nCountBoxId, 1055);
    // Codes the table does not hold are shown but not counted.
    const CQuorinDisplayResult& e02 = Decimal("E02");
    EXPECT_EQ(e02.strDistance, "E02");
    EXPECT_EQ(e02.nCountedCode, -1);
    EXPECT_EQ(Decimal("E1").nCountedCode, -1);
    // In hexadecimal format an error is counted but not graphed.
    const CQuorinDisplayResult& hex = Hex("E16");
    EXPECT_EQ(hex.strCount, "2");
    EXPECT_FALSE(hex.bAddGraphPoint);
    // An error text that also reads as a distance still adds a single point.
    const CQuorinDisplayResult& both = Decimal("E12.345");
    EXPECT_TRUE(both.bAddGraphPoint);
    EXPECT_DOUBLE_EQ(both.dGraphDistance, 0.0);

    int total = 0;
    for (std::size_t i = 0; i < QuorinErrorCodes.size(); ++i)
        total += static_cast<int>(display.ErrorCounts().GetCount(static_cast<int>(i)));
    EXPECT_EQ(total, 13);
    display.ErrorCounts().Clear();
    EXPECT_EQ(display.ErrorCounts().GetCount(CodeIndex("E53")), 0);
    EXPECT_EQ(Decimal("E53").strCount, "1");
}

TEST_F(QuorinDisplay, AlarmInsideAndOutside)
{
    EXPECT_TRUE(Decimal("007.000").bQ1On);
    EXPECT_FALSE(Decimal("010.000").bQ1On);
    QuorinParameters.AH = -1.0;
    display.ResetAlarm();
    const CQuorinDisplayResult& outside = Decimal("010.000");
    EXPECT_TRUE(outside.bQ1On);
    EXPECT_TRUE(outside.bShowLamps);
    EXPECT_TRUE(Decimal("009.400").bQ1On); // inside the hysteresis
    EXPECT_FALSE(Decimal("007.000").bQ1On);
}

TEST_F(QuorinDisplay, ErrorModes)
{
    QuorinParameters.SE = 1;
    Decimal("007.000");
    const CQuorinDisplayResult& low = Decimal("E15");
    EXPECT_FALSE(low.bQ1On);
    EXPECT_TRUE(low.bShowLamps);
    EXPECT_DOUBLE_EQ(low.dCurrent, 3.0);
    QuorinParameters.SE = 2;
    const CQuorinDisplayResult& high = Decimal("E15");
    EXPECT_TRUE(high.bQ1On);
    EXPECT_DOUBLE_EQ(high.dCurrent, 21.0);
    // A falling range and an outside alarm turn both around.
    QuorinParameters.RB = 20;
    QuorinParameters.RE = 0;
    QuorinParameters.AH = -1;
    EXPECT_DOUBLE_EQ(Decimal("E15").dCurrent, 3.0);
    EXPECT_FALSE(display.IsQ1On());
    QuorinParameters.SE = 1;
    EXPECT_DOUBLE_EQ(Decimal("E15").dCurrent, 21.0);
    EXPECT_TRUE(display.IsQ1On());
    // SE 0 keeps output and gauge.
    QuorinParameters.SE = 0;
    EXPECT_FALSE(Decimal("E15").bSetGauge);
    EXPECT_TRUE(display.IsQ1On());
}

TEST_F(QuorinDisplay, HexadecimalLines)
{
    const CQuorinDisplayResult& f = Hex("0F00C8");
    EXPECT_EQ(f.strDistance, "F00C8");
    EXPECT_EQ(f.strDistanceUnit, "mm");
    ASSERT_TRUE(f.bSetGauge);
    EXPECT_DOUBLE_EQ(f.dCurrent, 3.0);
    EXPECT_FALSE(f.bAddGraphPoint);
    EXPECT_EQ(Hex("00000C8").strDistance, "00000C8");
    EXPECT_FALSE(Hex("0F[00C8").bSetDistance);
    EXPECT_FALSE(Hex("00C8").bSetDistance);
    EXPECT_EQ(Hex("0F00C8", true).strTemperature, "F00C8");
    QuorinParameters.SF = 2.0;
    EXPECT_EQ(Hex("00000C8").strDistanceUnit, "");
}

TEST_F(QuorinDisplay, OnDataConsumesLineAndRequest)
{
    g_strQuorinFormat = "d";
    g_strQuorinLine = "23.5";
    g_bTempRequest = true;
    g_bSimulation = true;
    const CQuorinDisplayResult& r = g_DisplayQR.OnData();
    EXPECT_EQ(r.strTemperature, "23.5");
    EXPECT_TRUE(r.bRedText);
    EXPECT_TRUE(r.bRedraw);
    EXPECT_TRUE(g_strQuorinLine.empty());
    EXPECT_FALSE(g_bTempRequest);
    g_strQuorinLine = "E24";
    g_DisplayQR.OnData();
    EXPECT_EQ(g_DisplayQR.ErrorCounts().GetCount(CodeIndex("E24")), 1);
}

TEST(QuorinErrorCodes, TableAsOnThePage)
{
    ASSERT_EQ(QuorinErrorCodes.size(), 17u);
    std::set<std::string_view> codes;
    std::set<int> ids;
    for (const CQuorinErrorCode& code : QuorinErrorCodes) {
        codes.insert(code.strCode);
        ids.insert(code.nCountBoxId);
        ids.insert(code.nHelpButtonId);
        EXPECT_EQ(code.strHelp.substr(0, 4), std::string(code.strCode) + ":");
        EXPECT_EQ(code.strDescription.substr(0, 1), " ");
    }
    EXPECT_EQ(codes.size(), 17u);
    EXPECT_EQ(ids.size(), 34u);
    const CQuorinErrorCode& e24 = QuorinErrorCodes[static_cast<std::size_t>(CodeIndex("E24"))];
    EXPECT_EQ(e24.strDescription, " Temperatureabove +60°C");
    EXPECT_EQ(e24.strHelp, "E24:Provide ambient temperature < +60°C");
    EXPECT_EQ(QuorinErrorCodes[static_cast<std::size_t>(CodeIndex("E31"))].strHelp,
              "E31:Service required if fault occurs repeatedly\r\n        Reship Telvan T1/T2 for "
              "repair");
    EXPECT_EQ(QuorinErrorCodes[static_cast<std::size_t>(CodeIndex("E64"))].strHelp,
              "E64:Data format of the serial interface examine (8N1) ");
    EXPECT_EQ(QuorinErrorCodes[8].strCode, "E51"); // last of the left column
    EXPECT_EQ(QuorinErrorCodes[8].nCountBoxId, 1067);
}

} // namespace
